// Returning the host to its state at process start, for tests.

#include "host_internal.h"
#include "module_resources.h"

namespace host {

void ResetHost() {
  ResetModules();
  ResetDialogs();
  ResetWindows();
  ResetFiles();
  ResetSearches();
  ResetMemory();
  ResetRegistry();
  ResetProcessState();
  CloseMachine();
  SetCurrentDirectoryPath("C:\\");
}

}  // namespace host
