#include "machine/whole_file.h"

#include <fcntl.h>

#include <cerrno>

#include "machine/syscall_gate.h"

namespace host::sys {
namespace {

constexpr size_t kChunk = 64 * 1024;

bool WriteAll(int fd, const std::string& content) {
  for (size_t at = 0; at < content.size();) {
    ssize_t put = Write(fd, content.data() + at, content.size() - at);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      if (put == 0) errno = EIO;
      return false;
    }
    at += static_cast<size_t>(put);
  }
  return true;
}

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

bool ReplaceWholeFile(const std::string& nativePath, const std::string& content) {
  std::string written = nativePath + ".new";
  int fd = Open(written.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, content);
  int error = errno;
  if (Close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && Rename(written.c_str(), nativePath.c_str()) == 0) return true;
  if (ok) error = errno;
  RemoveFile(written.c_str());
  errno = error;
  return false;
}

}  // namespace host::sys
