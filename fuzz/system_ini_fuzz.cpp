// The system.ini rewrite, at any line-buffer size from the smallest it takes,
// on any backup text, with a read, seek, write or truncation failing at any
// point or the disk filling up. Checked against a model of the rewrite:
// lines end at a line feed; a line ending in "kyr.386" CR LF goes, every
// other line and the final piece stay byte for byte, and the device line
// follows every line that starts with "[386Enh]".
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "fuzz_machine.h"
#include "host/syscalls.h"
#include "installer/system_ini.h"
#include "winapi.h"

namespace {

constexpr char kDeviceLine[] = "device=C:\\KYROTH\\kyr.386\r\n";
constexpr int kSmallestBuffer = 16;

std::string Model(const std::string& backup) {
  const std::string driverEnd = "kyr.386\r\n";
  std::string out;
  size_t at = 0;
  while (at < backup.size()) {
    size_t feed = backup.find('\n', at);
    if (feed == std::string::npos) {
      out += backup.substr(at);
      break;
    }
    std::string line = backup.substr(at, feed + 1 - at);
    at = feed + 1;
    bool deviceLine =
        line.size() >= driverEnd.size() &&
        line.compare(line.size() - driverEnd.size(), driverEnd.size(), driverEnd) == 0;
    if (!deviceLine) out += line;
    if (line.rfind("[386Enh]", 0) == 0) out += kDeviceLine;
  }
  return out;
}

// The table entry made to fail once, and whether it did.
enum Fault { kNone, kRead, kSeek, kWrite, kTruncate, kDiskFull, kFaultCount };
Fault fault = kNone;
int failAt = 0;
int calls = 0;
bool fired = false;

bool FailsNow(Fault kind) {
  if (fault != kind || fired || ++calls != failAt) return false;
  fired = true;
  errno = EIO;
  return true;
}
ssize_t Read(int fd, void* buffer, size_t count) {
  return FailsNow(kRead) ? -1 : ::read(fd, buffer, count);
}
ssize_t Write(int fd, const void* buffer, size_t count) {
  return FailsNow(kWrite) ? -1 : ::write(fd, buffer, count);
}
off_t Seek(int fd, off_t offset, int whence) {
  return FailsNow(kSeek) ? -1 : ::lseek(fd, offset, whence);
}
int Truncate(int fd, off_t length) { return FailsNow(kTruncate) ? -1 : ::ftruncate(fd, length); }

void UseTable(bool faulty) {
  auto entry = [faulty](const char* name, host::SyscallPointer function) {
    host::SetSyscall(name, faulty ? function : nullptr);
  };
  entry("read", reinterpret_cast<host::SyscallPointer>(&Read));
  entry("write", reinterpret_cast<host::SyscallPointer>(&Write));
  entry("lseek", reinterpret_cast<host::SyscallPointer>(&Seek));
  entry("ftruncate", reinterpret_cast<host::SyscallPointer>(&Truncate));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int bufferSize = input.ConsumeIntegralInRange<int>(kSmallestBuffer, kSystemIniLineSize);
  fault = static_cast<Fault>(input.ConsumeIntegralInRange<int>(0, kFaultCount - 1));
  failAt = input.ConsumeIntegralInRange<int>(1, 2000);
  const size_t oldLength = input.ConsumeIntegralInRange<size_t>(0, 4096);
  const std::string backup = input.ConsumeRemainingBytesAsString();
  calls = 0;
  fired = false;

  fuzz::OpenFreshMachine("[machine]\nwindows=C:\\windows\nsystem=C:\\windows\\system\n");
  const std::string old(oldLength, 'x');
  fuzz::WriteMachineFile("c/windows/system.kyr", backup);
  fuzz::WriteMachineFile("c/windows/system.ini", old);
  HFILE source = _lopen("C:\\windows\\system.kyr", OF_READ);
  HFILE target = _lopen("C:\\windows\\system.ini", OF_READWRITE);
  if (source == HFILE_ERROR || target == HFILE_ERROR) fuzz::Fail("cannot open the test files");
  // A full disk takes failAt bytes more than system.ini has.
  if (fault == kDiskFull) host::SetDiskFree(failAt);
  std::vector<char> buffer(static_cast<size_t>(bufferSize), '\x55');
  UseTable(true);
  BOOL ok = RewriteSystemIni(source, static_cast<LONG>(backup.size()), target, kDeviceLine,
                             buffer.data(), bufferSize);
  UseTable(false);
  host::ClearFaults();
  _lclose(source);
  _lclose(target);

  const std::string expected = Model(backup);
  const std::string got = fuzz::ReadMachineFile("c/windows/system.ini");
  if (fault == kDiskFull) fired = expected.size() > old.size() + static_cast<size_t>(failAt);
  if (ok && got != expected) fuzz::Fail("the rewrite differs from the model");
  if (!ok && !fired) fuzz::Fail("the rewrite failed with every call succeeding");
  if (ok && fired && (fault == kWrite || fault == kTruncate || fault == kDiskFull))
    fuzz::Fail("the rewrite succeeded over a failed write");
  return 0;
}
