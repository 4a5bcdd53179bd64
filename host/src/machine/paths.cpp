// Windows paths and where they lie in the machine directory.

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "host/machine.h"
#include "machine/machine_internal.h"
#include "machine/syscall_gate.h"

namespace host {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Splits at backslashes and slashes, a whole character at a time, so that
// the trail byte of a double-byte character is never taken for one.
std::vector<std::string> SplitComponents(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (IsAnsiLeadByte(static_cast<unsigned char>(c)) && i + 1 < path.size()) {
      part += c;
      part += path[++i];
    } else if (IsSeparator(c)) {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

bool IsDirectory(const std::string& nativePath) {
  struct stat info;
  return sys::Stat(nativePath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The errno of the listing that failed the last NativePath.
int lastListingError = 0;

// The entry of nativeDir whose name matches name case-insensitively; an
// exact match wins over others, then the first in byte order, so that the
// answer does not depend on the order the file system lists entries. Empty
// when there is none, or when the folder cannot be listed (*error: its
// errno; a folder that is not there, or no folder, is no error).
std::string FindEntry(const std::string& nativeDir, const std::string& name, int* error) {
  *error = 0;
  DIR* dir = sys::OpenDirectory(nativeDir.c_str());
  if (dir == nullptr) {
    if (errno != ENOENT && errno != ENOTDIR) *error = errno;
    return std::string();
  }
  std::string best;
  for (;;) {
    dirent* entry = sys::ReadDirectory(dir);
    if (entry == nullptr) {
      *error = errno;
      break;
    }
    std::string candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if (candidate == name) {
      best = candidate;
      break;
    }
    if (EqualNoCase(candidate, name) && (best.empty() || candidate < best)) best = candidate;
  }
  sys::CloseDirectory(dir);
  return *error == 0 ? best : std::string();
}

}  // namespace

int NativePathError() { return lastListingError; }

std::string FullWindowsPath(const std::string& path) {
  if (path.empty()) return std::string();
  std::string drive;
  std::string rest;
  std::string base = CurrentDirectory();
  if (path.size() >= 2 && path[1] == ':') {
    unsigned char letter = static_cast<unsigned char>(path[0]);
    if (!((letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z')))
      return std::string();
    drive = std::string(1, static_cast<char>(letter & ~0x20)) + ":";
    rest = path.substr(2);
    // "D:name" is relative to the current directory when it is on drive D,
    // else to the root of D (the host keeps one current directory, not one
    // per drive).
    if (rest.empty() || !IsSeparator(rest[0])) {
      if (base.size() >= 2 && (base[0] & ~0x20) == drive[0])
        rest = base.substr(2) + "\\" + rest;
      else
        rest = "\\" + rest;
    }
  } else if (IsSeparator(path[0])) {
    if (path.size() >= 2 && IsSeparator(path[1])) return std::string();  // UNC
    if (base.size() < 2) return std::string();
    drive = base.substr(0, 2);
    rest = path;
  } else {
    if (base.size() < 2) return std::string();
    drive = base.substr(0, 2);
    rest = base.substr(2) + "\\" + path;
  }

  std::vector<std::string> resolved;
  for (std::string part : SplitComponents(rest)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!resolved.empty()) resolved.pop_back();
      continue;
    }
    // Windows drops trailing dots and blanks of a name ("file." is "file").
    while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    if (!part.empty()) resolved.push_back(part);
  }
  std::string full = drive;
  for (const std::string& part : resolved) full += "\\" + part;
  if (resolved.empty()) full += "\\";
  return full;
}

std::string NativePath(const std::string& windowsPath) {
  lastListingError = 0;
  std::string full = FullWindowsPath(windowsPath);
  if (full.empty() || MachineDir().empty()) return std::string();
  std::string native = MachineDir() + "/" + static_cast<char>(full[0] | 0x20);
  if (!IsDirectory(native)) return std::string();
  bool existing = true;  // every component so far exists
  for (const std::string& part : SplitComponents(full.substr(2))) {
    std::string name = part;
    if (existing) {
      std::string found = FindEntry(native, part, &lastListingError);
      // A folder that cannot be listed leaves the path unknown, not missing.
      if (lastListingError != 0) return std::string();
      if (found.empty())
        existing = false;
      else
        name = found;
    }
    native += "/" + name;
  }
  return native;
}

bool HasInvalidNameCharacter(const char* path) {
  for (size_t i = 0; path[i] != '\0'; ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsAnsiLeadByte(c) && path[i + 1] != '\0') {
      ++i;
      continue;
    }
    if (c < 0x20 || c == '*' || c == '?' || c == '<' || c == '>' || c == '|' || c == '"')
      return true;
    if (c == ':' && i != 1) return true;
  }
  return false;
}

bool EndsInSeparator(const char* path) {
  if (path == nullptr || *path == '\0') return false;
  const char* last = path;
  for (const char* p = path; *p != '\0'; p = CharNextA(p)) last = p;
  return IsSeparator(*last);
}

std::string NativePathOfCall(const char* path, std::string* full) {
  std::string native;
  if (path != nullptr && HasInvalidNameCharacter(path)) {
    SetLastError(ERROR_INVALID_NAME);
    return native;
  }
  if (path != nullptr && *path != '\0') {
    *full = FullWindowsPath(path);
    native = NativePath(*full);
  }
  if (native.empty())
    SetLastError(NativePathError() != 0 ? WindowsErrorOf(NativePathError()) : ERROR_PATH_NOT_FOUND);
  return native;
}

}  // namespace host
