// The machine directory: machine.ini and the values it gives.

#include "host/machine.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdlib>

#include "machine/machine_internal.h"
#include "machine/syscall_gate.h"
#include "machine/whole_file.h"
#include "machine_ini.h"

namespace host {
namespace {

struct MachineState {
  std::string dir;
  machine_ini::MachineIni ini;
  MachineConfig config;
};

MachineState& State() {
  static MachineState state;
  return state;
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
  std::string digits = machine_ini::Fold(hex ? text.substr(2) : text);
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
  if (dir.empty() || sys::Stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    return Fail(error, "machine directory " + dir + " does not exist");
  std::string path = dir + "/machine.ini";
  std::string content;
  if (!sys::ReadWholeFile(path, &content)) return Fail(error, "cannot read " + path);

  MachineState next;
  next.dir = dir;
  while (next.dir.size() > 1 && next.dir.back() == '/') next.dir.pop_back();
  std::string iniError;
  if (!next.ini.Parse(path, content, &iniError)) return Fail(error, iniError);
  for (const machine_ini::BadLine& bad : next.ini.BadLines())
    machine_ini::ReportBadLine("host", path, bad.line, bad.what);

  auto value = [&next](const char* key, const std::string& fallback) {
    return next.ini.Value("machine", key, fallback);
  };
  MachineConfig& config = next.config;
  config.windowsDir = value("windows", config.windowsDir);
  config.systemDir = value("system", config.systemDir);
  config.cwd = value("cwd", config.cwd);
  // Reported as given, so that a test can reach a directory text Windows
  // itself never gives (no drive letter, empty).
  auto given = [&next](const char* key) -> std::optional<std::string> {
    std::string text;
    if (!next.ini.Lookup("machine", key, &text)) return std::nullopt;
    return text;
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
  std::string screen = machine_ini::Fold(value("screen", "1024x768"));
  size_t cross = screen.find('x');
  unsigned width = 0, height = 0;
  if (cross == std::string::npos ||
      !ParseUnsigned(machine_ini::Trim(screen.substr(0, cross)), &width) ||
      !ParseUnsigned(machine_ini::Trim(screen.substr(cross + 1)), &height) || width == 0 ||
      height == 0)
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
  return State().ini.Lookup(section, key, value);
}

std::string MachineValue(const std::string& section, const std::string& key,
                         const std::string& fallback) {
  return State().ini.Value(section, key, fallback);
}

void CloseMachine() {
  State() = MachineState();
  std::string error;
  LoadCodePages(State().config.acp, State().config.oemcp, &error);
}

}  // namespace host
