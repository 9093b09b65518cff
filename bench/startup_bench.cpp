// Start-up, from process start to the first painted window, against a bare window with one
// button; and the peak resident memory of the program at capacity after both area commands.

#include "registry.h"
#include "startup_probe.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace bench {

namespace {

struct ProbeRun {
    double secondsToPaint = 0;
    std::map<std::string, long long> values;
};

// Starts `path`, reads what it reports and waits for it to end.
ProbeRun RunProbe(const char* path, const std::vector<std::string>& arguments = {})
{
    std::vector<char*> argv{const_cast<char*>(path)};
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);

    const long long start = MonotonicNanoseconds();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, path, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed != 0) {
        close(out[0]);
        throw std::runtime_error(std::string("cannot start ") + path);
    }
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(std::string(path) + " failed");

    ProbeRun run;
    std::istringstream lines(text);
    std::string key;
    long long value = 0;
    while (lines >> key >> value)
        run.values[key] = value;
    if (!run.values.count("painted"))
        throw std::runtime_error(std::string(path) + " reported no paint");
    run.secondsToPaint = static_cast<double>(run.values["painted"] - start) * 1e-9;
    return run;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Start-ups alternate between the two programs, so that a change in the machine's load
// touches both alike.
constexpr int StartupRuns = 15;

} // namespace

void RegisterStartupBenchmarks()
{
    benchmark::RegisterBenchmark(
        "startup",
        [](benchmark::State& state) {
            for (auto _ : state) {
                try {
                    RunProbe(STARTUP_VOLUNDE);
                    RunProbe(STARTUP_BARE);
                    std::vector<double> program, bare;
                    for (int i = 0; i < StartupRuns; ++i) {
                        program.push_back(RunProbe(STARTUP_VOLUNDE).secondsToPaint);
                        bare.push_back(RunProbe(STARTUP_BARE).secondsToPaint);
                    }
                    state.SetIterationTime(Median(program));
                    state.counters["bare_s"] = Median(bare);
                    state.counters["ratio"] = Median(program) / Median(bare);
                } catch (const std::exception& e) {
                    state.SkipWithError(e.what());
                }
            }
        })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);

    benchmark::RegisterBenchmark("memory/capacity", [](benchmark::State& state) {
        for (auto _ : state) {
            try {
                const ProbeRun run = RunProbe(STARTUP_VOLUNDE, {"--capacity"});
                state.counters["vertices"] = static_cast<double>(run.values.at("vertices"));
                state.counters["peak_rss_MB"] =
                    static_cast<double>(run.values.at("peak_rss_kb")) / 1024.0;
            } catch (const std::exception& e) {
                state.SkipWithError(e.what());
            }
        }
    })->Iterations(1);
}

} // namespace bench
