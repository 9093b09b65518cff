// Tens of thousands of random events on the real window, offscreen, from a fixed seed; every
// invariant of the editor is checked after each one. VOLUNDE_RANDOM_SEED and
// VOLUNDE_RANDOM_EVENTS override the seed and the number of events, to replay a failure.

#include "window_driver.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

long long FromEnvironment(const char* name, long long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoll(text, nullptr, 0) : fallback;
}

TEST(RandomWindow, EveryInvariantHoldsAfterEachEvent)
{
    const auto seed = static_cast<uint64_t>(FromEnvironment("VOLUNDE_RANDOM_SEED", 20240611));
    const long long events = FromEnvironment("VOLUNDE_RANDOM_EVENTS", 12000);
    Volunde window;
    window.show();
    // Active, so that the window's shortcuts, undo and redo, reach it.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    random_use::WindowDriver driver(window, seed);
    const std::string atStart = driver.Check();
    ASSERT_TRUE(atStart.empty()) << atStart;

    long long closedRuns = 0;
    std::size_t largest = 0;
    for (long long k = 1; k <= events; ++k) {
        const std::string failure = driver.Step();
        ASSERT_TRUE(failure.empty())
            << "seed " << seed << ", replay with VOLUNDE_RANDOM_SEED=" << seed
            << " VOLUNDE_RANDOM_EVENTS=" << k << "\n"
            << failure;
        closedRuns += driver.model().closed ? 1 : 0;
        largest = std::max(largest, driver.model().vertices.size());
    }
    std::printf("%lld random events from seed %llu; largest polygon %zu vertices; %lld events "
                "with entry closed\n",
                events, static_cast<unsigned long long>(seed), largest, closedRuns);
    // The run reached the states that matter.
    EXPECT_GT(closedRuns, events / 20);
    EXPECT_GE(largest, events >= 5000 ? 100U : 3U);
}

// Sequences the random runs found faults with, replayed as they happened.
TEST(RandomWindowFound, CtrlClickOnTheSelectedEntryKeepsBothListsAndTheHighlight)
{
    Volunde window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    random_use::WindowDriver driver(window, 0);
    driver.PressAt({40, 30}, Qt::LeftButton, {});
    driver.PressAt({300, 150}, Qt::RightButton, Qt::AltModifier);
    driver.Command(0, true);
    driver.ClickItem(0, 0, Qt::LeftButton, {});
    ASSERT_EQ(driver.Check(), "");
    driver.ClickItem(0, 0, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(driver.Check(), "");
    driver.Key(1, Qt::Key_Down);
    driver.ClickItem(1, 1, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(driver.Check(), "");
    driver.Key(0, Qt::Key_Up);
    EXPECT_EQ(driver.Check(), "");
    EXPECT_EQ(window.SelectedIndex, 0);
}

} // namespace
