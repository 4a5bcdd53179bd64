// The machine's drives: their folders and what machine.ini [drives] says
// of their kinds and sizes.

#include <sys/stat.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "host/machine.h"
#include "machine/machine_internal.h"
#include "machine/syscall_gate.h"

namespace host {
namespace {

// A drive folder that [drives] does not describe.
constexpr int64_t kDefaultTotalBytes = int64_t{2} << 30;
constexpr int64_t kDefaultFreeBytes = int64_t{1} << 30;

bool ParseByteCount(const std::string& text, int64_t* bytes) {
  if (text.empty() || text.size() > 18) return false;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  *bytes = value;
  return true;
}

// "KIND [TOTAL [FREE]]"; false for anything else.
bool ParseDriveLine(const std::string& line, Drive* drive) {
  std::istringstream words(line);
  std::string kind, total, free, extra;
  words >> kind >> total >> free >> extra;
  if (!extra.empty()) return false;
  for (char& c : kind) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (kind == "fixed")
    drive->type = DRIVE_FIXED;
  else if (kind == "removable")
    drive->type = DRIVE_REMOVABLE;
  else if (kind == "remote")
    drive->type = DRIVE_REMOTE;
  else if (kind == "cdrom")
    drive->type = DRIVE_CDROM;
  else
    return false;
  drive->total = kDefaultTotalBytes;
  drive->free = kDefaultFreeBytes;
  if (!total.empty() && !ParseByteCount(total, &drive->total)) return false;
  if (!free.empty() && !ParseByteCount(free, &drive->free)) return false;
  // A total alone: free as much as the default, at most the total.
  if (free.empty() && drive->free > drive->total) drive->free = drive->total;
  return drive->free <= drive->total;
}

bool HasFolder(char letter) {
  if (MachineDir().empty()) return false;
  struct stat info;
  std::string folder = MachineDir() + "/" + static_cast<char>(letter - 'A' + 'a');
  return sys::Stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

// The drive of an upper-case letter as the machine has it.
Drive DriveOf(char letter) {
  Drive drive;
  drive.hasMedium = HasFolder(letter);
  std::string line = MachineValue("drives", std::string(1, letter));
  if (!line.empty() && ParseDriveLine(line, &drive)) return drive;
  if (drive.hasMedium) {
    drive.type = DRIVE_FIXED;
    drive.total = kDefaultTotalBytes;
    drive.free = kDefaultFreeBytes;
  }
  return drive;
}

bool LoadDrives(std::string* error) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string line = MachineValue("drives", std::string(1, letter));
    Drive drive;
    if (!line.empty() && !ParseDriveLine(line, &drive)) {
      *error = std::string("machine.ini [drives] ") + letter +
               " is not KIND [TOTAL [FREE]] (fixed, removable, remote or cdrom; free at most "
               "total): " +
               line;
      return false;
    }
  }
  return true;
}

}  // namespace host
