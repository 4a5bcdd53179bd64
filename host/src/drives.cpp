// The machine's drives: GetLogicalDrives, GetDriveTypeA and
// GetDiskFreeSpaceExA over the drive folders and machine.ini [drives].

#include <sys/stat.h>

#include <cstdint>
#include <sstream>

#include "host/machine.h"
#include "host_internal.h"
#include "syscall_gate.h"
#include "winapi.h"

namespace host {
namespace {

// A drive folder that [drives] does not describe.
constexpr int64_t kDefaultTotalBytes = int64_t{2} << 30;
constexpr int64_t kDefaultFreeBytes = int64_t{1} << 30;

struct Drive {
  UINT type = DRIVE_NO_ROOT_DIR;
  bool hasMedium = false;  // its folder exists
  int64_t total = 0;
  int64_t free = 0;
};

bool ParseByteCount(const std::string& text, int64_t* bytes) {
  if (text.empty() || text.size() > 18) return false;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  *bytes = value;
  return true;
}

// "KIND [TOTAL [FREE]]"; false for anything else.
bool ParseDriveLine(const std::string& line, Drive* drive) {
  std::istringstream words(line);
  std::string kind, total, free, extra;
  words >> kind >> total >> free >> extra;
  if (!extra.empty()) return false;
  for (char& c : kind) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (kind == "fixed")
    drive->type = DRIVE_FIXED;
  else if (kind == "removable")
    drive->type = DRIVE_REMOVABLE;
  else if (kind == "remote")
    drive->type = DRIVE_REMOTE;
  else if (kind == "cdrom")
    drive->type = DRIVE_CDROM;
  else
    return false;
  drive->total = kDefaultTotalBytes;
  drive->free = kDefaultFreeBytes;
  if (!total.empty() && !ParseByteCount(total, &drive->total)) return false;
  if (!free.empty() && !ParseByteCount(free, &drive->free)) return false;
  // A total alone: free as much as the default, at most the total.
  if (free.empty() && drive->free > drive->total) drive->free = drive->total;
  return drive->free <= drive->total;
}

bool HasFolder(char letter) {
  if (MachineDir().empty()) return false;
  struct stat info;
  std::string folder = MachineDir() + "/" + static_cast<char>(letter - 'A' + 'a');
  return sys::Stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The drive of an upper-case letter as the machine has it.
Drive DriveOf(char letter) {
  Drive drive;
  drive.hasMedium = HasFolder(letter);
  std::string line = MachineValue("drives", std::string(1, letter));
  if (!line.empty() && ParseDriveLine(line, &drive)) return drive;
  if (drive.hasMedium) {
    drive.type = DRIVE_FIXED;
    drive.total = kDefaultTotalBytes;
    drive.free = kDefaultFreeBytes;
  }
  return drive;
}

// The upper-case drive letter a path starts with, or 0.
char DriveLetterOf(LPCSTR path) {
  if (path == nullptr || path[0] == '\0' || path[1] != ':') return 0;
  char letter = static_cast<char>(path[0] & ~0x20);
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

}  // namespace

bool LoadDrives(std::string* error) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string line = MachineValue("drives", std::string(1, letter));
    Drive drive;
    if (!line.empty() && !ParseDriveLine(line, &drive)) {
      *error = std::string("machine.ini [drives] ") + letter +
               " is not KIND [TOTAL [FREE]] (fixed, removable, remote or cdrom; free at most "
               "total): " +
               line;
      return false;
    }
  }
  return true;
}

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
