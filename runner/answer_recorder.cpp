#include "answer_recorder.h"

#include <cctype>
#include <cstdio>

std::string QuoteAnswerText(const std::string& text) {
  std::string quoted = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\n') {
      continue;  // a single-line field never holds one; the file could not carry it
    } else if (c == '"') {
      quoted += "\\\"";
    } else if (c == '\\' && (i + 1 == text.size() || text[i + 1] == '"' || text[i + 1] == '\\')) {
      quoted += "\\\\";
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string PageAnswerLine(int page, const std::string* typedText, const std::string& outcome) {
  std::string line = "page " + std::to_string(page);
  if (typedText != nullptr) line += " text " + QuoteAnswerText(*typedText);
  std::string word;
  for (char c : outcome) word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return line + " " + word;
}

std::string DialogAnswerLine(const std::string& dialog, int select, int button) {
  std::string line = "dialog " + dialog;
  if (select >= 0) line += " select " + std::to_string(select);
  return line + " button " + std::to_string(button);
}

bool AnswerRecorder::Open(const std::string& path, const std::string& heading, std::string* error) {
  if (path.empty()) return true;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    *error = "setuphost: cannot write the record file " + path;
    return false;
  }
  std::fclose(file);
  path_ = path;
  if (!heading.empty()) Line("# " + heading);
  return true;
}

void AnswerRecorder::Line(const std::string& line) const {
  if (path_.empty()) return;
  std::FILE* file = std::fopen(path_.c_str(), "ab");
  if (file == nullptr) return;
  std::fputs(line.c_str(), file);
  std::fputc('\n', file);
  std::fclose(file);
}
