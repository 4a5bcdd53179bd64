// Returning the host to its state at process start, for tests.

#include "reset_host.h"

#include "kernel32/files/files_internal.h"
#include "kernel32/kernel32_internal.h"
#include "machine/machine_internal.h"
#include "resources/module_resources.h"
#include "user32/window_table.h"

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
