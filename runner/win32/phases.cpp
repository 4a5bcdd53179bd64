#include "phases.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

// FILETIME counts 100-nanosecond intervals from 1601; Unix time from 1970.
constexpr unsigned long long kIntervalsPerMillisecond = 10000;
constexpr unsigned long long kMillisecondsFrom1601To1970 = 11644473600000ULL;

unsigned long long UnixMilliseconds() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  unsigned long long intervals =
      (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return intervals / kIntervalsPerMillisecond - kMillisecondsFrom1601To1970;
}

}  // namespace

void MarkPhase(const std::string& what) {
  const char* path = std::getenv("SETUPHOST_PHASES");
  if (path == nullptr || *path == '\0') return;
  unsigned long long milliseconds = UnixMilliseconds();
  if (FILE* file = std::fopen(path, "a")) {
    std::fprintf(file, "%llu.%03llu %s\n", milliseconds / 1000, milliseconds % 1000, what.c_str());
    std::fclose(file);
  }
}
