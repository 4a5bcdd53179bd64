#include "inf/inf_file.h"

#include "winapi.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  size_t end = text.size();
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string Upper(std::string text) {
  if (!text.empty()) CharUpperA(text.data());
  return text;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && Upper(a) == Upper(b);
}

// The length of the character at text[at]: 2 for a lead byte followed by a
// trail byte, else 1.
size_t CharLength(const std::string& text, size_t at) {
  if (at + 1 < text.size() && IsDBCSLeadByte(static_cast<BYTE>(text[at])) && text[at + 1] != '\0') {
    return 2;
  }
  return 1;
}

// One line cut into its raw pieces: the separators ('=' once, ',') and ';'
// found outside quotes. Pieces keep their quotes; false with a reason for
// an unterminated quote.
struct RawLine {
  bool has_equals = false;
  std::string before_equals;
  std::vector<std::string> pieces;
};

bool CutLine(const std::string& text, RawLine* raw, std::string* reason) {
  std::string piece;
  bool quoted = false;
  size_t at = 0;
  for (; at < text.size();) {
    size_t length = CharLength(text, at);
    char c = text[at];
    if (length == 1 && c == '"') {
      quoted = !quoted;  // a doubled quote inside closes and opens again
    } else if (length == 1 && !quoted && c == ';') {
      break;
    } else if (length == 1 && !quoted && c == '=' && !raw->has_equals) {
      // The key is everything before it, commas too (a bad key then).
      raw->has_equals = true;
      raw->before_equals = text.substr(0, at);
      raw->pieces.clear();
      piece.clear();
      at += length;
      continue;
    } else if (length == 1 && !quoted && c == ',') {
      raw->pieces.push_back(piece);
      piece.clear();
      at += length;
      continue;
    }
    piece.append(text, at, length);
    at += length;
  }
  if (quoted) {
    *reason = "unterminated quote";
    return false;
  }
  raw->pieces.push_back(piece);
  return true;
}

// A piece's text: blanks trimmed, quotes dropped ("" keeps one quote).
bool PieceText(const std::string& piece, std::string* text, std::string* reason) {
  std::string trimmed = Trim(piece);
  if (trimmed.empty() || trimmed[0] != '"') {
    if (trimmed.find('"') != std::string::npos) {
      *reason = "quote inside an unquoted field";
      return false;
    }
    *text = trimmed;
    return true;
  }
  text->clear();
  size_t at = 1;
  for (;;) {
    if (at >= trimmed.size()) {
      *reason = "unterminated quote";
      return false;
    }
    size_t length = CharLength(trimmed, at);
    if (length == 1 && trimmed[at] == '"') {
      if (at + 1 < trimmed.size() && trimmed[at + 1] == '"') {
        *text += '"';
        at += 2;
        continue;
      }
      break;
    }
    text->append(trimmed, at, length);
    at += length;
  }
  if (at + 1 != trimmed.size()) {
    *reason = "text after a closing quote";
    return false;
  }
  return true;
}

bool ParseLine(const std::string& text, InfLine* line, std::string* reason) {
  RawLine raw;
  if (!CutLine(text, &raw, reason)) return false;
  if (raw.has_equals) {
    if (raw.before_equals.find(',') != std::string::npos) {
      *reason = "a comma in the key";
      return false;
    }
    if (!PieceText(raw.before_equals, &line->key, reason)) return false;
    if (line->key.empty()) {
      *reason = "an empty key";
      return false;
    }
    line->has_key = true;
  }
  for (const std::string& piece : raw.pieces) {
    std::string field;
    if (!PieceText(piece, &field, reason)) return false;
    line->fields.push_back(field);
  }
  return true;
}

// A "[name]" header; false with a reason for a bad one.
bool ParseHeader(const std::string& text, std::string* name, std::string* reason) {
  size_t at = 1;
  while (at < text.size() && text[at] != ']') at += CharLength(text, at);
  if (at >= text.size()) {
    *reason = "a section header without ']'";
    return false;
  }
  *name = Trim(text.substr(1, at - 1));
  std::string rest = Trim(text.substr(at + 1));
  if (!rest.empty() && rest[0] != ';') {
    *reason = "text after a section header";
    return false;
  }
  if (name->empty()) {
    *reason = "a section without a name";
    return false;
  }
  return true;
}

// True for a line holding nothing but blanks and perhaps a comment.
bool IsEmptyLine(const std::string& trimmed) { return trimmed.empty() || trimmed[0] == ';'; }

}  // namespace

InfFile ParseInfText(const std::string& text) {
  InfFile inf;
  InfSection* section = nullptr;
  int number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t newline = text.find('\n', start);
    size_t end = newline == std::string::npos ? text.size() : newline;
    std::string line = text.substr(start, end - start);
    start = newline == std::string::npos ? text.size() : newline + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string trimmed = Trim(line);
    if (IsEmptyLine(trimmed)) continue;
    std::string reason;
    if (trimmed[0] == '[') {
      std::string name;
      if (!ParseHeader(trimmed, &name, &reason)) {
        inf.problems.push_back(InfProblem{number, reason});
        section = nullptr;  // its lines are not taken for the section before
        continue;
      }
      section = nullptr;
      for (InfSection& existing : inf.sections) {
        if (EqualNoCase(existing.name, name)) section = &existing;
      }
      if (section == nullptr) {
        inf.sections.push_back(InfSection{name, {}});
        section = &inf.sections.back();
      }
      continue;
    }
    if (section == nullptr) {
      inf.problems.push_back(InfProblem{number, "a line outside any section"});
      continue;
    }
    InfLine parsed;
    parsed.number = number;
    if (!ParseLine(trimmed, &parsed, &reason)) {
      inf.problems.push_back(InfProblem{number, reason});
      continue;
    }
    section->lines.push_back(parsed);
  }
  return inf;
}

bool ReadTextFile(const std::string& windowsPath, long maxBytes, std::string* text,
                  std::string* error) {
  HFILE file = _lopen(windowsPath.c_str(), OF_READ);
  if (file == HFILE_ERROR) {
    *error = "cannot open the file";
    return false;
  }
  LONG size = _llseek(file, 0, FILE_END);
  if (size < 0 || _llseek(file, 0, FILE_BEGIN) != 0) {
    _lclose(file);
    *error = "cannot read the file";
    return false;
  }
  if (size > maxBytes) {
    _lclose(file);
    *error = "the file is too large";
    return false;
  }
  text->assign(static_cast<size_t>(size), '\0');
  UINT got = size == 0 ? 0 : _lread(file, text->data(), static_cast<UINT>(size));
  _lclose(file);
  if (got != static_cast<UINT>(size)) {
    text->clear();
    *error = "cannot read the file";
    return false;
  }
  return true;
}

bool ReadInfFile(const std::string& windowsPath, InfFile* inf, std::string* error) {
  std::string text;
  if (!ReadTextFile(windowsPath, kMaxInfFileBytes, &text, error)) return false;
  *inf = ParseInfText(text);
  return true;
}

const InfSection* FindInfSection(const InfFile& inf, const std::string& name) {
  for (const InfSection& section : inf.sections) {
    if (EqualNoCase(section.name, name)) return &section;
  }
  return nullptr;
}

const InfLine* FindInfKey(const InfSection& section, const std::string& key) {
  for (const InfLine& line : section.lines) {
    if (line.has_key && EqualNoCase(line.key, key)) return &line;
  }
  return nullptr;
}
