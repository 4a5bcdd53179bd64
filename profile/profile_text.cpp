#include "profile_text.h"

#include <vector>

#include "winapi.h"

namespace {

const char kNewLine[] = "\r\n";

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

std::string Upper(std::string text) {
  if (!text.empty()) CharUpperA(text.data());
  return text;
}

bool EqualNoCase(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

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
    if (newline == std::string::npos) {
      lines.push_back(Line{content.substr(start), std::string()});
      break;
    }
    bool crlf = newline > start && content[newline - 1] == '\r';
    size_t end = crlf ? newline - 1 : newline;
    lines.push_back(Line{content.substr(start, end - start), std::string(crlf ? "\r\n" : "\n")});
    start = newline + 1;
  }
  return lines;
}

// The section a "[name]" line opens; false for another line. The closing
// bracket is found a whole character at a time, so that a trail byte is
// never taken for it.
bool SectionOf(const std::string& text, std::string* name) {
  std::string trimmed = Trim(text);
  if (trimmed.empty() || trimmed[0] != '[') return false;
  const char* begin = trimmed.c_str() + 1;
  const char* close = begin;
  while (*close != '\0' && *close != ']') close = CharNextA(close);
  *name = Trim(std::string(begin, static_cast<size_t>(close - begin)));
  return true;
}

// The key of a "key=value" line; false for a comment or another line.
bool KeyOf(const std::string& text, std::string* key) {
  std::string trimmed = Trim(text);
  if (trimmed.empty() || trimmed[0] == ';') return false;
  size_t equals = trimmed.find('=');
  if (equals == std::string::npos) return false;
  *key = Trim(trimmed.substr(0, equals));
  return true;
}

}  // namespace

std::string EditProfileText(const std::string& content, const std::string& section, const char* key,
                            const char* value) {
  std::vector<Line> lines = SplitLines(content);
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

std::vector<std::string> ProfileSectionNames(const std::string& content) {
  std::vector<std::string> names;
  for (const Line& line : SplitLines(content)) {
    std::string name;
    if (SectionOf(line.text, &name)) names.push_back(name);
  }
  return names;
}

bool ProfileSectionLines(const std::string& content, const std::string& section,
                         std::vector<std::string>* lines) {
  bool inSection = false;
  for (const Line& line : SplitLines(content)) {
    std::string name;
    if (SectionOf(line.text, &name)) {
      if (inSection) return true;  // the first section of the name only
      inSection = EqualNoCase(name, section);
      continue;
    }
    std::string text = Trim(line.text);
    if (inSection && !text.empty() && text[0] != ';') lines->push_back(text);
  }
  return inSection;
}

bool SplitProfileLine(const std::string& line, std::string* key, std::string* value) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  *key = Trim(line.substr(0, equals));
  *value = Trim(line.substr(equals + 1));
  return true;
}
