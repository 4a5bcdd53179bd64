// machine.ini through its one reader (machine_ini/), and as the host
// (OpenMachine) and the stand-in toolkit ([toolkit] rules, [hardware]) use
// it. The reader refuses a text only for a zero byte, names every bad line
// by a line the text has, and finds every key's last line. Any text opens
// the machine or is refused with a message; an opened machine answers the
// directory, drive and version queries through buffers of exactly the size
// needed, and one byte less gets the size needed and an untouched buffer.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "fuzz_machine.h"
#include "host/machine.h"
#include "host/src/machine/machine_internal.h"
#include "host/src/reset_host.h"
#include "host/syscalls.h"
#include "machine_ini/machine_ini.h"
#include "standin/core/call_record.h"
#include "standin/core/standin.h"
#include "standin/msdetstf/machine_settings.h"
#include "winapi.h"

namespace {

constexpr char kSentinel = '\x5A';

// A directory query of the GetWindowsDirectoryA kind.
void CheckDirectoryQuery(UINT (*query)(LPSTR, UINT), const char* what) {
  char probe[1] = {kSentinel};
  const UINT needed = query(probe, 0);
  if (needed == 0) return;  // a machine may make the call fail
  if (probe[0] != kSentinel) fuzz::Fail(std::string(what) + " wrote into a buffer of size 0");
  std::string buffer(needed + 1, kSentinel);
  const UINT shortResult = query(buffer.data(), needed - 1);
  if (shortResult != needed || buffer.find_first_not_of(kSentinel) != std::string::npos)
    fuzz::Fail(std::string(what) + " wrote into a buffer one byte short");
  const UINT length = query(buffer.data(), needed);
  if (length + 1 != needed || buffer[length] != '\0' || buffer[needed] != kSentinel ||
      std::strlen(buffer.c_str()) != length)
    fuzz::Fail(std::string(what) + " does not fit a buffer of exactly its size");
}

// The reader's own promises, and the host's view of the same text.
void CheckReader(const std::string& text, bool opened) {
  machine_ini::MachineIni ini;
  std::string error;
  const bool parsed = ini.Parse("machine.ini", text, &error);
  if (parsed != (text.find('\0') == std::string::npos)) fuzz::Fail("refused for no zero byte");
  if (!parsed) {
    if (error.find("machine.ini line ") != 0) fuzz::Fail("a refusal that names no line");
    if (!ini.Entries().empty()) fuzz::Fail("a refused text keeps entries");
    return;
  }
  const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  for (const machine_ini::BadLine& bad : ini.BadLines())
    if (bad.line < 1 || bad.line > lines || bad.what.empty()) fuzz::Fail("a bad line misnamed");
  std::map<std::pair<std::string, std::string>, std::string> last;  // by folded names
  for (const machine_ini::Entry& entry : ini.Entries())
    last[{machine_ini::Fold(entry.section), machine_ini::Fold(entry.key)}] = entry.value;
  int previous = 0;
  for (const machine_ini::Entry& entry : ini.Entries()) {
    if (entry.line <= previous || entry.line > lines) fuzz::Fail("entries out of order");
    previous = entry.line;
    if (entry.key != machine_ini::Trim(entry.key) || entry.value != machine_ini::Trim(entry.value))
      fuzz::Fail("an untrimmed key or value");
    // The key's last line answers, whatever the letter case asked with.
    const std::string& wanted =
        last[{machine_ini::Fold(entry.section), machine_ini::Fold(entry.key)}];
    std::string found;
    if (!ini.Lookup(entry.section, machine_ini::Fold(entry.key), &found) || found != wanted)
      fuzz::Fail("a key not found as its last line gives it");
    if (opened && host::MachineValue(entry.section, entry.key) != wanted)
      fuzz::Fail("the host reads another value");
  }
}

void CheckOpenedMachine() {
  CheckDirectoryQuery(&GetWindowsDirectoryA, "GetWindowsDirectoryA");
  CheckDirectoryQuery(&GetSystemDirectoryA, "GetSystemDirectoryA");
  const host::MachineConfig& config = host::Config();
  if (config.screenWidth <= 0 || config.screenHeight <= 0) fuzz::Fail("a screen without size");
  if (GetVersion() != config.version) fuzz::Fail("GetVersion answers another word");
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    const UINT type = GetDriveTypeA(root);
    const bool listed = (drives >> (letter - 'A') & 1) != 0;
    if (listed != (type != DRIVE_NO_ROOT_DIR)) fuzz::Fail("a drive listed but of no type");
    ULARGE_INTEGER free{}, total{}, totalFree{};
    if (GetDiskFreeSpaceExA(root, &free, &total, &totalFree) && free.QuadPart > total.QuadPart)
      fuzz::Fail("a drive with more free bytes than it holds");
  }
  char value[8];
  GetEnvironmentVariableA("PATH", value, sizeof value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string ini(reinterpret_cast<const char*>(data), size);
  fuzz::WriteMachineFile("machine.ini", ini);
  setenv("SETUPHOST_MACHINE_INI", (fuzz::MachineFolder() + "/machine.ini").c_str(), 1);
  host::ResetHost();
  StandinReset();
  std::string error;
  bool opened;
  {
    fuzz::QuietStderr quiet;
    opened = host::OpenMachine(fuzz::MachineFolder(), &error);
  }
  if (!opened && error.empty()) fuzz::Fail("machine.ini refused without a message");
  if (opened) CheckOpenedMachine();
  CheckReader(ini, opened);
  host::ClearFaults();

  // The stand-in's own reading of the same file.
  {
    fuzz::QuietStderr quiet;
    RecordedFrameResult();
    RecordedToolkitSetting("inf");
    MachineSetting("hardware", "parallel", "LPT1");
  }
  return 0;
}
