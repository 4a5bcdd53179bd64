// The current directory that relative paths are resolved against.

#include <string>

#include "machine/machine_internal.h"

namespace host {
namespace {

std::string& Current() {
  static std::string current = "C:\\";
  return current;
}

// The current directory as GetCurrentDirectoryA reports it: Current() with
// the drive letter as the caller last wrote it ("c:\\x" stays lower-case).
std::string& AsGiven() {
  static std::string current = "C:\\";
  return current;
}

}  // namespace

std::string& CurrentDirectoryAsGiven() { return AsGiven(); }
const std::string& CurrentDirectory() { return Current(); }
void SetCurrentDirectoryPath(const std::string& fullPath) {
  Current() = fullPath;
  AsGiven() = fullPath;
}

}  // namespace host
