// The machine's drives: GetLogicalDrives, GetDriveTypeA and
// GetDiskFreeSpaceExA over the drive folders and machine.ini [drives].

#include <sys/stat.h>

#include <cstdint>
#include <sstream>

#include "host/machine.h"
#include "kernel32/files/files_internal.h"
#include "machine/machine_internal.h"
#include "machine/syscall_gate.h"
#include "winapi.h"

namespace host {
namespace {

// The upper-case drive letter a path starts with, or 0.
char DriveLetterOf(LPCSTR path) {
  if (path == nullptr || path[0] == '\0' || path[1] != ':') return 0;
  char letter = static_cast<char>(path[0] & ~0x20);
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

}  // namespace

}  // namespace host

extern "C" {

DWORD WINAPI GetLogicalDrives(void) {
  DWORD drives = 0;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (host::DriveOf(letter).type != DRIVE_NO_ROOT_DIR) drives |= DWORD{1} << (letter - 'A');
  }
  return drives;
}

UINT WINAPI GetDriveTypeA(LPCSTR rootPath) {
  // NULL asks for the current directory's drive.
  std::string currentRoot = host::CurrentDirectory().substr(0, 3);
  if (rootPath == nullptr) rootPath = currentRoot.c_str();
  char letter = host::DriveLetterOf(rootPath);
  // A root: "C:" or "C:\" and nothing more.
  if (letter == 0 || (rootPath[2] != '\0' && !(rootPath[2] == '\\' && rootPath[3] == '\0')))
    return DRIVE_NO_ROOT_DIR;
  return host::DriveOf(letter).type;
}

BOOL WINAPI GetDiskFreeSpaceExA(LPCSTR directory, PULARGE_INTEGER freeToCaller,
                                PULARGE_INTEGER totalBytes, PULARGE_INTEGER totalFreeBytes) {
  if (directory != nullptr && host::HasInvalidNameCharacter(directory)) {
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }
  // NULL asks for the current directory's drive; any other path is taken
  // as a folder call takes it: "\\" is the current drive's root, "sub" a
  // folder below the current directory.
  std::string full = directory == nullptr ? host::CurrentDirectory().substr(0, 3)
                                          : host::FullWindowsPath(directory);
  char letter = host::DriveLetterOf(full.c_str());
  host::Drive drive = letter == 0 ? host::Drive() : host::DriveOf(letter);
  if (drive.type == DRIVE_NO_ROOT_DIR) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  if (!drive.hasMedium) {
    SetLastError(ERROR_NOT_READY);
    return FALSE;
  }
  // The folder must be there: the drive is measured through it.
  struct stat info;
  std::string native = host::NativePath(full);
  if (native.empty() || host::sys::Stat(native.c_str(), &info) != 0) {
    SetLastError(host::MissingPathError(full));
    return FALSE;
  }
  if (!S_ISDIR(info.st_mode)) {
    // "file.txt\" names no folder at all.
    SetLastError(host::EndsInSeparator(directory) ? ERROR_INVALID_NAME : ERROR_DIRECTORY);
    return FALSE;
  }
  int64_t left = 0;
  if (host::sys::DiskSpaceLeft(letter, &left)) {
    drive.free = left;
    if (drive.total < left) drive.total = left;
  }
  if (freeToCaller != nullptr) freeToCaller->QuadPart = static_cast<ULONGLONG>(drive.free);
  if (totalBytes != nullptr) totalBytes->QuadPart = static_cast<ULONGLONG>(drive.total);
  if (totalFreeBytes != nullptr) totalFreeBytes->QuadPart = static_cast<ULONGLONG>(drive.free);
  return TRUE;
}

}  // extern "C"
