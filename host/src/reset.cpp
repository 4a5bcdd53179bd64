// Returning the host to its state at process start, for tests.

#include "host_internal.h"

namespace host {

void ResetHost() {
  ResetModules();
  ResetWindows();
  ResetFiles();
  ResetMemory();
  ResetRegistry();
  ResetProcessState();
  CloseMachine();
  SetCurrentDirectoryPath("C:\\");
}

}  // namespace host
