#include "machine_ini.h"

#include <cstdio>

namespace machine_ini {
namespace {

constexpr char kBlanks[] = " \t\r\n";

}  // namespace

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(kBlanks);
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_last_not_of(kBlanks);
  return text.substr(begin, end - begin + 1);
}

std::string Fold(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool SameName(const std::string& a, const std::string& b) { return Fold(a) == Fold(b); }

void ReportBadLine(const char* reader, const std::string& file, int line, const std::string& what) {
  std::fprintf(stderr, "%s: %s line %d: %s\n", reader, file.c_str(), line, what.c_str());
}

bool MachineIni::Parse(const std::string& file, const std::string& text, std::string* error) {
  *this = MachineIni();
  file_ = file;
  std::string section;
  int number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t newline = text.find('\n', start);
    size_t end = newline == std::string::npos ? text.size() : newline;
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (line.find('\0') != std::string::npos) {
      *error = file + " line " + std::to_string(number) + ": a zero byte";
      *this = MachineIni();
      return false;
    }
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      section = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      if (close == std::string::npos)
        badLines_.push_back(BadLine{section, number, "a section without its ']'"});
      continue;
    }
    size_t equals = line.find('=');
    if (equals == std::string::npos) {
      badLines_.push_back(BadLine{section, number, "neither [section] nor key=value: skipped"});
      continue;
    }
    Entry entry{section, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), number};
    last_[std::make_pair(Fold(entry.section), Fold(entry.key))] = entries_.size();
    entries_.push_back(std::move(entry));
  }
  return true;
}

bool MachineIni::Lookup(const std::string& section, const std::string& key,
                        std::string* value) const {
  auto found = last_.find(std::make_pair(Fold(section), Fold(key)));
  if (found == last_.end()) return false;
  *value = entries_[found->second].value;
  return true;
}

std::string MachineIni::Value(const std::string& section, const std::string& key,
                              const std::string& fallback) const {
  std::string value;
  return Lookup(section, key, &value) ? value : fallback;
}

}  // namespace machine_ini
