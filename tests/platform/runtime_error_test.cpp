#include "platform/conversions.h"
#include "platform/run_handler.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace platform;

class RunHandlerTest : public ::testing::Test {
  protected:
    RunHandlerTest()
    {
        window.setWindowTitle(QStringLiteral("window"));
        window.resize(200, 100);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~RunHandlerTest() override
    {
        for (QMessageBox* box : window.findChildren<QMessageBox*>())
            delete box;
    }
    QMessageBox* errorBox() { return window.findChild<QMessageBox*>("runTimeErrorBox"); }

    QWidget window;
};

TEST_F(RunHandlerTest, ErrorAbandonsTheHandlerAndShowsItsNumberAndDescription)
{
    int before = 0;
    int after = 0;
    RunHandler(&window, [&] {
        ++before;
        CInt(40000);
        ++after;
    });
    // The steps before the error stay, those after it never ran, and the program goes on.
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 0);
    QMessageBox* box = errorBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), box);
    EXPECT_TRUE(box->text().contains(QStringLiteral("6")));
    EXPECT_TRUE(box->text().contains(RunTimeError(Overflow).description()));
    EXPECT_TRUE(window.isVisible());

    // Dismissing the box leaves the window as it was.
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(RunHandlerTest, EachErrorShowsItsOwnNumber)
{
    RunHandler(&window, [] { Sqr(-1); });
    QMessageBox* box = errorBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(QStringLiteral("5")));
    EXPECT_TRUE(box->text().contains(RunTimeError(InvalidProcedureCall).description()));
}

TEST_F(RunHandlerTest, HandlerWithoutErrorShowsNothing)
{
    bool ran = false;
    RunHandler(&window, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(errorBox(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A handler run from inside another, as a list's Click raised by an assignment to its ListIndex.
TEST_F(RunHandlerTest, NestedHandlersShowOneMessageForTheFirstError)
{
    std::vector<int> steps;
    RunHandler(&window, [&] {
        steps.push_back(1);
        RunHandler(&window, [&] {
            steps.push_back(2);
            Sqr(-1);
            steps.push_back(0);
        });
        steps.push_back(3); // the outer handler goes on after the inner one was abandoned
        EXPECT_EQ(errorBox(), nullptr) << "nothing shown while a handler still runs";
        CInt(1e6);
        steps.push_back(0);
    });
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(window.findChildren<QMessageBox*>().size(), 1);
    EXPECT_TRUE(errorBox()->text().contains(RunTimeError(InvalidProcedureCall).description()));
}

TEST_F(RunHandlerTest, ErrorOfANestedHandlerIsShownWhenTheOuterOneEnds)
{
    RunHandler(&window, [&] { RunHandler(&window, [] { CInt(40000); }); });
    ASSERT_NE(errorBox(), nullptr);
    EXPECT_TRUE(errorBox()->text().contains(RunTimeError(Overflow).description()));
    delete errorBox();
    // The next event starts afresh.
    RunHandler(&window, [] {});
    EXPECT_EQ(errorBox(), nullptr);
}

TEST_F(RunHandlerTest, OtherExceptionsAreNotSwallowed)
{
    EXPECT_THROW(RunHandler(&window, [] { throw std::runtime_error("bug"); }), std::runtime_error);
    EXPECT_EQ(errorBox(), nullptr);
}

} // namespace
