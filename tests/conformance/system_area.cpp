// Version, error mode, drives and environment.
#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "system";

void Drives() {
  Observe(kArea, "GetLogicalDrives", "C", Number((GetLogicalDrives() >> 2) & 1));
  const char* roots[] = {"C:\\", "C:", "c:\\", "C:\\conform", "Q:\\", "", nullptr};
  for (const char* root : roots)
    Observe(kArea, "GetDriveTypeA", Quote(root), Number(GetDriveTypeA(root)));
  const char* places[] = {"C:\\", "C:\\conform\\", "Q:\\"};
  for (const char* place : places) {
    ULARGE_INTEGER free{}, total{}, totalFree{};
    ArmError();
    BOOL ok = GetDiskFreeSpaceExA(place, &free, &total, &totalFree);
    Observe(kArea, "GetDiskFreeSpaceExA", Quote(place),
            ok ? std::string("TRUE") + (total.QuadPart >= free.QuadPart ? " total>=free" : "")
               : "FALSE" + Error());
  }
}

void Environment() {
  // CONFORM_VAR=abc is set for the program (machine.ini natively).
  const char* names[] = {"CONFORM_VAR", "conform_var", "CONFORM_MISSING"};
  const DWORD sizes[] = {0, 3, 4, 16};
  for (const char* name : names) {
    for (DWORD size : sizes) {
      Buffer buffer(size);
      ArmError();
      DWORD result = GetEnvironmentVariableA(name, size == 0 ? nullptr : buffer.data(), size);
      Observe(
          kArea, "GetEnvironmentVariableA", Quote(name) + " size " + Number(size),
          Number(result) + (result == 0 ? Error() : "") + " " + buffer.Shown(size < 5 ? size : 5));
    }
  }
}

void VersionResources() {
  const char* files[] = {"C:\\conform\\missing.dll", "C:\\conform\\data.txt", "C:\\nodir\\x.dll"};
  for (const char* file : files) {
    DWORD handle = 99;
    ArmError();
    DWORD size = GetFileVersionInfoSizeA(file, &handle);
    Observe(kArea, "GetFileVersionInfoSizeA", Quote(file),
            Number(size) + (size == 0 ? Error() : "") + " handle " + Number(handle));
  }
}

}  // namespace

void RunSystem() {
  UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
  Observe(kArea, "SetErrorMode", "again", Number(SetErrorMode(previous)));
  Observe(kArea, "GetVersion", "-", Hex(GetVersion()));
  SetLastError(1234);
  Observe(kArea, "GetLastError", "after SetLastError 1234", Number(GetLastError()));
  Drives();
  Environment();
  VersionResources();
}

}  // namespace conformance
