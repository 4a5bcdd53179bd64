#include "msdetstf/machine_settings.h"

#include <cstdlib>
#include <fstream>

#include "core/setting_text.h"

// Read anew at every call: a test writes the file and asks at once.
std::string MachineSetting(const std::string& section, const std::string& key,
                           const std::string& fallback) {
  const char* path = std::getenv("SETUPHOST_MACHINE_INI");
  if (path == nullptr || *path == '\0') return fallback;
  std::ifstream file(path);
  std::string wantedSection = LowerSetting(section);
  std::string wantedKey = LowerSetting(key);
  bool inSection = false;
  std::string value = fallback;
  for (std::string line; std::getline(file, line);) {
    line = TrimSetting(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      inSection = close != std::string::npos &&
                  LowerSetting(TrimSetting(line.substr(1, close - 1))) == wantedSection;
      continue;
    }
    size_t equals = line.find('=');
    // A later line of the same key wins, as the host reads machine.ini.
    if (inSection && equals != std::string::npos &&
        LowerSetting(TrimSetting(line.substr(0, equals))) == wantedKey)
      value = TrimSetting(line.substr(equals + 1));
  }
  return value;
}
