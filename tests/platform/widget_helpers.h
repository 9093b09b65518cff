#pragma once

// Small helpers for the widget tests: show a control in its own top-level window and wait until
// it can take input.

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace testing_helpers {

// A top-level window holding one control at a given geometry.
template <class Control> struct Hosted {
    explicit Hosted(QRect geometry)
    {
        window.resize(geometry.right() + 20, geometry.bottom() + 20);
        control = new Control(&window);
        control->setGeometry(geometry);
    }
    void show()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QWidget window;
    Control* control = nullptr;
};

} // namespace testing_helpers
