// The Windows side of the runner's front end (runner/front_end.h).
#include "runner/front_end.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "phases.h"

void StopRun(const std::string& message) {
  MarkPhase("runner stops the run");
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(nullptr);
  // The stop is also left in a file for the script that started the run:
  // where Wine reports itself as Windows 95, a process ended from this
  // thread can lose its status ("wine client error ... Bad file
  // descriptor", status 1).
  if (const char* stopFile = std::getenv("SETUPHOST_STOP_FILE")) {
    if (FILE* file = std::fopen(stopFile, "w")) {
      std::fprintf(file, "%d\n", kStopStatus);
      std::fclose(file);
    }
  }
  TerminateProcess(GetCurrentProcess(), kStopStatus);
  ExitProcess(kStopStatus);
}

// For this process and for the toolkit DLLs, which read it through the
// shared C runtime.
void SetRunVariable(const std::string& name, const std::string& value) {
  SetEnvironmentVariableA(name.c_str(), value.c_str());
  std::string assignment = name + "=" + value;
  _putenv(assignment.c_str());
}
