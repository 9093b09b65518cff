// Resident memory over repeated fill-to-1,000-vertices-and-clear cycles of the real window: after
// a warm-up it must stay flat, whatever the commands and selections in between.

#include "app/volunde.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <malloc.h>
#include <unistd.h>

#include <fstream>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
#define VOLUNDE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VOLUNDE_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

// Resident size once the allocator has handed back what it holds free, so that the reading
// follows what the program keeps rather than how the heap happens to be fragmented.
long ResidentKiB()
{
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long HeapInUseKiB()
{
    return static_cast<long>(mallinfo2().uordblks / 1024);
}

void FillAndClear(Volunde& window, std::mt19937& rng)
{
    std::uniform_int_distribution<int> x(0, 486);
    std::uniform_int_distribution<int> y(0, 195);
    for (int k = 0; k < 1000; ++k)
        window.Picture1_MouseDown(1, 0, static_cast<float>(x(rng) * 15),
                                  static_cast<float>(y(rng) * 15));
    window.List1(0).setListIndex(static_cast<int>(rng() % 1000));
    window.Command1_Click(0);
    QCoreApplication::processEvents();
    window.List1(1).setListIndex(static_cast<int>(rng() % 1000));
    window.Command1_Click(1);
    QCoreApplication::processEvents();
    window.Command1_Click(2);
    QCoreApplication::processEvents();
}

TEST(Memory, ResidentSizeStaysFlatOverFillAndClearCycles)
{
#ifdef VOLUNDE_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer holds freed memory back; its leak check covers this";
#endif
    Volunde window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    std::mt19937 rng(7);
    for (int cycle = 0; cycle < 4; ++cycle)
        FillAndClear(window, rng);
    const long warm = ResidentKiB();
    const long warmHeap = HeapInUseKiB();
    const long warmHistory = static_cast<long>(window.history().Bytes() / 1024);
    constexpr int Cycles = 16;
    for (int cycle = 0; cycle < Cycles; ++cycle)
        FillAndClear(window, rng);
    const long after = ResidentKiB();
    const long afterHeap = HeapInUseKiB();
    // The undo history is full after the warm-up, of changes of slightly different sizes.
    const long history = static_cast<long>(window.history().Bytes() / 1024) - warmHistory;
    std::printf("resident %ld KiB after warm-up, %ld KiB after %d more cycles; heap in use %ld "
                "KiB, then %ld KiB, of which the undo history %+ld KiB\n",
                warm, after, Cycles, warmHeap, afterHeap, history);
    // A leak of even 16 bytes per vertex would add 256 KiB of heap over these cycles.
    EXPECT_LE(afterHeap - warmHeap - history, 128)
        << "heap in use grew from " << warmHeap << " KiB to " << afterHeap << " KiB";
    EXPECT_LE(after - warm - history, 1024)
        << "resident memory grew from " << warm << " KiB to " << after << " KiB";
    EXPECT_EQ(window.PointCount, 0);
}

} // namespace
