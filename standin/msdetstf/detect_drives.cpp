// msdetstf.dll: drives, as the system reports them (GetLogicalDrives,
// GetDriveTypeA, GetDiskFreeSpaceExA). Drives are numbered from 1 (A) to
// 26 (Z); any other number names no drive.
#include <string>
#include <vector>

#include "core/calls.h"
#include "msdetstf/detect_support.h"
#include "toolkit/toolkit_api.h"

namespace {

constexpr int kDriveCount = 26;

bool IsDriveNumber(int drive) { return drive >= 1 && drive <= kDriveCount; }

// "C:\" for drive 3.
std::string RootOf(int drive) { return std::string(1, static_cast<char>('A' + drive - 1)) + ":\\"; }

bool DriveExists(int drive) {
  return IsDriveNumber(drive) && (GetLogicalDrives() & (DWORD{1} << (drive - 1))) != 0;
}

UINT DriveType(int drive) {
  return DriveExists(drive) ? GetDriveTypeA(RootOf(drive).c_str()) : DRIVE_NO_ROOT_DIR;
}

// The drive's total and free bytes; 0 for both when it cannot be measured
// (no such drive, or no medium in it).
void DriveBytes(int drive, LONGLONG* total, LONGLONG* free) {
  *total = 0;
  *free = 0;
  ULARGE_INTEGER callerFree, all, allFree;
  if (!DriveExists(drive) ||
      !GetDiskFreeSpaceExA(RootOf(drive).c_str(), &callerFree, &all, &allFree))
    return;
  *total = static_cast<LONGLONG>(all.QuadPart);
  *free = static_cast<LONGLONG>(callerFree.QuadPart);
}

// "C:", "D:" ... for every drive of the type (any type when type is 0).
std::vector<std::string> DrivesOfType(UINT type) {
  std::vector<std::string> drives;
  for (int drive = 1; drive <= kDriveCount; ++drive) {
    if (DriveExists(drive) && (type == 0 || DriveType(drive) == type))
      drives.push_back(RootOf(drive).substr(0, 2));
  }
  return drives;
}

BOOL DriveIs(const char* function, int drive, UINT type) {
  if (ToolkitCallFails(function, {CallArg(drive)})) return FALSE;
  return static_cast<BOOL>(ToolkitResult(function, DriveType(drive) == type));
}

BOOL FillDrives(const char* function, LPCSTR list, UINT type) {
  if (ToolkitCallFails(function, {CallArg(list)})) return FALSE;
  return static_cast<BOOL>(ToolkitResult(function, FillListSymbol(list, DrivesOfType(type))));
}

}  // namespace

extern "C" BOOL WINAPI FIsValidDrive(int drive) {
  if (ToolkitCallFails("FIsValidDrive", {CallArg(drive)})) return FALSE;
  return static_cast<BOOL>(ToolkitResult("FIsValidDrive", DriveExists(drive)));
}

extern "C" BOOL WINAPI FIsLocalHardDrive(int drive) {
  return DriveIs("FIsLocalHardDrive", drive, DRIVE_FIXED);
}

extern "C" BOOL WINAPI FIsRemoveDrive(int drive) {
  return DriveIs("FIsRemoveDrive", drive, DRIVE_REMOVABLE);
}

extern "C" BOOL WINAPI FIsRemoteDrive(int drive) {
  return DriveIs("FIsRemoteDrive", drive, DRIVE_REMOTE);
}

extern "C" LONGLONG WINAPI LcbTotalDrive(int drive) {
  if (ToolkitCallFails("LcbTotalDrive", {CallArg(drive)})) return 0;
  LONGLONG total = 0, free = 0;
  DriveBytes(drive, &total, &free);
  return ToolkitResult("LcbTotalDrive", total);
}

extern "C" LONGLONG WINAPI LcbFreeDrive(int drive) {
  if (ToolkitCallFails("LcbFreeDrive", {CallArg(drive)})) return 0;
  LONGLONG total = 0, free = 0;
  DriveBytes(drive, &total, &free);
  return ToolkitResult("LcbFreeDrive", free);
}

extern "C" BOOL WINAPI FGetValidDrivesList(LPCSTR list) {
  return FillDrives("FGetValidDrivesList", list, 0);
}

extern "C" BOOL WINAPI FGetLocalHardDrivesList(LPCSTR list) {
  return FillDrives("FGetLocalHardDrivesList", list, DRIVE_FIXED);
}

extern "C" BOOL WINAPI FGetRemovableDrivesList(LPCSTR list) {
  return FillDrives("FGetRemovableDrivesList", list, DRIVE_REMOVABLE);
}

extern "C" BOOL WINAPI FGetNetworkDrivesList(LPCSTR list) {
  return FillDrives("FGetNetworkDrivesList", list, DRIVE_REMOTE);
}
