// Every Double the program prints reads back with Val to the 15 digits it was printed with, over
// random bit patterns of the whole Double range and at its ends.

#include "platform/conversions.h"
#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

using platform::AppendNumber;
using platform::Val;

QString Printed(double value)
{
    QString text;
    AppendNumber(text, value, QChar(u'.'));
    return text;
}

void ExpectReadsBack(double value)
{
    const QString text = Printed(value);
    double back = 0;
    ASSERT_NO_THROW(back = Val(text)) << text.toStdString();
    const double step = std::nextafter(std::abs(value), HUGE_VAL) - std::abs(value);
    EXPECT_LE(std::abs(back - value), 5e-15 * std::abs(value) + step) << text.toStdString();
    EXPECT_EQ(Printed(back), text);
}

struct NamedDouble {
    const char* name;
    double value;
};

class ReadBackAtTheEnds : public ::testing::TestWithParam<NamedDouble> {};

TEST_P(ReadBackAtTheEnds, PrintedDoubleReadsBack)
{
    ExpectReadsBack(GetParam().value);
    ExpectReadsBack(-GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Doubles, ReadBackAtTheEnds,
    ::testing::Values(NamedDouble{"Largest", DBL_MAX},
                      NamedDouble{"BelowTheLargest", std::nextafter(DBL_MAX, 0.0)},
                      NamedDouble{"LargestRoundedTo14Digits", 1.7976931348623E+308},
                      NamedDouble{"SmallestNormal", DBL_MIN},
                      NamedDouble{"SmallestSubnormal", DBL_TRUE_MIN},
                      NamedDouble{"BelowTheExponentForm", 999999999999999.9},
                      NamedDouble{"FirstExponentForm", 1E+15}, NamedDouble{"SmallestPlain", 1E-4},
                      NamedDouble{"BelowTheSmallestPlain", 9.99999999999999E-5}),
    [](const ::testing::TestParamInfo<NamedDouble>& info) { return std::string(info.param.name); });

TEST(ReadBack, BeyondTheLargestPrintedDoubleIsStillOverflow)
{
    EXPECT_EQ(Val(u"1.79769313486232E+308"), DBL_MAX);
    EXPECT_EQ(Val(u"-1.79769313486232E+308"), -DBL_MAX);
    for (const char16_t* text : {u"1.79769313486233E+308", u"1.8E308", u"1E309", u"-1E400",
                                 u"1000000000000000000000E+300"}) {
        try {
            Val(text);
            ADD_FAILURE() << "no Overflow for " << QString::fromUtf16(text).toStdString();
        } catch (const platform::RunTimeError& error) {
            EXPECT_EQ(error.number(), platform::Overflow);
        }
    }
}

TEST(ReadBack, RandomDoublesOfEveryMagnitude)
{
    std::mt19937_64 rng(11);
    for (int k = 0; k < 30000; ++k) {
        const uint64_t bits = rng();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) {
            ASSERT_NO_FATAL_FAILURE(ExpectReadsBack(value));
        }
    }
}

} // namespace
