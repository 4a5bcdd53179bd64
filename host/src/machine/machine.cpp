// The machine directory: machine.ini and the values it gives.

#include "host/machine.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "machine/machine_internal.h"

namespace host {
namespace {

struct MachineState {
  std::string dir;
  // machine.ini, keys folded to lower case: section -> key -> value.
  std::map<std::string, std::map<std::string, std::string>> ini;
  MachineConfig config;
};

MachineState& State() {
  static MachineState state;
  return state;
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

void WarnLine(const std::string& path, int line, const std::string& what) {
  std::fprintf(stderr, "host: %s line %d: %s\n", path.c_str(), line, what.c_str());
}

// machine.ini: "[section]" lines, "key=value" lines, ';' or '#' comment
// lines. Blanks around keys and values are dropped. A later key of the same
// name wins. Other lines are named on stderr and skipped. False, with the
// line in *error, for a zero byte: no value holding one reads whole.
bool ParseIni(const std::string& path, const std::string& content,
              std::map<std::string, std::map<std::string, std::string>>* ini, std::string* error) {
  std::istringstream lines(content);
  std::string line, section;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (line.find('\0') != std::string::npos) {
      *error = path + " line " + std::to_string(number) + ": a zero byte";
      return false;
    }
    std::string text = Trim(line);
    if (text.empty() || text[0] == ';' || text[0] == '#') continue;
    if (text[0] == '[') {
      size_t close = text.find(']');
      if (close == std::string::npos) WarnLine(path, number, "a section without its ']'");
      section =
          Lower(Trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
      (*ini)[section];
      continue;
    }
    size_t equals = text.find('=');
    if (equals == std::string::npos) {
      WarnLine(path, number, "neither [section] nor key=value: skipped");
      continue;
    }
    (*ini)[section][Lower(Trim(text.substr(0, equals)))] = Trim(text.substr(equals + 1));
  }
  return true;
}

bool IsAbsoluteWindowsPath(const std::string& path) {
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         (path[2] == '\\' || path[2] == '/');
}

bool ParseUnsigned(const std::string& text, unsigned* value) {
  if (text.empty() || text.size() > 9) return false;
  unsigned result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + static_cast<unsigned>(c - '0');
  }
  *value = result;
  return true;
}

// A 32-bit word in decimal or, after "0x", in hexadecimal.
bool ParseWord(const std::string& text, DWORD* value) {
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  std::string digits = Lower(hex ? text.substr(2) : text);
  const std::string allowed = hex ? "0123456789abcdef" : "0123456789";
  if (digits.empty()) return false;
  unsigned long long result = 0;
  for (char c : digits) {
    size_t digit = allowed.find(c);
    if (digit == std::string::npos) return false;
    result = result * allowed.size() + digit;
    if (result > 0xFFFFFFFFull) return false;
  }
  *value = static_cast<DWORD>(result);
  return true;
}

bool Fail(std::string* error, const std::string& message) {
  if (error != nullptr) *error = message;
  return false;
}

}  // namespace

const MachineConfig& Config() { return State().config; }

bool OpenMachine(const std::string& dir, std::string* error) {
  struct stat info;
  if (dir.empty() || stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    return Fail(error, "machine directory " + dir + " does not exist");
  std::ifstream file(dir + "/machine.ini", std::ios::binary);
  if (!file) return Fail(error, "cannot read " + dir + "/machine.ini");
  std::stringstream content;
  content << file.rdbuf();

  MachineState next;
  next.dir = dir;
  while (next.dir.size() > 1 && next.dir.back() == '/') next.dir.pop_back();
  std::string iniError;
  if (!ParseIni(dir + "/machine.ini", content.str(), &next.ini, &iniError))
    return Fail(error, iniError);

  auto value = [&next](const char* key, const std::string& fallback) {
    auto section = next.ini.find("machine");
    if (section == next.ini.end()) return fallback;
    auto found = section->second.find(key);
    return found == section->second.end() ? fallback : found->second;
  };
  MachineConfig& config = next.config;
  config.windowsDir = value("windows", config.windowsDir);
  config.systemDir = value("system", config.systemDir);
  config.cwd = value("cwd", config.cwd);
  // Reported as given, so that a test can reach a directory text Windows
  // itself never gives (no drive letter, empty).
  auto given = [&next](const char* key) -> std::optional<std::string> {
    auto section = next.ini.find("machine");
    if (section == next.ini.end()) return std::nullopt;
    auto found = section->second.find(key);
    if (found == section->second.end()) return std::nullopt;
    return found->second;
  };
  config.windowsDirText = given("windows_text");
  config.systemDirText = given("system_text");
  for (const char* key : {"windows", "system", "cwd"}) {
    std::string path = value(key, "C:\\");
    if (!IsAbsoluteWindowsPath(path))
      return Fail(error, std::string("machine.ini [machine] ") + key +
                             " is not a full Windows path: " + path);
  }
  if (!ParseUnsigned(value("acp", "1252"), &config.acp))
    return Fail(error, "machine.ini [machine] acp is not a number: " + value("acp", ""));
  if (!ParseUnsigned(value("oemcp", "437"), &config.oemcp))
    return Fail(error, "machine.ini [machine] oemcp is not a number: " + value("oemcp", ""));
  std::string screen = Lower(value("screen", "1024x768"));
  size_t cross = screen.find('x');
  unsigned width = 0, height = 0;
  if (cross == std::string::npos || !ParseUnsigned(Trim(screen.substr(0, cross)), &width) ||
      !ParseUnsigned(Trim(screen.substr(cross + 1)), &height) || width == 0 || height == 0)
    return Fail(error, "machine.ini [machine] screen is not WIDTHxHEIGHT: " + screen);
  config.screenWidth = static_cast<int>(width);
  config.screenHeight = static_cast<int>(height);

  if (!ParseWord(value("version", "0xC0000004"), &config.version))
    return Fail(error,
                "machine.ini [machine] version is not a 32-bit number: " + value("version", ""));

  std::string codePageError;
  if (!LoadCodePages(config.acp, config.oemcp, &codePageError)) return Fail(error, codePageError);

  MachineState& state = State();
  state = std::move(next);
  // Paths are normalised once the code pages (which fold case) are known.
  state.config.windowsDir = FullWindowsPath(state.config.windowsDir);
  state.config.systemDir = FullWindowsPath(state.config.systemDir);
  state.config.cwd = FullWindowsPath(state.config.cwd);
  SetCurrentDirectoryPath(state.config.cwd);
  ResetRegistry();  // read from the new machine at its first use
  // A run changes the machine: the registry goes back when the process ends.
  static const bool savedAtExit = std::atexit(SaveRegistry) == 0;
  (void)savedAtExit;
  std::string faultError;
  if (!LoadFaults(&faultError)) return Fail(error, faultError);
  std::string driveError;
  if (!LoadDrives(&driveError)) return Fail(error, driveError);
  return true;
}

const std::string& MachineDir() { return State().dir; }

bool MachineLookup(const std::string& section, const std::string& key, std::string* value) {
  const MachineState& state = State();
  auto found = state.ini.find(Lower(section));
  if (found == state.ini.end()) return false;
  auto entry = found->second.find(Lower(key));
  if (entry == found->second.end()) return false;
  *value = entry->second;
  return true;
}

std::string MachineValue(const std::string& section, const std::string& key,
                         const std::string& fallback) {
  const MachineState& state = State();
  auto found = state.ini.find(Lower(section));
  if (found == state.ini.end()) return fallback;
  auto value = found->second.find(Lower(key));
  return value == found->second.end() ? fallback : value->second;
}

void CloseMachine() {
  State() = MachineState();
  std::string error;
  LoadCodePages(State().config.acp, State().config.oemcp, &error);
}

}  // namespace host
