// LZCopy on plain and compressed sources, with the disk filling up or a read
// failing at any point. A plain source is copied byte for byte; a source
// compressed here (literals only, so its expansion is known) expands to
// exactly the bytes and the length its header gives, or to a prefix of them
// when it is cut short; any other source gives an error or as many bytes as
// the result says.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

#include "fuzz_machine.h"
#include "host/syscalls.h"
#include "winapi.h"

namespace {

constexpr char kSzddMagic[] = "SZDD\x88\xF0\x27\x33";
constexpr size_t kSzddMagicSize = 8;
constexpr size_t kSzddHeaderSize = 14;

enum Source { kPlain, kCompressed, kCutShort, kRaw, kSourceCount };
enum Fault { kNone, kDiskFull, kFailedRead, kFaultCount };

// SZDD with every byte a literal: a flag byte of eight ones before each
// eight bytes.
std::string Compressed(const std::string& bytes) {
  std::string out(kSzddMagic, kSzddMagicSize);
  out += 'A';
  out += '_';
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(bytes.size() >> shift);
  for (size_t i = 0; i < bytes.size(); i += 8) out += '\xFF' + bytes.substr(i, 8);
  return out;
}

// The literals a stream of Compressed() still holds after a cut.
size_t LiteralsKept(size_t streamBytes) { return streamBytes - (streamBytes + 8) / 9; }

bool LooksCompressed(const std::string& source) {
  return source.size() >= kSzddHeaderSize && source.compare(0, kSzddMagicSize, kSzddMagic) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const auto kind = static_cast<Source>(input.ConsumeIntegralInRange<int>(0, kSourceCount - 1));
  const auto fault = static_cast<Fault>(input.ConsumeIntegralInRange<int>(0, kFaultCount - 1));
  const int n = input.ConsumeIntegralInRange<int>(0, 20000);
  const std::string bytes = input.ConsumeRemainingBytesAsString();

  std::string source = bytes;
  if (kind == kCompressed || kind == kCutShort) source = Compressed(bytes);
  // Cut somewhere after the header.
  if (kind == kCutShort) source.resize(kSzddHeaderSize + n % (source.size() - kSzddHeaderSize + 1));
  // A plain source that happens to look compressed is not plain.
  if (kind == kPlain && LooksCompressed(source)) return -1;

  static const bool opened = (fuzz::OpenFreshMachine("[machine]\n"), true);
  (void)opened;
  fuzz::WriteMachineFile("c/source.bin", source);
  fuzz::WriteMachineFile("c/copy.bin", "");
  HFILE from = _lopen("C:\\source.bin", OF_READ);
  HFILE to = _lopen("C:\\copy.bin", OF_READWRITE);
  if (from == HFILE_ERROR || to == HFILE_ERROR) fuzz::Fail("cannot open the test files");
  if (fault == kDiskFull) host::SetDiskFree(n);
  if (fault == kFailedRead) host::FailSyscall(host::Syscall::Read, n + 1);
  const LONG result = LZCopy(from, to);
  host::ClearFaults();
  _lclose(from);
  _lclose(to);
  const std::string copy = fuzz::ReadMachineFile("c/copy.bin");

  if (result >= 0 && copy.size() != static_cast<size_t>(result))
    fuzz::Fail("the result is not the number of bytes written");
  if (result < 0 && result != LZERROR_READ && result != LZERROR_WRITE &&
      result != LZERROR_UNKNOWNALG)
    fuzz::Fail("an unexpected error " + std::to_string(result));
  if (kind == kRaw) return 0;
  // A source cut short expands as far as it goes, as on Windows.
  const std::string expected =
      kind == kCutShort ? bytes.substr(0, LiteralsKept(source.size() - kSzddHeaderSize)) : bytes;
  if (result < 0) {
    // Only a fault may stop the copy; a full disk stops it only when the
    // bytes do not fit.
    if (fault == kNone) fuzz::Fail("a sound copy failed: " + std::to_string(result));
    if (fault == kDiskFull &&
        (result != LZERROR_WRITE || expected.size() <= static_cast<size_t>(n)))
      fuzz::Fail("a full disk reported wrongly: " + std::to_string(result));
    return 0;
  }
  if (fault == kDiskFull && expected.size() > static_cast<size_t>(n))
    fuzz::Fail("a copy larger than the free space succeeded");
  if (copy != expected) fuzz::Fail("the copy differs from what the source holds");
  return 0;
}
