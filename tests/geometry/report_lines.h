#pragma once

// Reading a method's report back: its lines and the numbers at their ends.

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace testing_support {

// The report's lines without their CR LF. Fails the test if any line is not ended by CR LF or
// a bare CR or LF stands inside one.
inline QStringList ReportLines(const QString& report)
{
    QStringList lines;
    if (report.isEmpty())
        return lines;
    EXPECT_TRUE(report.endsWith(QStringLiteral("\r\n"))) << report.toStdString();
    lines = report.split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (const QString& line : lines)
        EXPECT_FALSE(line.contains(u'\r') || line.contains(u'\n')) << line.toStdString();
    return lines;
}

// The number after the last " = " of a line, written with a "." as the decimal point.
inline double NumberAtEnd(const QString& line)
{
    const qsizetype at = line.lastIndexOf(QStringLiteral(" = "));
    EXPECT_GE(at, 0) << line.toStdString();
    bool ok = false;
    const double value = line.mid(at + 3).toDouble(&ok);
    EXPECT_TRUE(ok) << line.toStdString();
    return value;
}

// A parameterised test's name for a vertex count: "Vertices4".
inline std::string VertexCountName(const testing::TestParamInfo<int>& info)
{
    return "Vertices" + std::to_string(info.param);
}

} // namespace testing_support
