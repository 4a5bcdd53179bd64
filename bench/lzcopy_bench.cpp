// LZCopy between host files, of plain and of SZDD-compressed sources,
// against the floor: libmspack's stdio expansion, or a plain buffered copy.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "bench_files.h"
#include "bench_machine.h"
#include "benchmarks.h"
#include "winapi.h"

namespace bench {
namespace {

constexpr int64_t kKiB = 1024;

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

LONG CopyOnce() {
  HFILE source = _lopen("C:\\src\\in.bin", OF_READ);
  HFILE destination = _lcreat("C:\\dst\\out.bin", 0);
  LONG result = source != HFILE_ERROR && destination != HFILE_ERROR ? LZCopy(source, destination)
                                                                    : LZERROR_BADINHANDLE;
  _lclose(source);
  _lclose(destination);
  return result;
}

void Copy(benchmark::State& state) {
  const std::string& machine = BenchMachine();
  size_t size = static_cast<size_t>(state.range(0));
  bool compressed = state.range(1) != 0;
  std::string cached = CachedFile("LZCOPY.BIN", size, compressed);
  if (machine.empty() || cached.empty()) {
    FailRun(state, "cannot make the source (needs mscompress)");
    return;
  }
  std::string source = machine + "/c/src/in.bin";
  std::filesystem::copy_file(cached, source, std::filesystem::copy_options::overwrite_existing);
  std::string floorCopy = ScratchDir() + "/lzcopy.floor";
  double copySeconds = 0;
  double floorSeconds = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    LONG result = CopyOnce();
    double seconds = Since(start);
    if (result != static_cast<LONG>(size)) {
      FailRun(state, "LZCopy failed or came out short");
      break;
    }
    copySeconds += seconds;
    state.SetIterationTime(seconds);
    start = std::chrono::steady_clock::now();
    if (!FloorCopy(source, floorCopy)) {
      FailRun(state, "the floor's copy failed");
      break;
    }
    floorSeconds += Since(start);
  }
  double runs = static_cast<double>(state.iterations());
  if (runs == 0 || floorSeconds == 0) return;
  state.SetBytesProcessed(static_cast<int64_t>(size) * state.iterations());
  state.counters["lzcopy_ms"] = copySeconds / runs * 1000;
  state.counters["floor_ms"] = floorSeconds / runs * 1000;
  state.counters["x_floor"] = copySeconds / floorSeconds;
}

}  // namespace

void RegisterLZCopy(bool smoke) {
  auto* b = benchmark::RegisterBenchmark("lzcopy", Copy)
                ->ArgNames({"bytes", "compressed"})
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
  if (smoke) {
    b->Args({4 * kKiB, 0})->Args({4 * kKiB, 1})->Iterations(1);
    return;
  }
  for (int compressed : {0, 1}) {
    for (int64_t size : {4 * kKiB, 64 * kKiB, 1024 * kKiB, 16384 * kKiB}) {
      b->Args({size, compressed});
    }
  }
}

}  // namespace bench
