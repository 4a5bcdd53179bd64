// The system call table: one entry per system call the host makes, and the
// gate through which the host calls each entry, with the entry's faults
// (syscall_faults.cpp) checked first.

#include "host/syscalls.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "host/machine.h"
#include "machine/machine_internal.h"
#include "machine/syscall_gate.h"

namespace host {
namespace {

int DefaultOpen(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

struct Entry {
  const char* name;
  SyscallPointer current;
  SyscallPointer fallback;
};

#define HOST_SYSCALL(name, function) \
  { name, reinterpret_cast<SyscallPointer>(function), reinterpret_cast<SyscallPointer>(function) }

Entry entries[] = {
    HOST_SYSCALL("open", DefaultOpen),    HOST_SYSCALL("close", ::close),
    HOST_SYSCALL("read", ::read),         HOST_SYSCALL("write", ::write),
    HOST_SYSCALL("lseek", ::lseek),       HOST_SYSCALL("ftruncate", ::ftruncate),
    HOST_SYSCALL("fstat", ::fstat),       HOST_SYSCALL("stat", ::stat),
    HOST_SYSCALL("mkdir", ::mkdir),       HOST_SYSCALL("unlink", ::unlink),
    HOST_SYSCALL("rmdir", ::rmdir),       HOST_SYSCALL("rename", ::rename),
    HOST_SYSCALL("opendir", ::opendir),   HOST_SYSCALL("readdir", ::readdir),
    HOST_SYSCALL("closedir", ::closedir), HOST_SYSCALL("getxattr", ::getxattr),
    HOST_SYSCALL("setxattr", ::setxattr), HOST_SYSCALL("_exit", ::_exit),
};

#undef HOST_SYSCALL

Entry* FindEntry(const char* name) {
  if (name == nullptr) return nullptr;
  for (Entry& entry : entries)
    if (std::strcmp(entry.name, name) == 0) return &entry;
  return nullptr;
}

template <typename Function>
Function Current(const char* name) {
  return reinterpret_cast<Function>(FindEntry(name)->current);
}

// Calls the entry's current function, unless a fault rule fails this call:
// then failed is returned with the rule's errno, as the call itself fails.
template <typename Result, typename... Args>
Result Call(const char* name, Result failed, Args... args) {
  if (sys::EntryFails(name)) return failed;
  return Current<Result (*)(Args...)>(name)(args...);
}

}  // namespace

bool SetSyscall(const char* name, SyscallPointer function) {
  Entry* entry = FindEntry(name);
  if (entry == nullptr) return false;
  entry->current = function != nullptr ? function : entry->fallback;
  return true;
}

SyscallPointer GetSyscall(const char* name) {
  Entry* entry = FindEntry(name);
  return entry == nullptr ? nullptr : entry->current;
}

const char* NextSyscall(const char* name) {
  if (name == nullptr) return entries[0].name;
  constexpr size_t count = sizeof entries / sizeof entries[0];
  for (size_t i = 0; i + 1 < count; ++i)
    if (std::strcmp(entries[i].name, name) == 0) return entries[i + 1].name;
  return nullptr;
}

namespace sys {

int Open(const char* path, int flags, mode_t mode) {
  return Call<int, const char*, int, mode_t>("open", -1, path, flags, mode);
}
int Close(int fd) { return Call<int, int>("close", -1, fd); }
ssize_t Read(int fd, void* buffer, size_t count) {
  return Call<ssize_t, int, void*, size_t>("read", -1, fd, buffer, count);
}
ssize_t Write(int fd, const void* buffer, size_t count) {
  return Call<ssize_t, int, const void*, size_t>("write", -1, fd, buffer, count);
}
off_t Seek(int fd, off_t offset, int whence) {
  return Call<off_t, int, off_t, int>("lseek", -1, fd, offset, whence);
}
int Truncate(int fd, off_t length) { return Call<int, int, off_t>("ftruncate", -1, fd, length); }
int Fstat(int fd, struct stat* info) { return Call<int, int, struct stat*>("fstat", -1, fd, info); }
int Stat(const char* path, struct stat* info) {
  return Call<int, const char*, struct stat*>("stat", -1, path, info);
}
int MakeDirectory(const char* path, mode_t mode) {
  return Call<int, const char*, mode_t>("mkdir", -1, path, mode);
}
int RemoveFile(const char* path) { return Call<int, const char*>("unlink", -1, path); }
int RemoveDirectory(const char* path) { return Call<int, const char*>("rmdir", -1, path); }
int Rename(const char* from, const char* to) {
  return Call<int, const char*, const char*>("rename", -1, from, to);
}
DIR* OpenDirectory(const char* path) { return Call<DIR*, const char*>("opendir", nullptr, path); }
dirent* ReadDirectory(DIR* dir) {
  errno = 0;  // so that the end of the folder tells from a failure
  return Call<dirent*, DIR*>("readdir", nullptr, dir);
}
int CloseDirectory(DIR* dir) { return Call<int, DIR*>("closedir", -1, dir); }
ssize_t GetAttribute(const char* path, const char* name, void* value, size_t size) {
  return Call<ssize_t, const char*, const char*, void*, size_t>("getxattr", -1, path, name, value,
                                                                size);
}
int SetAttribute(const char* path, const char* name, const void* value, size_t size, int flags) {
  return Call<int, const char*, const char*, const void*, size_t, int>("setxattr", -1, path, name,
                                                                       value, size, flags);
}
void EndProcess(int status) {
  Current<void (*)(int)>("_exit")(status);
  std::abort();  // a replacement may throw, but never return
}

}  // namespace sys
}  // namespace host
