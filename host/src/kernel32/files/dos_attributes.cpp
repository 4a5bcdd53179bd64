// The hidden attribute, which a Linux file does not have: kept in an
// extended attribute of the file, where the file system has them (ext4,
// tmpfs, btrfs ...); elsewhere a file made hidden reads as a plain one.

#include <cerrno>

#include "kernel32/files/files_internal.h"
#include "machine/syscall_gate.h"

namespace host {
namespace {

constexpr char kHiddenAttribute[] = "user.kyrhost.hidden";

// The file system keeps no extended attributes (or none of the user's).
bool NoAttributesHere(int error) { return error == ENOTSUP; }

}  // namespace

bool SetHiddenAttribute(const std::string& nativePath) {
  return sys::SetAttribute(nativePath.c_str(), kHiddenAttribute, "1", 1, 0) == 0 ||
         NoAttributesHere(errno);
}

bool ReadHiddenAttribute(const std::string& nativePath, bool* hidden) {
  char value = 0;
  ssize_t got = sys::GetAttribute(nativePath.c_str(), kHiddenAttribute, &value, 1);
  *hidden = got == 1 && value == '1';
  // No such attribute, or a longer value than the host writes: not hidden.
  return got >= 0 || errno == ENODATA || errno == ERANGE || NoAttributesHere(errno);
}

}  // namespace host
