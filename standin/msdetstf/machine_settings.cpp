#include "msdetstf/machine_settings.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "machine_ini.h"

// Read anew at every call: a test writes the file and asks at once. A file
// the host would refuse (a zero byte) gives every key its fallback.
std::string MachineSetting(const std::string& section, const std::string& key,
                           const std::string& fallback) {
  const char* path = std::getenv("SETUPHOST_MACHINE_INI");
  if (path == nullptr || *path == '\0') return fallback;
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  machine_ini::MachineIni ini;
  std::string error;
  if (!ini.Parse(path, content.str(), &error)) return fallback;
  return ini.Value(section, key, fallback);
}
