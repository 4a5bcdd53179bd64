// The system.ini rewrite alone, from its backup system.kyr over system.ini,
// against a plain buffered copy of the same file.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "bench_files.h"
#include "bench_machine.h"
#include "benchmarks.h"
#include "installer/system_ini.h"
#include "winapi.h"

namespace bench {
namespace {

constexpr size_t kKiB = 1024;
constexpr char kDeviceLine[] = "device=C:\\KYROTH\\kyr.386\r\n";

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One rewrite as the installation does it; false when it failed.
bool RewriteOnce(LONG length) {
  HFILE source = _lopen("C:\\windows\\system.kyr", OF_READ);
  HFILE target = _lopen("C:\\windows\\system.ini", OF_READWRITE);
  std::vector<char> line(kSystemIniLineSize, 0);
  bool ok = source != HFILE_ERROR && target != HFILE_ERROR &&
            RewriteSystemIni(source, length, target, kDeviceLine, line.data(),
                             kSystemIniLineSize) != FALSE;
  _lclose(source);
  _lclose(target);
  return ok;
}

void Rewrite(benchmark::State& state) {
  const std::string& machine = BenchMachine();
  if (machine.empty()) {
    state.SkipWithError("cannot open the machine");
    return;
  }
  std::string backup = machine + "/c/windows/system.kyr";
  std::string content =
      SystemIniContent(ReadWholeFile(std::string(KYR_SOURCE_DIR) + "/samples/machine/c/windows/"
                                                                   "system.ini"),
                       static_cast<size_t>(state.range(0)));
  WriteWholeFile(backup, content);
  WriteWholeFile(machine + "/c/windows/system.ini", content);
  std::string copy = ScratchDir() + "/system.copy";
  double rewriteSeconds = 0;
  double copySeconds = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    if (!RewriteOnce(static_cast<LONG>(content.size()))) {
      state.SkipWithError("the rewrite failed");
      break;
    }
    double seconds = Since(start);
    rewriteSeconds += seconds;
    state.SetIterationTime(seconds);
    start = std::chrono::steady_clock::now();
    if (!BufferedCopy(backup, copy)) {
      state.SkipWithError("the copy failed");
      break;
    }
    copySeconds += Since(start);
  }
  double runs = static_cast<double>(state.iterations());
  if (runs == 0 || copySeconds == 0) return;
  state.SetBytesProcessed(static_cast<int64_t>(content.size()) * state.iterations());
  state.counters["rewrite_ms"] = rewriteSeconds / runs * 1000;
  state.counters["copy_ms"] = copySeconds / runs * 1000;
  state.counters["x_floor"] = rewriteSeconds / copySeconds;
}

}  // namespace

void RegisterRewrite(bool smoke) {
  auto* b = benchmark::RegisterBenchmark("system_ini_rewrite", Rewrite)
                ->ArgName("bytes")
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
  if (smoke) {
    b->Arg(10 * kKiB)->Iterations(1);
    return;
  }
  for (size_t size : {10 * kKiB, 100 * kKiB, 1024 * kKiB, 10240 * kKiB}) {
    b->Arg(static_cast<int64_t>(size));
  }
}

}  // namespace bench
