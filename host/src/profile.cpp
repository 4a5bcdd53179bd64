// WriteProfileStringA: win.ini in the Windows directory, edited as Windows
// edits it: sections and keys found case-insensitively, a key replaced where
// it stands, a missing key added at the end of its section, a missing
// section appended at the end of the file; new lines end in CR LF and every
// other line stays byte for byte. The file is read and written through the
// host's file calls, so their faults apply.

#include <string>
#include <vector>

#include "host_internal.h"
#include "winapi.h"

namespace host {
namespace {

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

// One line of the file with its own line break (none for a last line
// without one).
struct Line {
  std::string text;    // without the line break
  std::string ending;  // "\r\n", "\n" or ""
};

std::vector<Line> SplitLines(const std::string& content) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < content.size()) {
    size_t newline = content.find('\n', start);
    Line line;
    if (newline == std::string::npos) {
      line.text = content.substr(start);
      start = content.size();
    } else {
      size_t end = newline;
      line.ending = "\n";
      if (end > start && content[end - 1] == '\r') {
        --end;
        line.ending = "\r\n";
      }
      line.text = content.substr(start, end - start);
      start = newline + 1;
    }
    lines.push_back(line);
  }
  return lines;
}

// The section a "[name]" line opens, or false for another line.
bool SectionOf(const std::string& text, std::string* name) {
  std::string trimmed = Trim(text);
  if (trimmed.empty() || trimmed[0] != '[') return false;
  size_t close = FindAnsiChar(trimmed, ']');
  *name = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

// The key of a "key=value" line, or false for a comment or other line.
bool KeyOf(const std::string& text, std::string* key) {
  std::string trimmed = Trim(text);
  if (trimmed.empty() || trimmed[0] == ';') return false;
  size_t equals = trimmed.find('=');
  if (equals == std::string::npos) return false;
  *key = Trim(trimmed.substr(0, equals));
  return true;
}

// The edited content. key null removes the section, value null the key.
std::string Edit(const std::string& content, const std::string& section, const char* key,
                 const char* value) {
  std::vector<Line> lines = SplitLines(content);
  const std::string kNewLine = "\r\n";
  // The first section of the name, as Windows finds it.
  size_t header = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name;
    if (SectionOf(lines[i].text, &name) && EqualNoCase(name, section)) {
      header = i;
      break;
    }
  }
  if (header == lines.size()) {
    if (key == nullptr || value == nullptr) return content;  // nothing to remove
    std::string result = content;
    if (!result.empty() && result.back() != '\n') result += kNewLine;
    return result + "[" + section + "]" + kNewLine + key + "=" + value + kNewLine;
  }
  size_t end = header + 1;  // one past the section's last line
  for (std::string name; end < lines.size() && !SectionOf(lines[end].text, &name);) ++end;

  if (key == nullptr) {
    lines.erase(lines.begin() + static_cast<long>(header), lines.begin() + static_cast<long>(end));
  } else {
    size_t found = end;
    for (size_t i = header + 1; i < end; ++i) {
      std::string name;
      if (KeyOf(lines[i].text, &name) && EqualNoCase(name, key)) {
        found = i;
        break;
      }
    }
    if (found != end) {
      std::string name;
      KeyOf(lines[found].text, &name);
      if (value == nullptr) {
        lines.erase(lines.begin() + static_cast<long>(found));
      } else {
        // The line keeps the key as the file spells it, and its line break.
        lines[found].text = name + "=" + value;
        if (lines[found].ending.empty()) lines[found].ending = kNewLine;
      }
    } else if (value != nullptr) {
      // After the section's last line that is not blank.
      size_t at = end;
      while (at > header + 1 && Trim(lines[at - 1].text).empty()) --at;
      if (lines[at - 1].ending.empty()) lines[at - 1].ending = kNewLine;
      lines.insert(lines.begin() + static_cast<long>(at),
                   Line{std::string(key) + "=" + value, kNewLine});
    }
  }
  std::string result;
  for (const Line& line : lines) result += line.text + line.ending;
  return result;
}

bool ReadWhole(HFILE file, std::string* content) {
  char buffer[4096];
  for (;;) {
    UINT got = _lread(file, buffer, sizeof buffer);
    if (got == static_cast<UINT>(HFILE_ERROR)) return false;
    if (got == 0) return true;
    content->append(buffer, got);
  }
}

}  // namespace
}  // namespace host

extern "C" BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  if (section == nullptr) {
    // Windows flushes its cache for (NULL, NULL, NULL) and still answers
    // FALSE; there is no cache here.
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  std::string path = host::Config().windowsDir + "\\win.ini";
  std::string content;
  HFILE file = _lopen(path.c_str(), OF_READWRITE);
  if (file == HFILE_ERROR) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return FALSE;
    file = _lcreat(path.c_str(), 0);
    if (file == HFILE_ERROR) return FALSE;
  } else if (!host::ReadWhole(file, &content)) {
    _lclose(file);
    return FALSE;
  }
  std::string edited = host::Edit(content, section, key, value);
  BOOL ok = TRUE;
  if (edited != content) {
    // Written over the old content, then ended: only growth takes space.
    ok = _llseek(file, 0, FILE_BEGIN) == 0 &&
         _lwrite(file, edited.data(), static_cast<UINT>(edited.size())) == edited.size() &&
         _lwrite(file, "", 0) == 0;
  }
  _lclose(file);
  return ok;
}
