#include "machine_settings.h"

#include <cctype>
#include <cstdlib>
#include <fstream>

namespace {

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

// Read anew at every call: a test writes the file and asks at once.
std::string MachineSetting(const std::string& section, const std::string& key,
                           const std::string& fallback) {
  const char* path = std::getenv("SETUPHOST_MACHINE_INI");
  if (path == nullptr || *path == '\0') return fallback;
  std::ifstream file(path);
  std::string wantedSection = Lower(section);
  std::string wantedKey = Lower(key);
  bool inSection = false;
  std::string value = fallback;
  for (std::string line; std::getline(file, line);) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      inSection =
          close != std::string::npos && Lower(Trim(line.substr(1, close - 1))) == wantedSection;
      continue;
    }
    size_t equals = line.find('=');
    // A later line of the same key wins, as the host reads machine.ini.
    if (inSection && equals != std::string::npos &&
        Lower(Trim(line.substr(0, equals))) == wantedKey)
      value = Trim(line.substr(equals + 1));
  }
  return value;
}
