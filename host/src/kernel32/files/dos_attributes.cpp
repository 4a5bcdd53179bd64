// The hidden attribute, which a Linux file does not have: kept in an
// extended attribute of the file, where the file system has them (ext4,
// tmpfs, btrfs ...); elsewhere a file made hidden reads as a plain one.

#include <sys/xattr.h>

#include "kernel32/files/files_internal.h"

namespace host {
namespace {

constexpr char kHiddenAttribute[] = "user.kyrhost.hidden";

}  // namespace

void SetHiddenAttribute(const std::string& nativePath) {
  setxattr(nativePath.c_str(), kHiddenAttribute, "1", 1, 0);
}

bool HasHiddenAttribute(const std::string& nativePath) {
  char value = 0;
  return getxattr(nativePath.c_str(), kHiddenAttribute, &value, 1) == 1 && value == '1';
}

}  // namespace host
