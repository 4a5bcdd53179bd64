// kyr_bench: the installation's file work against what the machine can do.
//   kyr_bench [--smoke] [Google Benchmark flags]
//       --smoke runs every benchmark once on small sizes (for CI).
//   kyr_bench --make-package DIR [PROGRAM_BYTES SYSTEM_INI_BYTES]
//       writes the big package's machine to DIR (for measuring elsewhere,
//       e.g. under Wine) and exits.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "benchmarks.h"
#include "package.h"

namespace bench {

namespace {
bool anyRunFailed = false;
}  // namespace

void FailRun(benchmark::State& state, const char* why) {
  anyRunFailed = true;
  state.SkipWithError(why);
}

}  // namespace bench

namespace {

constexpr size_t kBigProgram = 8 * 1024 * 1024;
constexpr size_t kBigSystemIni = 1024 * 1024;

int MakePackageAndExit(int argc, char** argv) {
  bench::PackageSize size{kBigProgram, kBigSystemIni};
  if (argc == 5) {
    size.program = std::strtoul(argv[3], nullptr, 10);
    size.systemIni = std::strtoul(argv[4], nullptr, 10);
  } else if (argc != 3) {
    std::fprintf(stderr, "usage: kyr_bench --make-package DIR [PROGRAM_BYTES SYSTEM_INI_BYTES]\n");
    return 2;
  }
  if (!bench::MakePackage(argv[2], size)) {
    std::fprintf(stderr, "kyr_bench: cannot make the package in %s\n", argv[2]);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--make-package") == 0) {
    return MakePackageAndExit(argc, argv);
  }
  bool smoke = false;
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--smoke") == 0) {
      smoke = true;
    } else {
      rest.push_back(argv[i]);
    }
  }
  int restCount = static_cast<int>(rest.size());
  rest.push_back(nullptr);
  bench::RegisterInstallation(smoke);
  bench::RegisterRewrite(smoke);
  bench::RegisterLZCopy(smoke);
  benchmark::Initialize(&restCount, rest.data());
  if (benchmark::ReportUnrecognizedArguments(restCount, rest.data())) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return bench::anyRunFailed ? 1 : 0;
}
