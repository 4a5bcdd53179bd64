// The free space of a drive, asked through every kind of path, from
// C:\conform.
#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "drives";

void FreeSpace() {
  CreateDirectoryA("space", nullptr);
  WriteWholeFile("space\\file.txt", "x");
  const char* paths[] = {nullptr,
                         "\\",
                         "/",
                         "",
                         ".",
                         "space",
                         "space\\",
                         "..\\conform\\space",
                         "C:",
                         "c:\\conform",
                         "missing",
                         "missing\\deeper",
                         "space\\file.txt",
                         "space\\file.txt\\",
                         "Q:\\",
                         "C:\\space*"};
  for (const char* path : paths) {
    ULARGE_INTEGER free, total, totalFree;
    free.QuadPart = total.QuadPart = totalFree.QuadPart = 0;
    ArmError();
    BOOL ok = GetDiskFreeSpaceExA(path, &free, &total, &totalFree);
    Observe(kArea, "GetDiskFreeSpaceExA", Quote(path),
            ok ? std::string("TRUE") + (total.QuadPart >= free.QuadPart ? " total>=free" : "") +
                     (free.QuadPart == totalFree.QuadPart ? " free=totalfree" : "")
               : "FALSE" + Error());
  }
  // Outputs not asked for are left out.
  ULARGE_INTEGER free;
  free.QuadPart = 0;
  ArmError();
  BOOL ok = GetDiskFreeSpaceExA("space", &free, nullptr, nullptr);
  Observe(kArea, "GetDiskFreeSpaceExA", "free only",
          ok ? std::string("TRUE") + (free.QuadPart > 0 ? " free>0" : "") : "FALSE" + Error());
}

}  // namespace

void RunDrives() { FreeSpace(); }

}  // namespace conformance
