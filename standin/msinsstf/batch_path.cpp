// msinsstf.dll: a directory put in front of a variable in a batch file
// (AUTOEXEC.BAT). The file's last line that sets the variable, `SET
// VAR=value` (or, for PATH, `PATH value` and `PATH=value`), becomes `SET
// VAR=DIR;value`; a file without one gets `SET VAR=DIR;%VAR%` at its end, so
// the value in force before is kept behind the directory. A value that
// starts with the directory already is left as it is. Every other line stays
// byte for byte. Transcript: `path prepend "FILE" "VAR" "DIR"`.
#include <string>
#include <vector>

#include "core/calls.h"
#include "msinsstf/file_ops.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

bool HasText(LPCSTR text) { return text != nullptr && *text != '\0'; }

std::string Upper(std::string text) {
  if (!text.empty()) CharUpperA(text.data());
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipBlanks(const std::string& text, size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

// The value the line gives the variable, when it sets it.
bool ValueSet(const std::string& line, const std::string& variable, std::string* value) {
  std::string upper = Upper(line);
  std::string name = Upper(variable);
  size_t at = SkipBlanks(upper, 0);
  size_t valueStart = 0;
  if (upper.compare(at, 4, "SET ") == 0 || upper.compare(at, 4, "SET\t") == 0) {
    at = SkipBlanks(upper, at + 4);
    if (upper.compare(at, name.size(), name) != 0) return false;
    at = SkipBlanks(upper, at + name.size());
    if (at >= upper.size() || upper[at] != '=') return false;
    valueStart = at + 1;
  } else if (name == "PATH" && upper.compare(at, 4, "PATH") == 0) {
    at += 4;
    if (at >= upper.size() || (upper[at] != '=' && !IsBlank(upper[at]))) return false;
    at = SkipBlanks(upper, at);
    valueStart = at < upper.size() && upper[at] == '=' ? at + 1 : at;  // "PATH value": no '='
  } else {
    return false;
  }
  *value = line.substr(SkipBlanks(line, valueStart));
  return true;
}

bool StartsWithDirectory(const std::string& value, const std::string& directory) {
  std::string first = value.substr(0, value.find(';'));
  return Upper(first) == Upper(directory);
}

struct Line {
  std::string text;
  std::string ending;
};

std::vector<Line> SplitLines(const std::string& content) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < content.size()) {
    size_t newline = content.find('\n', start);
    if (newline == std::string::npos) {
      lines.push_back(Line{content.substr(start), ""});
      break;
    }
    bool crlf = newline > start && content[newline - 1] == '\r';
    lines.push_back(
        Line{content.substr(start, newline - start - (crlf ? 1 : 0)), crlf ? "\r\n" : "\n"});
    start = newline + 1;
  }
  return lines;
}

std::string PrependInBatch(const std::string& content, const std::string& variable,
                           const std::string& directory) {
  std::vector<Line> lines = SplitLines(content);
  size_t last = lines.size();
  std::string value;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string found;
    if (ValueSet(lines[i].text, variable, &found)) {
      last = i;
      value = found;
    }
  }
  if (last == lines.size()) {
    if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = "\r\n";
    lines.push_back(Line{"SET " + variable + "=" + directory + ";%" + variable + "%", "\r\n"});
  } else if (!StartsWithDirectory(value, directory)) {
    lines[last].text = "SET " + variable + "=" + directory + (value.empty() ? "" : ";" + value);
  }
  std::string result;
  for (const Line& line : lines) result += line.text + line.ending;
  return result;
}

}  // namespace

extern "C" BOOL WINAPI FPrependToPath(LPCSTR file, LPCSTR variable, LPCSTR directory, int cmo) {
  if (ToolkitCallFails("FPrependToPath",
                       {CallArg(file), CallArg(variable), CallArg(directory), CallArg(cmo)})) {
    return FALSE;
  }
  BOOL done = FALSE;
  if (HasText(file) && HasText(variable) && HasText(directory)) {
    std::string content;
    bool readable = ReadWholeFile(file, &content) || !IsExistingFile(file);
    if (readable) {
      std::string edited = PrependInBatch(content, variable, directory);
      done = edited == content || WriteWholeFile(file, edited);
    }
    if (done) {
      TranscriptLine("path prepend " + CallArg(file) + " " + CallArg(variable) + " " +
                     CallArg(directory));
    }
  }
  return static_cast<BOOL>(ToolkitResult("FPrependToPath", done));
}
