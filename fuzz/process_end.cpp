#include "process_end.h"

#include "host/syscalls.h"
#include "standin/core/standin.h"
#include "toolkit/session.h"

namespace fuzz {
namespace {

struct ProcessEnded {
  int status;
};

[[noreturn]] void ThrowEnd(int status) { throw ProcessEnded{status}; }

}  // namespace

bool EndsProcess(const std::function<void()>& body, int* status) {
  host::SetSyscall("_exit", reinterpret_cast<host::SyscallPointer>(&ThrowEnd));
  bool ended = false;
  try {
    body();
  } catch (const ProcessEnded& end) {
    ended = true;
    *status = end.status;
  }
  host::SetSyscall("_exit", nullptr);
  return ended;
}

void ResetToolkitState() {
  StandinReset();
  StandinSetQuiet(true);
  ErrorInProgress = FALSE;
  SessionFrame = 0;
}

}  // namespace fuzz
