#include "bench_machine.h"

#include <cstdio>
#include <filesystem>

#include "bench_files.h"
#include "host/machine.h"

namespace bench {

const std::string& BenchMachine() {
  static const std::string dir = [] {
    std::string path = ScratchDir() + "/machine";
    for (const char* folder : {"/c/windows", "/c/src", "/c/dst"}) {
      std::filesystem::create_directories(path + folder);
    }
    WriteWholeFile(path + "/machine.ini", "[machine]\nwindows=C:\\windows\ncwd=C:\\src\n");
    std::string error;
    if (!host::OpenMachine(path, &error)) {
      std::fprintf(stderr, "kyr-bench: %s\n", error.c_str());
      return std::string();
    }
    return path;
  }();
  return dir;
}

}  // namespace bench
