#include "platform/conversions.h"
#include "platform/runtime_error.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace platform;

// Runs `action` and gives the number of the run-time error it raised, 0 for none.
template <class Action> int ErrorOf(Action&& action)
{
    try {
        action();
    } catch (const RunTimeError& error) {
        return error.number();
    }
    return 0;
}

// A named group of cases: one test runs the whole group, each case traced by its own text.
template <class Case> struct Table {
    const char* name;
    std::vector<Case> cases;
};

template <class Case> void PrintTo(const Table<Case>& table, std::ostream* out)
{
    *out << table.cases.size() << " cases";
}

struct TableName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Table<Case>>& info) const
    {
        return info.param.name;
    }
};

// ---- Val ------------------------------------------------------------------------------------

struct ValCase {
    const char16_t* text;
    double expected;
};

// Readable test names: the text with its control characters escaped.
void PrintTo(const ValCase& c, std::ostream* out)
{
    std::string text = QString::fromUtf16(c.text).toStdString();
    std::string escaped;
    for (char ch : text)
        escaped += ch == '\t'   ? std::string("\\t")
                   : ch == '\n' ? std::string("\\n")
                   : ch == '\r' ? std::string("\\r")
                                : std::string(1, ch);
    *out << '"' << escaped << "\" gives " << c.expected;
}

class ValReads : public ::testing::TestWithParam<Table<ValCase>> {};

TEST_P(ValReads, TheLeadingNumber)
{
    for (const ValCase& c : GetParam().cases) {
        SCOPED_TRACE(::testing::PrintToString(c));
        EXPECT_DOUBLE_EQ(Val(QStringView(c.text)), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ValReads,
    ::testing::Values(
        Table<ValCase>{"Examples",
                       {ValCase{u"", 0}, ValCase{u"abc", 0}, ValCase{u"12,5", 12},
                        ValCase{u"1 2", 12}, ValCase{u"-7.25E1", -72.5}, ValCase{u"605", 605},
                        ValCase{u"337.5", 337.5}, ValCase{u"0.5", 0.5}}},
        Table<ValCase>{"SkippedCharacters",
                       {ValCase{u" \t\n42", 42}, ValCase{u"- 5", -5}, ValCase{u"1 0 E 2", 1000},
                        ValCase{u"3\n.\t5", 3.5}, ValCase{u"  ", 0}, ValCase{u"\r5", 0},
                        ValCase{u"+ 7", 7}}},
        Table<ValCase>{"NumberShapes",
                       {ValCase{u".5", 0.5}, ValCase{u"-.25", -0.25}, ValCase{u"5.", 5},
                        ValCase{u"1.2.3", 1.2}, ValCase{u"12abc", 12}, ValCase{u"-", 0},
                        ValCase{u".", 0}, ValCase{u"+-3", 0}, ValCase{u"0012", 12},
                        ValCase{u"1,000", 1}}},
        Table<ValCase>{"Exponents",
                       {ValCase{u"1.5D2", 150}, ValCase{u"1.5d2", 150}, ValCase{u"2e3", 2000},
                        ValCase{u"25E-1", 2.5}, ValCase{u"1E+2", 100}, ValCase{u"1E", 1},
                        ValCase{u"1E+", 1}, ValCase{u"1Ex", 1}, ValCase{u"1E-400", 0},
                        ValCase{u"0E400", 0}, ValCase{u"0.001E310", 1e307},
                        ValCase{u"1E-99999999999", 0}, ValCase{u"E5", 0}}}),
    TableName());

TEST(Val, NegativeZeroReadsAsZero)
{
    const double zero = Val(u"-0");
    EXPECT_EQ(zero, 0.0);
    EXPECT_EQ(CStr(zero), QStringLiteral("0"));
}

TEST(Val, MagnitudesBeyondADoubleOverflow)
{
    EXPECT_EQ(ErrorOf([] { Val(u"1E400"); }), Overflow);
    EXPECT_EQ(ErrorOf([] { Val(u"-1D400"); }), Overflow);
    EXPECT_EQ(ErrorOf([] { Val(u"1E99999999999"); }), Overflow);
    EXPECT_EQ(ErrorOf([] { Val(QString(400, u'9')); }), Overflow);
    // Many leading fraction zeros bring a large exponent back into range.
    EXPECT_EQ(ErrorOf([] { Val(u"0.0000000001E310"); }), 0);
}

TEST(Val, ReadsEveryTextThatCStrWrites)
{
    for (double value : {0.1, -2.5, 1.0 / 3, 123456.789, 1e-10, 6.02e23, -1e300, 7635.0}) {
        EXPECT_NEAR(Val(CStr(value)), value, std::abs(value) * 1e-14) << value;
    }
}

// ---- CInt, CSng, Sqr ---------------------------------------------------------------------------

struct RoundCase {
    double value;
    int expected; // the 16-bit result, or -1000000 for Overflow
};
constexpr int kOverflow = -1000000;

void PrintTo(const RoundCase& c, std::ostream* out)
{
    *out << c.value << " gives ";
    if (c.expected == kOverflow)
        *out << "Overflow";
    else
        *out << c.expected;
}

class CIntRounds : public ::testing::TestWithParam<Table<RoundCase>> {};

TEST_P(CIntRounds, ToNearestWithHalvesToEven)
{
    for (const RoundCase& c : GetParam().cases) {
        SCOPED_TRACE(::testing::PrintToString(c));
        const double value = c.value;
        if (c.expected == kOverflow) {
            EXPECT_EQ(ErrorOf([value] { CInt(value); }), Overflow);
        } else {
            int16_t result = 0;
            EXPECT_EQ(ErrorOf([&] { result = CInt(value); }), 0);
            EXPECT_EQ(result, c.expected);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CIntRounds,
    ::testing::Values(Table<RoundCase>{"Ties",
                                       {RoundCase{2.5, 2}, RoundCase{3.5, 4}, RoundCase{-2.5, -2},
                                        RoundCase{-3.5, -4}, RoundCase{0.5, 0}, RoundCase{-0.5, 0},
                                        RoundCase{1.5, 2}, RoundCase{2.4999999, 2},
                                        RoundCase{2.5000001, 3}, RoundCase{-0.0, 0}}},
                      Table<RoundCase>{
                          "Range",
                          {RoundCase{32767, 32767}, RoundCase{32767.4999, 32767},
                           RoundCase{32766.5, 32766}, RoundCase{32767.5, kOverflow},
                           RoundCase{32768, kOverflow}, RoundCase{-32768, -32768},
                           RoundCase{-32768.5, -32768}, RoundCase{-32768.5000001, kOverflow},
                           RoundCase{-32769, kOverflow}, RoundCase{1e300, kOverflow},
                           RoundCase{std::numeric_limits<double>::quiet_NaN(), kOverflow},
                           RoundCase{std::numeric_limits<double>::infinity(), kOverflow}}}),
    TableName());

TEST(CSng, NearestSingleAndOverflowBeyondItsRange)
{
    EXPECT_EQ(CSng(0.1), 0.1f);
    EXPECT_EQ(CSng(3.4e38), 3.4e38f);
    EXPECT_EQ(CSng(1e-50), 0.0f);
    EXPECT_EQ(ErrorOf([] { CSng(3.5e38); }), Overflow);
    EXPECT_EQ(ErrorOf([] { CSng(-1e39); }), Overflow);
}

TEST(Sqr, NegativeArgumentIsAnInvalidProcedureCall)
{
    EXPECT_EQ(Sqr(6.25), 2.5);
    EXPECT_EQ(Sqr(0), 0);
    EXPECT_EQ(ErrorOf([] { Sqr(-1e-300); }), InvalidProcedureCall);
    EXPECT_EQ(ErrorOf([] { Sqr(-4); }), InvalidProcedureCall);
}

TEST(RunTimeErrors, CarryNumberAndDescription)
{
    EXPECT_EQ(RunTimeError(Overflow).what(), std::string("Overflow"));
    EXPECT_FALSE(RunTimeError(Overflow).description().isEmpty());
    EXPECT_NE(RunTimeError(Overflow).description(),
              RunTimeError(InvalidProcedureCall).description());
}

// ---- Number to text ------------------------------------------------------------------------

struct TextCase {
    double value;
    bool single;
    const char* expected; // with "." as the separator
};

void PrintTo(const TextCase& c, std::ostream* out)
{
    *out << (c.single ? "Single " : "Double ") << c.value << " as " << c.expected;
}

class NumberText : public ::testing::TestWithParam<Table<TextCase>> {};

TEST_P(NumberText, ShortestFormInBothSeparators)
{
    for (const TextCase& c : GetParam().cases) {
        SCOPED_TRACE(::testing::PrintToString(c));
        for (QChar point : {QChar(u'.'), QChar(u',')}) {
            QString text = QStringLiteral("prefix:");
            if (c.single)
                AppendNumber(text, static_cast<float>(c.value), point);
            else
                AppendNumber(text, c.value, point);
            QString want = QString::fromLatin1(c.expected);
            want.replace(u'.', point);
            EXPECT_EQ(text, QStringLiteral("prefix:") + want);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, NumberText,
    ::testing::Values(
        Table<TextCase>{"Examples",
                        {TextCase{605, true, "605"}, TextCase{0.5, false, "0.5"},
                         TextCase{-2.5, false, "-2.5"}, TextCase{337.5, false, "337.5"},
                         TextCase{-0.0, false, "0"}, TextCase{-0.0, true, "0"},
                         TextCase{0, false, "0"}, TextCase{-0.25, true, "-0.25"},
                         TextCase{7635, true, "7635"}, TextCase{-450, false, "-450"}}},
        Table<TextCase>{
            "SignificantDigits",
            {TextCase{1.0 / 3, false, "0.333333333333333"}, TextCase{1.0 / 3, true, "0.3333333"},
             TextCase{0.1, true, "0.1"}, TextCase{0.1 + 0.2, false, "0.3"},
             TextCase{2.0 / 3, false, "0.666666666666667"}, TextCase{123456.78, true, "123456.8"},
             TextCase{1234567.8, true, "1234568"},
             TextCase{123456789012345.6, false, "123456789012346"},
             TextCase{9999999, true, "9999999"}, TextCase{0.0001, false, "0.0001"},
             TextCase{1.05, false, "1.05"}}},
        Table<TextCase>{"ExponentForm",
                        {TextCase{999999999999999, false, "999999999999999"},
                         TextCase{1e15, false, "1E+15"}, TextCase{-1e15, false, "-1E+15"},
                         TextCase{1.5e20, false, "1.5E+20"}, TextCase{1e7, true, "1E+07"},
                         TextCase{1e-5, false, "1E-05"}, TextCase{-2.5e-7, false, "-2.5E-07"}}}),
    TableName());

TEST(NumberText, IntegersArePlainDigits)
{
    EXPECT_EQ(CStr(0), QStringLiteral("0"));
    EXPECT_EQ(CStr(-32768), QStringLiteral("-32768"));
    EXPECT_EQ(CStr(2147483647), QStringLiteral("2147483647"));
    QString text = QStringLiteral("n=");
    AppendNumber(text, 1000000);
    EXPECT_EQ(text, QStringLiteral("n=1000000")); // no thousands separator
}

// CStr follows the separator of the default locale; the others stay as they were.
class LocaleText : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override
    {
        saved_ = QLocale();
        QLocale::setDefault(QLocale(QString::fromLatin1(GetParam())));
    }
    void TearDown() override { QLocale::setDefault(saved_); }
    QLocale saved_;
};

TEST_P(LocaleText, UsesTheLocaleSeparatorAndNothingElseOfIt)
{
    const QString point = QLocale().decimalPoint();
    ASSERT_EQ(point.size(), 1);
    EXPECT_EQ(DecimalPoint(), point.front());
    EXPECT_EQ(CStr(337.5), QStringLiteral("337") + point + QStringLiteral("5"));
    EXPECT_EQ(CStr(-0.5f), QStringLiteral("-0") + point + QStringLiteral("5"));
    EXPECT_EQ(CStr(1234567.0), QStringLiteral("1234567"));
    EXPECT_EQ(CStr(1.5e20), QStringLiteral("1") + point + QStringLiteral("5E+20"));
    EXPECT_EQ(CStr(-7), QStringLiteral("-7"));
    // Val never takes the locale's separator: "337,5" is 337 everywhere.
    EXPECT_EQ(Val(u"337.5"), 337.5);
    EXPECT_EQ(Val(u"337,5"), 337);
    // Whole numbers survive the round trip in every locale.
    for (float twips : {0.0f, 15.0f, 7305.0f, 2970.0f})
        EXPECT_EQ(Val(CStr(twips)), twips);
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleText, ::testing::Values("C", "en_US", "bg_BG", "de_DE"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

TEST(LocaleText, BulgarianUsesAComma)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QStringLiteral("bg_BG")));
    EXPECT_EQ(CStr(337.5), QStringLiteral("337,5"));
    QLocale::setDefault(saved);
    EXPECT_EQ(CStr(337.5), saved.decimalPoint() == QStringLiteral(",") ? QStringLiteral("337,5")
                                                                       : QStringLiteral("337.5"));
}

} // namespace
