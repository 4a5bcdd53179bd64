// Observations of the conformance program: one line each,
//   AREA FUNCTION CASE -> RESULT [err=N] [OUTPUT]
// written to stdout in the order the cases run, so that the same program
// built natively (on the host layer) and for Windows (run under Wine) gives
// two outputs that compare line by line.
#pragma once

#include <string>
#include <vector>

#include "winapi.h"

namespace conformance {

// Filled into LastError before each call, so that a call that leaves the
// error alone is told from one that sets it.
constexpr DWORD kUntouchedError = 0xDEADBEEF;
// Filled into output buffers before each call, so that the bytes a call
// wrote are told from the ones it left.
constexpr char kSentinel = '#';

// Writes one observation line.
void Observe(const std::string& area, const std::string& function, const std::string& label,
             const std::string& observed);

// SetLastError(kUntouchedError).
void ArmError();
// " err=N" with the current GetLastError ("err=untouched" when the call
// left it alone).
std::string Error();

// A text for the line: quoted, with '"' and '\' escaped and bytes outside
// printable ASCII as \xNN. NULL is written NULL.
std::string Quote(const char* text);
std::string QuoteBytes(const char* bytes, size_t size);

std::string Number(long long value);
std::string Hex(unsigned long long value);

// An output buffer filled with kSentinel; Shown() quotes all of it, so that
// a missing terminator or a byte written past the count shows.
class Buffer {
 public:
  explicit Buffer(size_t size) : bytes_(size == 0 ? 1 : size, kSentinel) {}
  char* data() { return bytes_.data(); }
  std::string Shown(size_t size) const { return QuoteBytes(bytes_.data(), size); }
  // The text up to its zero, or the whole buffer when it has none (a call
  // that wrote nothing, or no terminator).
  std::string Text() const {
    size_t length = 0;
    while (length < bytes_.size() && bytes_[length] != '\0') ++length;
    return QuoteBytes(bytes_.data(), length);
  }

 private:
  std::vector<char> bytes_;
};

// Writes a whole file through _lcreat/_lwrite (the starting files of a case).
bool WriteWholeFile(const char* path, const std::string& content);
// Reads a whole file through _lopen/_lread; "<missing>" when it cannot be
// opened.
std::string ReadWholeFile(const char* path);

// The areas, in the order main runs them.
void RunFiles();
void RunDirectories();
void RunMemory();
void RunText();
void RunModules();
void RunRegistry();
void RunProfiles();
void RunWindows();
void RunSystem();
void RunRegistryWrites();
void RunVersions();
void RunFocus();
void RunSearches();
void RunDrives();
void RunRemoval();
void RunProfileFiles();

}  // namespace conformance
