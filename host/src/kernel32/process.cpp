// Process end, error mode and the last-error value.

#include <unistd.h>

#include <cstdio>
#include <string>

#include "host/machine.h"
#include "kernel32/kernel32_internal.h"
#include "machine/syscall_gate.h"
#include "shown_lines.h"
#include "transcript.h"
#include "winapi.h"

namespace host {
void DetachLoadedModules();  // loader.cpp

namespace {
UINT errorMode = 0;
thread_local DWORD lastError = 0;
}  // namespace

void ResetProcessState() {
  errorMode = 0;
  lastError = 0;
}

}  // namespace host

extern "C" {

void WINAPI ExitProcess(UINT exitCode) {
  TranscriptLine(ExitLine(exitCode));
  host::SaveRegistry();
  // Windows tells every loaded module that the process detaches.
  host::DetachLoadedModules();
  std::fflush(nullptr);
  host::sys::EndProcess(static_cast<int>(exitCode));
}

UINT WINAPI SetErrorMode(UINT mode) {
  UINT previous = host::errorMode;
  host::errorMode = mode;
  return previous;
}

DWORD WINAPI GetLastError(void) { return host::lastError; }
void WINAPI SetLastError(DWORD error) { host::lastError = error; }

}  // extern "C"
