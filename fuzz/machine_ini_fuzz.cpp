// machine.ini, as the host reads it (OpenMachine) and as the stand-in toolkit
// reads it itself ([toolkit] rules, [hardware]). Any text opens or is refused
// with a message; an opened machine answers the directory, drive and version
// queries through buffers of exactly the size needed, and one byte less gets
// the size needed and an untouched buffer.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_machine.h"
#include "host/machine.h"
#include "host/src/machine/machine_internal.h"
#include "host/src/reset_host.h"
#include "host/syscalls.h"
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
