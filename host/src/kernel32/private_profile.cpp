// GetPrivateProfileStringA, GetPrivateProfileSectionA and
// GetPrivateProfileSectionNamesA: INI files of the machine, read through the
// host's file calls and parsed by the same rules as the win.ini editor.

#include <cstring>
#include <string>
#include <vector>

#include "machine/machine_internal.h"
#include "truncated_copy.h"
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

// A CR ends a line as an LF does, and a CR LF pair ends one line: files
// written with CR alone, or with CR here and CR LF there, read line by line
// (Wine's reading; Windows reads CR-only files as CR LF ones).
void EndCrOnlyLines(std::string* content) {
  for (size_t at = 0; at < content->size(); ++at) {
    if ((*content)[at] == '\r' && (at + 1 == content->size() || (*content)[at + 1] != '\n'))
      (*content)[at] = '\n';
  }
}

// The file's content; a file that cannot be read reads as empty (false,
// with the opening's error set).
bool ReadProfile(LPCSTR fileName, std::string* content) {
  content->clear();
  if (fileName == nullptr || *fileName == '\0') {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  HFILE file = _lopen(ProfilePath(fileName).c_str(), OF_READ);
  if (file == HFILE_ERROR) return false;
  char buffer[4096];
  for (;;) {
    UINT got = _lread(file, buffer, sizeof buffer);
    if (got == 0 || got == static_cast<UINT>(HFILE_ERROR)) break;
    content->append(buffer, got);
  }
  _lclose(file);
  EndCrOnlyLines(content);
  return true;
}

std::string ReadProfile(LPCSTR fileName) {
  std::string content;
  ReadProfile(fileName, &content);
  return content;
}

// A key's value is looked up by section and key without the blanks around
// them; the lists of keys and lines take the section as given.
std::string Trimmed(LPCSTR text) {
  std::string trimmed = text;
  size_t first = trimmed.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return trimmed.substr(first, trimmed.find_last_not_of(" \t") - first + 1);
}

// Names one after the other, each followed by a zero, and a zero more. A
// list that does not fit is cut, the last name whole or in part, and ends
// with two zeros: the result is then size - 2. Windows counts a list that
// fits exactly, its last zero in the buffer's last byte, as cut too.
DWORD CopyList(const std::vector<std::string>& items, LPSTR buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return 0;
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  std::string joined;
  for (const std::string& item : items) joined += item + '\0';
  if (joined.size() + 1 < size) {
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
  return static_cast<DWORD>(machine_ini::CopyTruncated(text, buffer, size));
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
  std::string fallback = defaultValue == nullptr ? "" : defaultValue;
  while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
  std::vector<std::string> lines;
  if (key == nullptr) {
    ProfileSectionLines(content, section, &lines);
    std::vector<std::string> keys;
    for (const std::string& line : lines) {
      std::string name, value;
      if (SplitProfileLine(line, &name, &value)) keys.push_back(name);
    }
    // A section without keys (or none of that name) gives the default.
    if (keys.empty()) return host::CopyText(fallback, buffer, size);
    return host::CopyList(keys, buffer, size);
  }
  ProfileSectionLines(content, host::Trimmed(section), &lines);
  std::string trimmedKey = host::Trimmed(key);
  for (const std::string& line : lines) {
    std::string name, value;
    if (SplitProfileLine(line, &name, &value) && host::EqualNoCase(name, trimmedKey))
      return host::CopyText(host::StripQuotes(value), buffer, size);
  }
  return host::CopyText(fallback, buffer, size);
}

DWORD WINAPI GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR fileName) {
  // Windows NT and Wine refuse a missing section name or buffer, and write
  // nothing; Windows 95 leaves the last error alone there.
  if (section == nullptr || buffer == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string content;
  // A file that is read sets the last error to 0 (section or none); one that
  // cannot be read leaves the error of its opening.
  if (host::ReadProfile(fileName, &content)) SetLastError(ERROR_SUCCESS);
  std::vector<std::string> lines;
  ProfileSectionLines(content, section, &lines);
  // An empty section reads as an empty list with both its zeros.
  if (lines.empty() && size >= 2) buffer[1] = '\0';
  return host::CopyList(lines, buffer, size);
}

DWORD WINAPI GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR fileName) {
  return host::CopyList(ProfileSectionNames(host::ReadProfile(fileName)), buffer, size);
}

}  // extern "C"
