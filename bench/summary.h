#pragma once

// Collects the benchmark results and prints them as tables: every measurement, and each
// performance goal with the measured value and whether it is met.

#include <benchmark/benchmark.h>

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace bench {

struct Result {
    // Median real time per iteration, in seconds.
    double seconds = 0;
    std::map<std::string, double> counters;
};

class Results {
  public:
    // Keeps the median of repeated runs, or the run itself where it was not repeated.
    void add(const benchmark::BenchmarkReporter::Run& run);
    const Result* find(const std::string& name) const;

  private:
    std::map<std::string, Result> results_;
};

// A console reporter that also keeps every result.
class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    const Results& results() const { return results_; }

  private:
    Results results_;
};

struct Goal {
    std::string what;
    double measured;
    double limit;
    std::string unit; // how measured and limit print: "ms", "µs", "×", "MB"
    bool met() const { return measured <= limit; }
};

std::vector<Goal> EvaluateGoals(const Results& results);

// Prints the tables in Markdown.
void PrintSummary(const Results& results, std::ostream& out);

// Time in a readable unit: "412 ns", "3.10 µs", "27.4 ms", "1.20 s".
std::string FormatSeconds(double seconds);

} // namespace bench
