// The whole installation of a big package under setuphost, in a child
// process, against the floor; and the child's peak resident size at each
// size of system.ini.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_files.h"
#include "benchmarks.h"
#include "package.h"

namespace bench {
namespace {

constexpr size_t kKiB = 1024;
constexpr size_t kMiB = 1024 * kKiB;

void Installation(benchmark::State& state) {
  PackageSize size{static_cast<size_t>(state.range(0)), static_cast<size_t>(state.range(1))};
  std::string pristine = ScratchDir() + "/package";
  if (!MakePackage(pristine, size)) {
    FailRun(state, "cannot make the package (needs mscompress)");
    return;
  }
  std::string work = ScratchDir() + "/installed";
  std::string floorDir = ScratchDir() + "/floor";
  double installSeconds = 0;
  double floorSeconds = 0;
  long peakKilobytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RemoveTree(work);
    RemoveTree(floorDir);
    std::filesystem::create_directories(floorDir);
    bool copied = CopyTree(pristine, work);
    state.ResumeTiming();
    if (!copied) {
      FailRun(state, "cannot copy the package");
      break;
    }
    InstallRun run = RunInstallation(work);
    if (!run.ok) {
      FailRun(state, run.error.c_str());
      break;
    }
    auto start = std::chrono::steady_clock::now();
    if (!FloorInstallation(pristine, floorDir)) {
      FailRun(state, "the floor's copy failed");
      break;
    }
    floorSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    installSeconds += run.seconds;
    if (run.peakKilobytes > peakKilobytes) peakKilobytes = run.peakKilobytes;
    state.SetIterationTime(run.seconds);
  }
  double runs = static_cast<double>(state.iterations());
  if (runs == 0 || floorSeconds == 0) return;
  state.counters["install_ms"] = installSeconds / runs * 1000;
  state.counters["floor_ms"] = floorSeconds / runs * 1000;
  state.counters["x_floor"] = installSeconds / floorSeconds;
  state.counters["peak_rss_MB"] = static_cast<double>(peakKilobytes) / 1024;
}

}  // namespace

void RegisterInstallation(bool smoke) {
  auto* b = benchmark::RegisterBenchmark("installation", Installation)
                ->ArgNames({"program", "system_ini"})
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
  if (smoke) {
    b->Args({64 * kKiB, 10 * kKiB})->Iterations(1);
    return;
  }
  for (size_t ini : {10 * kKiB, 100 * kKiB, 1 * kMiB, 10 * kMiB}) {
    b->Args({static_cast<int64_t>(8 * kMiB), static_cast<int64_t>(ini)});
  }
}

}  // namespace bench
