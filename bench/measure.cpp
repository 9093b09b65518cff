#include "measure.h"

#include "window_support.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

void Measure(benchmark::State& state, QWidget& window, const std::function<void()>& prepare,
             const std::function<void()>& work)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> seconds;
    for (auto _ : state) {
        prepare();
        Settle(window);
        const auto start = Clock::now();
        work();
        Settle(window);
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        state.SetIterationTime(seconds.back());
    }
    std::sort(seconds.begin(), seconds.end());
    state.counters["median_s"] = seconds[seconds.size() / 2];
}

} // namespace bench
