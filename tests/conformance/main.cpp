// The conformance program: calls the Win32 functions the host layer declares
// on their edge cases and writes one line per observation (report.h). Every
// case works below C:\conform, which the program makes itself, so that a
// fresh machine natively and a fresh Wine prefix start from the same files.
#include <cstdio>

#include "report.h"
#include "start.h"

int main(int argc, char** argv) {
  if (!conformance::StartMachine(argc, argv)) return 2;
  if (!CreateDirectoryA("C:\\conform", nullptr) || !SetCurrentDirectoryA("C:\\conform")) {
    std::fprintf(stderr, "conformance: cannot make C:\\conform (error %lu)\n",
                 static_cast<unsigned long>(GetLastError()));
    return 2;
  }
  conformance::RunFiles();
  conformance::RunDirectories();
  conformance::RunMemory();
  conformance::RunText();
  conformance::RunModules();
  conformance::RunRegistry();
  conformance::RunProfiles();
  conformance::RunWindows();
  conformance::RunSystem();
  conformance::RunRegistryWrites();
  conformance::RunVersions();
  conformance::RunFocus();
  conformance::RunSearches();
  conformance::RunDrives();
  conformance::RunRemoval();
  conformance::RunProfileFiles();
  return 0;
}
