#pragma once

// The benchmark groups, registered at run time so that each vertex count gets its own name.

#include <benchmark/benchmark.h>

#include <string>

namespace bench {

void RegisterCoreBenchmarks();
void RegisterConversionBenchmarks();
void RegisterWindowBenchmarks();
void RegisterInteractionBenchmarks();
void RegisterUndoBenchmarks();
void RegisterStartupBenchmarks();

// The vertex counts: three, hand-placed sizes, and up to the lists' capacity.
inline constexpr int CoreSizes[] = {3, 1000, 4096, 32767};
inline constexpr int WindowSizes[] = {3, 100, 4096, 32767};
inline constexpr int Capacity = 32767;

inline std::string Name(const std::string& group, const std::string& what, int n)
{
    return group + "/" + what + "/" + std::to_string(n);
}

} // namespace bench
