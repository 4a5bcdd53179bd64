#include "whole_file.h"

#include <fcntl.h>

#include <cerrno>

#include "syscall_gate.h"

namespace host::sys {
namespace {

constexpr size_t kChunk = 64 * 1024;

}  // namespace

bool ReadWholeFile(const std::string& nativePath, std::string* content) {
  content->clear();
  int fd = Open(nativePath.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (fd < 0) return false;
  char chunk[kChunk];
  for (;;) {
    ssize_t got = Read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      int error = errno;
      Close(fd);
      errno = error;
      return false;
    }
    if (got == 0) break;
    content->append(chunk, static_cast<size_t>(got));
  }
  Close(fd);
  return true;
}

}  // namespace host::sys
