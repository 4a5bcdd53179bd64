#include <cstdio>

#include "start.h"

namespace conformance {

// The running system is the machine; its drive C: is where the cases work.
bool StartMachine(int argc, char**) {
  if (argc != 1) {
    std::fprintf(stderr, "usage: conformance.exe\n");
    return false;
  }
  return true;
}

}  // namespace conformance
