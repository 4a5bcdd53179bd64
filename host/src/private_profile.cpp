// GetPrivateProfileStringA, GetPrivateProfileSectionA and
// GetPrivateProfileSectionNamesA: INI files of the machine, read through the
// host's file calls and parsed by the same rules as the win.ini editor.

#include <cstring>
#include <string>
#include <vector>

#include "host_internal.h"
#include "profile_text.h"
#include "winapi.h"

namespace host {
namespace {

// A file named without a folder lies in the Windows directory.
std::string ProfilePath(LPCSTR fileName) {
  std::string name = fileName;
  if (FindAnsiChar(name, '\\') == std::string::npos &&
      FindAnsiChar(name, '/') == std::string::npos && FindAnsiChar(name, ':') == std::string::npos)
    return Config().windowsDir + "\\" + name;
  return name;
}

// The file's content; a file that cannot be read reads as empty.
std::string ReadProfile(LPCSTR fileName) {
  std::string content;
  if (fileName == nullptr || *fileName == '\0') return content;
  HFILE file = _lopen(ProfilePath(fileName).c_str(), OF_READ);
  if (file == HFILE_ERROR) return content;
  char buffer[4096];
  for (;;) {
    UINT got = _lread(file, buffer, sizeof buffer);
    if (got == 0 || got == static_cast<UINT>(HFILE_ERROR)) break;
    content.append(buffer, got);
  }
  _lclose(file);
  return content;
}

// Names one after the other, each followed by a zero, and a zero more. A
// list that does not fit is cut, the last name whole or in part, and ends
// with two zeros: the result is then size - 2.
DWORD CopyList(const std::vector<std::string>& items, LPSTR buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return 0;
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  std::string joined;
  for (const std::string& item : items) joined += item + '\0';
  if (joined.size() + 1 <= size) {
    std::memcpy(buffer, joined.c_str(), joined.size() + 1);  // the last zero too
    return static_cast<DWORD>(joined.size());
  }
  std::memcpy(buffer, joined.data(), size - 2);
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  return size - 2;
}

// At most size - 1 characters and the zero; the number copied.
DWORD CopyText(const std::string& text, LPSTR buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return 0;
  size_t copied = text.size() < size ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  return static_cast<DWORD>(copied);
}

std::string StripQuotes(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace
}  // namespace host

extern "C" {

DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                      DWORD size, LPCSTR fileName) {
  std::string content = host::ReadProfile(fileName);
  if (section == nullptr) return host::CopyList(ProfileSectionNames(content), buffer, size);
  std::vector<std::string> lines;
  bool hasSection = ProfileSectionLines(content, section, &lines);
  if (key == nullptr) {
    std::vector<std::string> keys;
    for (const std::string& line : lines) {
      std::string name, value;
      if (SplitProfileLine(line, &name, &value)) keys.push_back(name);
    }
    return host::CopyList(hasSection ? keys : std::vector<std::string>(), buffer, size);
  }
  for (const std::string& line : lines) {
    std::string name, value;
    if (SplitProfileLine(line, &name, &value) && host::EqualNoCase(name, key))
      return host::CopyText(host::StripQuotes(value), buffer, size);
  }
  std::string fallback = defaultValue == nullptr ? "" : defaultValue;
  while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
  return host::CopyText(fallback, buffer, size);
}

DWORD WINAPI GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR fileName) {
  std::vector<std::string> lines;
  if (section != nullptr) ProfileSectionLines(host::ReadProfile(fileName), section, &lines);
  return host::CopyList(lines, buffer, size);
}

DWORD WINAPI GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR fileName) {
  return host::CopyList(ProfileSectionNames(host::ReadProfile(fileName)), buffer, size);
}

}  // extern "C"
