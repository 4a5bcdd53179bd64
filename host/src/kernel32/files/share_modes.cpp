// The sharing modes of files open by handle: a file opened with
// OF_SHARE_EXCLUSIVE, OF_SHARE_DENY_WRITE or OF_SHARE_DENY_READ keeps other
// opens of the same file from the access it denies, and an open that would
// deny an access another handle already has is refused, as Windows does
// (ERROR_SHARING_VIOLATION). OF_SHARE_COMPAT shares both ways, as Windows
// NT and Wine treat it for files opened by _lopen.

#include <sys/stat.h>

#include <map>

#include "kernel32/files/share_modes.h"
#include "winapi.h"

namespace host {
namespace {

struct SharedOpen {
  dev_t device = 0;
  ino_t inode = 0;
  bool reads = false;
  bool writes = false;
  bool sharesRead = true;
  bool sharesWrite = true;
};

std::map<HFILE, SharedOpen>& Opens() {
  static std::map<HFILE, SharedOpen> opens;
  return opens;
}

SharedOpen Describe(const struct stat& file, bool reads, bool writes, int shareMode) {
  SharedOpen open;
  open.device = file.st_dev;
  open.inode = file.st_ino;
  open.reads = reads;
  open.writes = writes;
  switch (shareMode & kShareModeMask) {
    case OF_SHARE_EXCLUSIVE:
      open.sharesRead = open.sharesWrite = false;
      break;
    case OF_SHARE_DENY_WRITE:
      open.sharesWrite = false;
      break;
    case OF_SHARE_DENY_READ:
      open.sharesRead = false;
      break;
    default:  // OF_SHARE_DENY_NONE, OF_SHARE_COMPAT
      break;
  }
  return open;
}

}  // namespace

bool ShareAllows(const struct stat& file, bool reads, bool writes, int shareMode) {
  SharedOpen wanted = Describe(file, reads, writes, shareMode);
  for (const auto& [handle, held] : Opens()) {
    if (held.device != wanted.device || held.inode != wanted.inode) continue;
    if ((wanted.reads && !held.sharesRead) || (wanted.writes && !held.sharesWrite) ||
        (held.reads && !wanted.sharesRead) || (held.writes && !wanted.sharesWrite))
      return false;
  }
  return true;
}

bool HeldOpen(const struct stat& file) {
  for (const auto& [handle, held] : Opens()) {
    if (held.device == file.st_dev && held.inode == file.st_ino) return true;
  }
  return false;
}

void AddSharedOpen(HFILE handle, const struct stat& file, bool reads, bool writes, int shareMode) {
  Opens()[handle] = Describe(file, reads, writes, shareMode);
}

void RemoveSharedOpen(HFILE handle) { Opens().erase(handle); }

void ResetSharedOpens() { Opens().clear(); }

}  // namespace host
