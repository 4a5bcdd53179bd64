// machine.ini, read the one way the host layer and the stand-in toolkit both
// read it; its format and keys are described in the README ("The machine
// directory"). The caller hands over the file's text (each reads it its own
// way); the reader keeps every key=value line with its section and line
// number, and every bad line with the reason it was skipped.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace machine_ini {

// One key=value line: section and key as written (trimmed), the value trimmed.
struct Entry {
  std::string section;
  std::string key;
  std::string value;
  int line = 0;  // from 1
};

// A line the reader skipped, with the section it stands in ("" before any).
struct BadLine {
  std::string section;
  int line = 0;
  std::string what;
};

class MachineIni {
 public:
  // Reads text, the content of file (named in messages). False for a zero
  // byte, with "FILE line N: a zero byte" in *error; the reader is then
  // empty.
  bool Parse(const std::string& file, const std::string& text, std::string* error);

  const std::string& File() const { return file_; }
  // Every key=value line, in the file's order.
  const std::vector<Entry>& Entries() const { return entries_; }
  const std::vector<BadLine>& BadLines() const { return badLines_; }

  // True with the value of the key's last line when the section has the key
  // (also with an empty value).
  bool Lookup(const std::string& section, const std::string& key, std::string* value) const;
  // The value, or fallback when the section or key is missing.
  std::string Value(const std::string& section, const std::string& key,
                    const std::string& fallback = std::string()) const;

 private:
  std::string file_;
  std::vector<Entry> entries_;
  std::vector<BadLine> badLines_;
  // (folded section, folded key) -> the index of its last entry.
  std::map<std::pair<std::string, std::string>, size_t> last_;
};

// The text without the blanks, tabs, CRs and line feeds around it.
std::string Trim(const std::string& text);
// ASCII letters in lower case; other bytes as they are, so that a double-byte
// character's trail byte never changes.
std::string Fold(std::string text);
// Texts equal after Fold.
bool SameName(const std::string& a, const std::string& b);

// Names a bad line of file on stderr, "READER: FILE line N: WHAT", as every
// reader of the machine's files does.
void ReportBadLine(const char* reader, const std::string& file, int line, const std::string& what);

}  // namespace machine_ini
