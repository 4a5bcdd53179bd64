// FindFirstFileA, FindNextFileA and FindClose over one folder of the
// machine. The folder is taken as a FAT folder of Windows 95: every long
// name has a short name as well (short_names.h), reported in
// cAlternateFileName, and a pattern finds an entry by either name.

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "host/machine.h"
#include "kernel32/files/files_internal.h"
#include "kernel32/files/short_names.h"
#include "machine/machine_internal.h"
#include "machine/syscall_gate.h"
#include "winapi.h"

namespace host {
namespace {

struct Search {
  std::string nativeFolder;
  std::vector<std::string> names;                 // the matching entries, in the order given out
  std::map<std::string, std::string> shortNames;  // of those that have one
  size_t next = 0;
};

struct Searches {
  std::map<INT_PTR, Search> open;
  // Handles are multiples of 4 above the file handles' range, never reused.
  INT_PTR nextHandle = 0x20000;
};

Searches& TheSearches() {
  static Searches searches;
  return searches;
}

bool SameLetter(unsigned char a, unsigned char b) { return UpperAnsiByte(a) == UpperAnsiByte(b); }

// * matches any run of characters (also none), ? one character; letter
// case is ignored. Dots and stars left at the pattern's end when the name
// is used up match nothing, as on Windows: "name.*" finds "name", and
// "*.*" every name. Iterative, with one point to return to after a *, so
// that no pattern takes more than length x length steps.
bool WildcardMatch(const std::string& name, const std::string& pattern) {
  size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || SameLetter(static_cast<unsigned char>(pattern[p]),
                                                static_cast<unsigned char>(name[n])))) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '.')) ++p;
  return p == pattern.size();
}

enum class Filled { Yes, Gone, Failed };

// The entry's data; Gone when the entry went since the folder was listed,
// Failed (with errno) when the file system could not say.
Filled Fill(const Search& search, const std::string& name, LPWIN32_FIND_DATAA data) {
  struct stat info;
  std::string native = name == "."    ? search.nativeFolder
                       : name == ".." ? search.nativeFolder + "/.."
                                      : search.nativeFolder + "/" + name;
  if (sys::Stat(native.c_str(), &info) != 0) return errno == ENOENT ? Filled::Gone : Filled::Failed;
  bool hidden = false;
  if (!ReadHiddenAttribute(native, &hidden)) return Filled::Failed;
  std::memset(data, 0, sizeof *data);
  data->dwFileAttributes =
      S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (!(info.st_mode & S_IWUSR)) data->dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
  if (hidden) data->dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
  data->ftLastWriteTime = FileTimeOf(info.st_mtim);
  data->ftCreationTime = data->ftLastWriteTime;
  data->ftLastAccessTime = data->ftLastWriteTime;
  if (!S_ISDIR(info.st_mode)) {
    uint64_t size = static_cast<uint64_t>(info.st_size);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(size);
  }
  std::memcpy(data->cFileName, name.c_str(), name.size() + 1);
  auto shortName = search.shortNames.find(name);
  if (shortName != search.shortNames.end() &&
      shortName->second.size() < sizeof data->cAlternateFileName)
    std::memcpy(data->cAlternateFileName, shortName->second.c_str(), shortName->second.size() + 1);
  return Filled::Yes;
}

// Gives out the search's next entry; false with the error when none is
// left (ERROR_NO_MORE_FILES) or the next cannot be read, which stays next.
bool GiveNext(Search& search, LPWIN32_FIND_DATAA data, DWORD* error) {
  while (search.next < search.names.size()) {
    Filled filled = Fill(search, search.names[search.next], data);
    if (filled == Filled::Failed) {
      *error = WindowsErrorOf(errno);
      return false;
    }
    ++search.next;
    if (filled == Filled::Yes) return true;
  }
  *error = ERROR_NO_MORE_FILES;
  return false;
}

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

void ResetSearches() { TheSearches() = Searches(); }

}  // namespace host

extern "C" {

HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
  if (pattern == nullptr || *pattern == '\0' || data == nullptr)
    return host::Fail(ERROR_PATH_NOT_FOUND);
  std::string full = host::FullWindowsPath(pattern);
  size_t slash = host::FindLastAnsiChar(full, '\\');
  // "folder\\" names no entry to look for.
  if (full.empty() || slash == std::string::npos || slash + 1 == full.size() ||
      host::EndsInSeparator(pattern))
    return host::Fail(ERROR_FILE_NOT_FOUND);
  std::string folder = full.substr(0, slash == 2 ? 3 : slash);
  std::string namePattern = full.substr(slash + 1);
  // Wildcards belong to the last name only.
  if (host::FindAnsiChar(folder, '*') != std::string::npos ||
      host::FindAnsiChar(folder, '?') != std::string::npos)
    return host::Fail(ERROR_INVALID_NAME);

  host::Search search;
  search.nativeFolder = host::NativePath(folder);
  if (search.nativeFolder.empty())
    return host::Fail(host::NativePathError() != 0 ? host::WindowsErrorOf(host::NativePathError())
                                                   : ERROR_PATH_NOT_FOUND);
  DIR* dir = host::sys::OpenDirectory(search.nativeFolder.c_str());
  if (dir == nullptr) return host::Fail(host::WindowsErrorOf(errno));
  std::vector<std::string> names;
  for (;;) {
    dirent* entry = host::sys::ReadDirectory(dir);
    if (entry == nullptr) break;
    std::string name = entry->d_name;
    if (name != "." && name != ".." && name.size() < MAX_PATH) names.push_back(name);
  }
  // A listing cut short by a failure is no listing: the entries it missed
  // would be reported as absent.
  int listingError = errno;
  host::sys::CloseDirectory(dir);
  if (listingError != 0) return host::Fail(host::WindowsErrorOf(listingError));
  std::sort(names.begin(), names.end());
  std::map<std::string, std::string> shortNames = host::ShortNamesOf(names);
  // A folder that is not a drive's root lists itself and its parent first.
  if (folder.size() > 3) names.insert(names.begin(), {".", ".."});
  for (const std::string& name : names) {
    auto shortName = shortNames.find(name);
    bool hasShortName = shortName != shortNames.end();
    if (host::WildcardMatch(name, namePattern) ||
        (hasShortName && host::WildcardMatch(shortName->second, namePattern))) {
      search.names.push_back(name);
      if (hasShortName) search.shortNames.insert(*shortName);
    }
  }
  DWORD error = 0;
  if (!host::GiveNext(search, data, &error))
    return host::Fail(error == ERROR_NO_MORE_FILES ? ERROR_FILE_NOT_FOUND : error);
  host::Searches& searches = host::TheSearches();
  INT_PTR handle = searches.nextHandle;
  searches.nextHandle += 4;
  searches.open[handle] = std::move(search);
  return reinterpret_cast<HANDLE>(handle);
}

BOOL WINAPI FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data) {
  auto found = host::TheSearches().open.find(reinterpret_cast<INT_PTR>(search));
  if (found == host::TheSearches().open.end() || data == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD error = 0;
  if (host::GiveNext(found->second, data, &error)) return TRUE;
  SetLastError(error);
  return FALSE;
}

BOOL WINAPI FindClose(HANDLE search) {
  if (host::TheSearches().open.erase(reinterpret_cast<INT_PTR>(search)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

}  // extern "C"
