// INF files: a small, strict format read whole into memory. The stand-in
// toolkit's INF functions and the runner's printer installation both read
// them through this reader.
//
//   ; a comment runs from a semicolon outside quotes to the end of the line
//   [Section Name]
//   key = field1, field2, "field, three", ...
//   field1, field2            (a line without a key)
//
// - Lines end in LF or CR LF; blank and comment-only lines are skipped.
// - A section runs to the next header; a second header of the same name
//   (case-insensitive) continues the first.
// - A line's key is the text before its first '=' outside quotes; its fields
//   follow the '=' (or make the whole line when it has none), separated by
//   commas outside quotes and numbered from 1. "a=" has one empty field.
// - Blanks and tabs around keys and fields are dropped. A field may be quoted
//   "...": the quotes are dropped and keep commas, semicolons and blanks;
//   "" inside stands for one quote.
// - Keys and section names match case-insensitively; the first line of a key
//   is the one found.
// - Text is walked a whole character at a time in the ANSI code page, so a
//   double-byte character's second byte is never taken for a comma, quote,
//   bracket or semicolon.
//
// Bad lines (a header without its closing bracket or with text after it, a
// line before any section, an unterminated quote, text after a closing
// quote, an empty key, a key with a comma) are skipped and reported with
// their line number; reading never stops at them.
#pragma once

#include <string>
#include <vector>

struct InfLine {
  int number = 0;  // the line's number in the file, counted from 1
  bool has_key = false;
  std::string key;
  std::vector<std::string> fields;  // field N is fields[N - 1]
};

struct InfSection {
  std::string name;
  std::vector<InfLine> lines;
};

struct InfProblem {
  int line = 0;  // counted from 1
  std::string reason;
};

struct InfFile {
  std::vector<InfSection> sections;
  std::vector<InfProblem> problems;
};

// The INF file's content read from text; never fails, bad lines go to
// problems.
InfFile ParseInfText(const std::string& text);

// The whole file at a Windows path, through the Win32 file functions. False
// with *error set when it cannot be opened or read, or is larger than
// maxBytes.
bool ReadTextFile(const std::string& windowsPath, long maxBytes, std::string* text,
                  std::string* error);

// Reads and parses the file at a Windows path. False with *error set when
// the file cannot be opened or read, or is larger than kMaxInfFileBytes.
bool ReadInfFile(const std::string& windowsPath, InfFile* inf, std::string* error);

// A whole INF file is held in memory; a larger one is refused.
constexpr long kMaxInfFileBytes = 4L * 1024 * 1024;

// The section of that name, or null.
const InfSection* FindInfSection(const InfFile& inf, const std::string& name);
// The first line of the section with that key, or null.
const InfLine* FindInfKey(const InfSection& section, const std::string& key);
