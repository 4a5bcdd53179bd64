// msdetstf.dll: the system configuration and INI files, read through the
// system's private profile functions (GetPrivateProfileStringA,
// GetPrivateProfileSectionA, GetPrivateProfileSectionNamesA). A file named
// without a directory is the Windows directory's.
#include <string>
#include <vector>

#include "core/calls.h"
#include "core/copy_out.h"
#include "msdetstf/detect_support.h"
#include "toolkit/toolkit_api.h"

namespace {

constexpr DWORD kFirstBufferSize = 1024;
// No INI text the toolkit reads is larger; a bigger one is taken as cut.
constexpr DWORD kLargestBufferSize = 1 << 20;

// Calls read(buffer, size) with ever larger buffers until the text fits:
// a result of size - slack means the system cut it.
template <typename Read>
std::string ReadWhole(Read read, DWORD slack) {
  for (DWORD size = kFirstBufferSize;; size *= 2) {
    std::vector<char> buffer(size);
    DWORD length = read(buffer.data(), size);
    if (length + slack < size || size >= kLargestBufferSize)
      return std::string(buffer.data(), length < size ? length : size - slack);
  }
}

// A zero-separated list (each item followed by a zero) as its items.
std::vector<std::string> ListItems(const std::string& list) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start < list.size()) {
    size_t zero = list.find('\0', start);
    if (zero == std::string::npos) zero = list.size();
    if (zero > start) items.push_back(list.substr(start, zero - start));
    start = zero + 1;
  }
  return items;
}

std::vector<std::string> SectionNames(LPCSTR file) {
  return ListItems(
      ReadWhole([file](LPSTR buffer,
                       DWORD size) { return GetPrivateProfileSectionNamesA(buffer, size, file); },
                2));
}

std::vector<std::string> KeysOf(LPCSTR file, LPCSTR section) {
  return ListItems(ReadWhole(
      [file, section](LPSTR buffer, DWORD size) {
        return GetPrivateProfileStringA(section, nullptr, "", buffer, size, file);
      },
      2));
}

std::vector<std::string> SectionLines(LPCSTR file, LPCSTR section) {
  return ListItems(ReadWhole(
      [file, section](LPSTR buffer, DWORD size) {
        return GetPrivateProfileSectionA(section, buffer, size, file);
      },
      2));
}

std::string KeyValue(LPCSTR file, LPCSTR section, LPCSTR key) {
  return ReadWhole(
      [file, section, key](LPSTR buffer, DWORD size) {
        return GetPrivateProfileStringA(section, key, "", buffer, size, file);
      },
      1);
}

bool Contains(const std::vector<std::string>& items, LPCSTR wanted) {
  for (const std::string& item : items) {
    if (SameTextNoCase(item, wanted)) return true;
  }
  return false;
}

bool Given(LPCSTR text) { return text != nullptr && *text != '\0'; }

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The file name of a path: what follows its last backslash or colon,
// found a whole character at a time.
std::string FileNameOf(const std::string& path) {
  const char* name = path.c_str();
  for (const char* c = path.c_str(); *c != '\0'; c = CharNextA(c)) {
    if (*c == '\\' || *c == ':') name = c + 1;
  }
  return name;
}

// A "device=" line of system.ini's [386Enh] that names driver, by its file
// name, with or without a directory on either side.
bool DriverInConfig(LPCSTR driver) {
  std::string wanted = FileNameOf(Trimmed(driver));
  if (wanted.empty()) return false;
  for (const std::string& line : SectionLines("SYSTEM.INI", "386Enh")) {
    size_t equals = line.find('=');
    if (equals == std::string::npos || !SameTextNoCase(Trimmed(line.substr(0, equals)), "device"))
      continue;
    if (SameTextNoCase(FileNameOf(Trimmed(line.substr(equals + 1))), wanted)) return true;
  }
  return false;
}

}  // namespace

extern "C" BOOL WINAPI FIsDriverInConfig(LPCSTR driver) {
  if (ToolkitCallFails("FIsDriverInConfig", {CallArg(driver)})) return FALSE;
  return static_cast<BOOL>(
      ToolkitResult("FIsDriverInConfig", Given(driver) && DriverInConfig(driver)));
}

extern "C" BOOL WINAPI FDoesIniSectionExist(LPCSTR file, LPCSTR section) {
  if (ToolkitCallFails("FDoesIniSectionExist", {CallArg(file), CallArg(section)})) return FALSE;
  bool exists = Given(file) && Given(section) && Contains(SectionNames(file), section);
  return static_cast<BOOL>(ToolkitResult("FDoesIniSectionExist", exists));
}

extern "C" BOOL WINAPI FDoesIniKeyExist(LPCSTR file, LPCSTR section, LPCSTR key) {
  if (ToolkitCallFails("FDoesIniKeyExist", {CallArg(file), CallArg(section), CallArg(key)}))
    return FALSE;
  bool exists = Given(file) && Given(section) && Given(key) && Contains(KeysOf(file, section), key);
  return static_cast<BOOL>(ToolkitResult("FDoesIniKeyExist", exists));
}

// The key's value; empty when the file, section or key is missing.
extern "C" int WINAPI CbGetIniKeyString(LPCSTR file, LPCSTR section, LPCSTR key, LPSTR buffer,
                                        int size) {
  if (ToolkitCallFails("CbGetIniKeyString",
                       {CallArg(file), CallArg(section), CallArg(key), CallArg(size)})) {
    return 0;
  }
  std::string value;
  if (Given(file) && Given(section) && Given(key)) value = KeyValue(file, section, key);
  return static_cast<int>(ToolkitResult("CbGetIniKeyString", CopyOut(value, buffer, size)));
}
