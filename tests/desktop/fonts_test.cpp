// The window's font: "Times New Roman" must resolve to that face or to its metric-compatible
// stand-in, and the resolved face must have a glyph for every character the window shows, so that
// no Bulgarian caption falls back to another font or to empty boxes.

#include "app/static_texts.h"
#include "app/volunde.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Fonts : public ::testing::Test {
  protected:
    Fonts()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The characters of `text` that the window's resolved font has no glyph for.
    QString missingGlyphs(const QString& text)
    {
        const QFontMetrics metrics(window.font());
        QString missing;
        for (const char32_t c : text.toUcs4())
            if (c != U'\r' && c != U'\n' && !metrics.inFontUcs4(c) &&
                !missing.contains(QString::fromUcs4(&c, 1)))
                missing += QString::fromUcs4(&c, 1);
        return missing;
    }

    void press(int x, int y)
    {
        const QPoint at = window.Picture1.contentsRect().topLeft() + QPoint(x, y);
        QTest::mouseClick(&window.Picture1, Qt::LeftButton, {}, at);
    }

    Volunde window;
};

TEST_F(Fonts, TimesNewRomanResolvesToAMetricCompatibleFaceWithCyrillic)
{
    const QFontInfo resolved(window.font());
    const QString family = resolved.family();
    EXPECT_TRUE(family == QStringLiteral("Times New Roman") ||
                family == QStringLiteral("Liberation Serif"))
        << "resolved to '" << family.toStdString() << "'; install fonts-liberation2";
    EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic))
        << family.toStdString();
    EXPECT_EQ(resolved.pixelSize(), 16);
    EXPECT_FALSE(resolved.bold());
    EXPECT_FALSE(resolved.italic());
}

TEST_F(Fonts, EveryControlUsesTheWindowsFace)
{
    const QString family = QFontInfo(window.font()).family();
    for (QWidget* control : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_EQ(QFontInfo(control->font()).family(), family)
            << control->metaObject()->className();
}

TEST_F(Fonts, EveryCaptionAndStaticTextHasItsGlyphs)
{
    QStringList texts = {window.windowTitle(), texts::HelpText(), texts::Aphorism()};
    for (int i = 0; i < window.Label1.size(); ++i)
        texts << window.Label1(i).text();
    for (int i = 0; i < window.Command1.size(); ++i)
        texts << window.Command1(i).text();
    for (const QString& text : texts)
        EXPECT_EQ(missingGlyphs(text), QString()) << text.left(40).toStdString();
}

TEST_F(Fonts, ReportsOfBothMethodsHaveTheirGlyphs)
{
    press(20, 20);
    press(300, 30);
    press(250, 170);
    press(40, 150);
    for (int method : {0, 1}) {
        window.Command1(method).click();
        const QString report = window.Text1(0).Text();
        ASSERT_FALSE(report.isEmpty()) << method;
        EXPECT_EQ(missingGlyphs(report), QString()) << "method " << method;
        EXPECT_EQ(missingGlyphs(window.List1(0).List(0) + window.List1(1).List(0)), QString());
    }
}

} // namespace
