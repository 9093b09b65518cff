#include "platform/text_box.h"
#include "widget_helpers.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::TextBox;

class TextBoxTest : public ::testing::Test {
  protected:
    TextBoxTest() : host(QRect(0, 0, 300, 120)) {}
    TextBox& box() { return *host.control; }
    testing_helpers::Hosted<TextBox> host;
};

TEST_F(TextBoxTest, TextReadsBackExactlyWhatWasSet)
{
    const QString texts[] = {QString(),
                             QStringLiteral("ред\r\n"),
                             QStringLiteral(" a \r\n\r\n b \r\n"),
                             QStringLiteral("no line end"),
                             QStringLiteral("lone\nfeed and\rreturn"),
                             QStringLiteral("\t tabs\tand trailing blanks   ")};
    for (const QString& text : texts) {
        box().setText(text);
        EXPECT_EQ(box().Text(), text);
        QCoreApplication::processEvents();
        EXPECT_EQ(box().Text(), text) << "showing the text does not change it";
    }
}

TEST_F(TextBoxTest, CrLfBreaksTheShownLines)
{
    box().setText(QStringLiteral("Първи\r\nВтори\r\n\r\nЧетвърти\r\n"));
    QCoreApplication::processEvents();
    EXPECT_EQ(box().toPlainText(), QStringLiteral("Първи\nВтори\n\nЧетвърти\n"));
    EXPECT_EQ(box().document()->blockCount(), 5);
}

TEST_F(TextBoxTest, ManyAssignmentsShowOnlyTheLastTextOnce)
{
    host.show();
    QSignalSpy changed(&box(), &QPlainTextEdit::textChanged);
    QString report;
    for (int i = 0; i < 2000; ++i) {
        report += QStringLiteral("line %1\r\n").arg(i);
        box().setText(report);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(box().document()->blockCount(), 2001);
    EXPECT_TRUE(box().toPlainText().endsWith(QStringLiteral("line 1999\n")));
    EXPECT_LE(changed.size(), 2) << "the widget took the text once, not once per assignment";
    EXPECT_EQ(box().Text(), report);
}

TEST_F(TextBoxTest, ShowsTheLatestTextAlsoAfterAnEarlierOneWasShown)
{
    box().setText(QStringLiteral("one"));
    QCoreApplication::processEvents();
    box().setText(QStringLiteral("two"));
    box().setText(QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(box().toPlainText(), QString());
    box().setText(QStringLiteral("three"));
    box().showText();
    EXPECT_EQ(box().toPlainText(), QStringLiteral("three"));
}

TEST_F(TextBoxTest, LockedButScrolledToTheTopWithAScrollBar)
{
    host.show();
    QString text;
    for (int i = 0; i < 100; ++i)
        text += QStringLiteral("ред %1\r\n").arg(i);
    box().setText(text);
    QCoreApplication::processEvents();
    EXPECT_EQ(box().verticalScrollBar()->value(), 0);
    EXPECT_GT(box().verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(box().verticalScrollBar()->isVisible());

    box().setFocus();
    QTest::keyClicks(&box(), QStringLiteral("xyz"));
    QTest::keyClick(&box(), Qt::Key_Delete);
    QTest::keyClick(&box(), Qt::Key_Backspace);
    EXPECT_EQ(box().Text(), text);
    EXPECT_EQ(box().toPlainText(),
              QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_TRUE(box().textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
}

TEST_F(TextBoxTest, LongLinesWrapAtTheWidth)
{
    host.show();
    box().setText(QString(400, u'ж').replace(QStringLiteral("жжжж"), QStringLiteral("жжж ")) +
                  QStringLiteral("\r\n"));
    QCoreApplication::processEvents();
    EXPECT_EQ(box().document()->blockCount(), 2);
    EXPECT_GT(box().document()->firstBlock().layout()->lineCount(), 1);
    box().setLineBackground(0, Qt::yellow);
    QTextCursor second(box().document());
    second.setPosition(box().document()->firstBlock().layout()->lineAt(1).textStart() + 1);
    const QImage shown = box().viewport()->grab().toImage();
    int yellow = 0; // pixels of its second row in the hue, or in ink laid over the hue
    for (int x = 0; x < shown.width(); ++x) {
        const QRgb pixel = shown.pixel(x, box().cursorRect(second).center().y());
        yellow += qBlue(pixel) < qRed(pixel) ? 1 : 0;
    }
    EXPECT_GT(yellow, shown.width() * 3 / 4) << "a wrapped line's hue reaches its next row";
}

// The box's own menu keeps the caret's line, offers "Копирай" only for a selection, and ends with
// the actions the box was given.
TEST_F(TextBoxTest, MenuKeepsTheCaretLineAndCopiesOnlyASelection)
{
    host.show();
    host.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host.window));
    box().setText(QStringLiteral("едно\r\nдве\r\n"));
    box().showText();
    box().setFocus();
    QSignalSpy caret(&box(), &TextBox::CaretLine);
    QAction given(QStringLiteral("друго"));
    box().addAction(&given);
    for (const bool selected : {false, true}) {
        if (selected)
            box().selectAll();
        caret.clear();
        QContextMenuEvent open(QContextMenuEvent::Keyboard, {}, box().mapToGlobal(QPoint()));
        QApplication::sendEvent(&box(), &open);
        const std::unique_ptr<QMenu> menu(box().findChild<QMenu*>());
        ASSERT_TRUE(menu);
        EXPECT_TRUE(caret.isEmpty()) << "the menu took the focus, and the line stays";
        const QAction* copy = menu->actions().value(0);
        ASSERT_TRUE(copy && copy->text() == QStringLiteral("&Копирай"));
        EXPECT_EQ(copy->isEnabled(), selected);
        EXPECT_EQ(menu->actions().last(), &given);
    }
}

// The box shows what a plain editor shows for the text with each CR LF pair as one line feed;
// other carriage returns and line feeds stay as they are.
struct NamedText {
    const char* name;
    QString text;
};

class TextBoxShows : public TextBoxTest, public ::testing::WithParamInterface<NamedText> {};

TEST_P(TextBoxShows, CrLfPairsAsLineFeeds)
{
    const QString& text = GetParam().text;
    QPlainTextEdit plain;
    plain.setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box().setText(text);
    QCoreApplication::processEvents();
    EXPECT_EQ(box().toPlainText(), plain.toPlainText());
    EXPECT_EQ(box().document()->blockCount(), plain.document()->blockCount());
    EXPECT_EQ(box().Text(), text);
}

QString LongReport()
{
    QString report;
    for (int i = 0; i < 5000; ++i)
        report += QStringLiteral("ред %1 = %2\r\n").arg(i).arg(i * 0.5);
    return report;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextBoxShows,
    ::testing::Values(NamedText{"CrLf", QStringLiteral("\r\n")},
                      NamedText{"Cr", QStringLiteral("\r")},
                      NamedText{"LetterCr", QStringLiteral("a\r")},
                      NamedText{"CrCrLf", QStringLiteral("\r\r\n")},
                      NamedText{"Mixed", QStringLiteral("a\r\r\nb\r\n\nc")},
                      NamedText{"LfCrLfCr", QStringLiteral("\n\r\n\r")},
                      NamedText{"CrInsideALine", QStringLiteral("x\ry\r\nz")},
                      NamedText{"CyrillicOneLine", QStringLiteral("без редове")},
                      NamedText{"LongReport", LongReport()}),
    [](const ::testing::TestParamInfo<NamedText>& info) { return std::string(info.param.name); });

} // namespace
