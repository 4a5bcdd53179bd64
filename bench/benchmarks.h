// The benchmarks, registered at start with the sizes of a full or a smoke
// run. Each one measures the floor in the same run and reports its own time
// against it as the counter x_floor (time / floor time: 1 is the floor).
#pragma once

#include <benchmark/benchmark.h>

namespace bench {

// Ends the benchmark with an error, and makes the program's status 1.
void FailRun(benchmark::State& state, const char* why);

void RegisterInstallation(bool smoke);
void RegisterRewrite(bool smoke);
void RegisterLZCopy(bool smoke);

}  // namespace bench
