#pragma once

// Timing one piece of work through the real window.

#include <benchmark/benchmark.h>

#include <QWidget>

#include <functional>

namespace bench {

// Times `work` until the window has settled, after an untimed `prepare` that settles too, run
// after run; records the median as the counter median_s.
void Measure(benchmark::State& state, QWidget& window, const std::function<void()>& prepare,
             const std::function<void()>& work);

} // namespace bench
