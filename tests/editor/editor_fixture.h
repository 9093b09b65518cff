#pragma once

// The real window, shown offscreen, with helpers that act as a user does: presses on the drawing
// surface and clicks on list entries, all through Qt Test's input events.

#include "app/volunde.h"

#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace editor_testing {

inline constexpr QRgb Black = 0xff000000;
inline constexpr QRgb White = 0xffffffff;
inline constexpr QRgb Red = 0xffff0000;

class EditorTest : public ::testing::Test {
  protected:
    EditorTest()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~EditorTest() override
    {
        for (QMessageBox* box : window.findChildren<QMessageBox*>())
            delete box;
    }

    platform::PictureBox& picture() { return window.Picture1; }
    platform::ListBox& xs() { return window.List1(0); }
    platform::ListBox& ys() { return window.List1(1); }

    // A press at pixel (x, y) of the drawing, counted from the inside of the border.
    void press(int x, int y, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {})
    {
        const QPoint at = picture().contentsRect().topLeft() + QPoint(x, y);
        QTest::mousePress(&picture(), button, modifiers, at);
        QTest::mouseRelease(&picture(), button, modifiers, at);
    }

    // A user's click on entry `row` of List1(list), scrolled into view first.
    void clickEntry(int list, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        platform::ListBox& box = window.List1(list);
        const QModelIndex entry = box.model()->index(row, 0);
        ASSERT_TRUE(entry.isValid());
        box.scrollTo(entry);
        const QRect rect = box.visualRect(entry);
        ASSERT_TRUE(box.viewport()->rect().contains(rect.center()));
        QTest::mouseClick(box.viewport(), button, {}, rect.center());
    }

    QRgb pixel(int x, int y) { return picture().image().pixel(x, y); }

    // Whether a 5-pixel dot of `colour` is centred on pixel (x, y): its centre, the four arms two
    // pixels out and two inner diagonal pixels are the colour.
    ::testing::AssertionResult dotAt(int x, int y, QRgb colour)
    {
        for (QPoint d : {QPoint(0, 0), QPoint(-2, 0), QPoint(2, 0), QPoint(0, -2), QPoint(0, 2),
                         QPoint(1, 1), QPoint(-1, -1)})
            if (pixel(x + d.x(), y + d.y()) != colour)
                return ::testing::AssertionFailure()
                       << "pixel " << x + d.x() << "," << y + d.y() << " is " << std::hex
                       << pixel(x + d.x(), y + d.y());
        return ::testing::AssertionSuccess();
    }

    // How many pixels of the drawing are `colour`.
    int count(QRgb colour)
    {
        const QImage& image = picture().image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour ? 1 : 0;
        return n;
    }

    // The vertex store as "x;y" texts, to compare whole states at once.
    std::vector<QString> vertices()
    {
        std::vector<QString> all;
        for (int i = 0; i < std::max(xs().ListCount(), ys().ListCount()); ++i)
            all.push_back(xs().List(i) + u';' + ys().List(i));
        return all;
    }

    QMessageBox* errorBox() { return window.findChild<QMessageBox*>("runTimeErrorBox"); }

    Volunde window;
};

} // namespace editor_testing
