// The system.ini rewrite alone, from its backup system.kyr over system.ini,
// against a plain buffered copy of the same file over a file as long. Both
// are timed on files opened beforehand: the rewrite's own work is measured,
// not the host's emulation of opening a file by its Windows path.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
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

// One rewrite as the installation does it, on files opened beforehand: its
// time, or a negative value when it failed.
double RewriteOnce(LONG length) {
  HFILE source = _lopen("C:\\windows\\system.kyr", OF_READ);
  HFILE target = _lopen("C:\\windows\\system.ini", OF_READWRITE);
  std::vector<char> line(kSystemIniLineSize, 0);
  double seconds = -1;
  if (source != HFILE_ERROR && target != HFILE_ERROR) {
    auto start = std::chrono::steady_clock::now();
    BOOL ok =
        RewriteSystemIni(source, length, target, kDeviceLine, line.data(), kSystemIniLineSize);
    if (ok) seconds = Since(start);
  }
  _lclose(source);
  _lclose(target);
  return seconds;
}

// A plain buffered copy over a file as long, on files opened beforehand: its
// time, or a negative value when it failed.
double CopyOnce(const std::string& from, const std::string& to) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  std::FILE* out = std::fopen(to.c_str(), "r+b");
  double seconds = -1;
  if (in != nullptr && out != nullptr) {
    auto start = std::chrono::steady_clock::now();
    if (CopyStream(in, out) && std::fflush(out) == 0) seconds = Since(start);
  }
  if (in != nullptr) std::fclose(in);
  if (out != nullptr) std::fclose(out);
  return seconds;
}

void Rewrite(benchmark::State& state) {
  const std::string& machine = BenchMachine();
  if (machine.empty()) {
    FailRun(state, "cannot open the machine");
    return;
  }
  std::string backup = machine + "/c/windows/system.kyr";
  std::string content = SystemIniContent(
      ReadWholeFile(std::string(KYR_SOURCE_DIR) + "/samples/unpacked-machine/c/windows/"
                                                  "system.ini"),
      static_cast<size_t>(state.range(0)));
  WriteWholeFile(backup, content);
  WriteWholeFile(machine + "/c/windows/system.ini", content);
  std::string copy = ScratchDir() + "/system.copy";
  WriteWholeFile(copy, content);
  double rewriteSeconds = 0;
  double copySeconds = 0;
  for (auto _ : state) {
    double seconds = RewriteOnce(static_cast<LONG>(content.size()));
    double floor = CopyOnce(backup, copy);
    if (seconds < 0 || floor < 0) {
      FailRun(state, seconds < 0 ? "the rewrite failed" : "the copy failed");
      break;
    }
    rewriteSeconds += seconds;
    copySeconds += floor;
    state.SetIterationTime(seconds);
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
