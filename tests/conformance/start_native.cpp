#include <cstdio>
#include <string>

#include "host/machine.h"
#include "start.h"

namespace conformance {

bool StartMachine(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: conformance MACHINE_DIR\n");
    return false;
  }
  std::string error;
  if (!host::OpenMachine(argv[1], &error)) {
    std::fprintf(stderr, "conformance: %s\n", error.c_str());
    return false;
  }
  return true;
}

}  // namespace conformance
