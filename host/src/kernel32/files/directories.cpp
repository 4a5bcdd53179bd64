// The current directory, the Windows and system directories, attributes,
// directory creation and removal.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/machine.h"
#include "kernel32/files/files_internal.h"
#include "machine/machine_internal.h"
#include "machine/syscall_gate.h"
#include "winapi.h"

namespace host {
namespace {

// The current directory, with the backslash Windows keeps after it, must
// stay below MAX_PATH characters.
constexpr size_t kMaxCurrentDirectory = MAX_PATH - 2;

// Copies text to a caller's buffer with the directory functions' contract:
// the length without the zero when it fits, else the size needed with the
// zero and nothing written.
DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size) {
  if (buffer == nullptr || size <= text.size()) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

}  // namespace

DWORD MissingPathError(const std::string& full) {
  size_t slash = FindLastAnsiChar(full, '\\');
  std::string parent =
      slash == std::string::npos || slash < 3 ? full.substr(0, 3) : full.substr(0, slash);
  struct stat info;
  std::string native = NativePath(parent);
  if (!native.empty() && sys::Stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    return ERROR_FILE_NOT_FOUND;
  return ERROR_PATH_NOT_FOUND;
}

}  // namespace host

extern "C" {

DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  return host::CopyOut(host::CurrentDirectoryAsGiven(), buffer, size);
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR path) {
  if (path == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (*path == '\0' || host::HasInvalidNameCharacter(path)) {
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }
  std::string full = host::FullWindowsPath(path);
  if (full.empty()) {
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }
  if (full.size() > host::kMaxCurrentDirectory) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  std::string native = host::NativePath(full);
  struct stat info;
  if (native.empty() || host::sys::Stat(native.c_str(), &info) != 0) {
    SetLastError(native.empty() ? ERROR_PATH_NOT_FOUND : host::MissingPathError(full));
    return FALSE;
  }
  if (!S_ISDIR(info.st_mode)) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  // Windows keeps the text as given, drive letter included; a path without
  // a drive keeps the current one's spelling.
  char driveAsGiven = path[1] == ':' ? path[0] : host::CurrentDirectoryAsGiven()[0];
  host::SetCurrentDirectoryPath(full);
  host::CurrentDirectoryAsGiven()[0] = driveAsGiven;
  return TRUE;
}

UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  const host::MachineConfig& config = host::Config();
  return host::CopyOut(config.windowsDirText.value_or(config.windowsDir), buffer, size);
}

UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size) {
  const host::MachineConfig& config = host::Config();
  return host::CopyOut(config.systemDirText.value_or(config.systemDir), buffer, size);
}

DWORD WINAPI GetFileAttributesA(LPCSTR path) {
  std::string full;
  std::string native = host::NativePathOfCall(path, &full);
  if (native.empty()) return INVALID_FILE_ATTRIBUTES;
  struct stat info;
  if (host::sys::Stat(native.c_str(), &info) != 0) {
    SetLastError(host::MissingPathError(full));
    return INVALID_FILE_ATTRIBUTES;
  }
  // "name\\" asks for a folder: a file of that name is no path.
  if (!S_ISDIR(info.st_mode) && host::EndsInSeparator(path)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  // By the mode bits, not by access(): the host may run as root.
  if (!(info.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  bool hidden = false;
  if (!host::ReadHiddenAttribute(native, &hidden)) {
    SetLastError(host::WindowsErrorOf(errno));
    return INVALID_FILE_ATTRIBUTES;
  }
  if (hidden) attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes;
}

BOOL WINAPI CreateDirectoryA(LPCSTR path, void* /*security*/) {
  std::string full;
  std::string native = host::NativePathOfCall(path, &full);
  if (native.empty()) return FALSE;
  if (full.size() <= 3) {  // a drive root always exists
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (host::sys::MakeDirectory(native.c_str(), 0777) == 0) return TRUE;
  switch (errno) {
    case EEXIST:
      SetLastError(ERROR_ALREADY_EXISTS);
      break;
    case ENOENT:
    case ENOTDIR:
      SetLastError(ERROR_PATH_NOT_FOUND);
      break;
    case ENOSPC:
      SetLastError(ERROR_DISK_FULL);
      break;
    default:
      SetLastError(ERROR_ACCESS_DENIED);
      break;
  }
  return FALSE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR path) {
  if (path != nullptr && *path == '\0') {
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }
  std::string full;
  std::string native = host::NativePathOfCall(path, &full);
  if (native.empty()) return FALSE;
  struct stat info;
  if (host::sys::Stat(native.c_str(), &info) != 0) {
    SetLastError(host::MissingPathError(full));
    return FALSE;
  }
  if (!S_ISDIR(info.st_mode)) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  // Windows refuses a drive root, and the directory a process stands in is
  // held open by it, as a file open by handle is.
  if (full.size() <= 3 || host::sys::OpenRefused(full)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (host::EqualNoCase(full, host::CurrentDirectory())) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  if (host::sys::RemoveDirectory(native.c_str()) == 0) return TRUE;
  SetLastError(errno == ENOTEMPTY || errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ERROR_ACCESS_DENIED);
  return FALSE;
}

}  // extern "C"
