// Internal to the host layer: how the Win32 functions reach the system call
// table (host/syscalls.h) and its faults.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <string>

#include "host/syscalls.h"

namespace host::sys {

// Counts one call of the kind; true when this call must fail.
bool CallFails(Syscall call);
// Counts one call of the table entry (FailSyscallEntry); true, with errno set
// to the rule's error, when this call must fail.
bool EntryFails(const char* name);
// True when GetProcAddress must not find this export of the module (its
// ExportModuleName).
bool ExportHidden(const std::string& module, const char* name);
// True when opening this Windows path must fail.
bool OpenRefused(const std::string& windowsPath);
// A write that makes a file on `drive` (upper-case letter) grow by `bytes`
// asks for the space first; false when the drive is full (nothing taken).
bool TakeDiskSpace(char drive, int64_t bytes);
// Bytes a file on `drive` gave up.
void GiveDiskSpace(char drive, int64_t bytes);
// While the disk is limited: true, with the bytes `drive` may still take.
bool DiskSpaceLeft(char drive, int64_t* bytes);

// The table's entries, called through their current function after the
// entry's fault rule; each fails as its system call does (-1 or null, with
// errno).
int Open(const char* path, int flags, mode_t mode);
int Close(int fd);
ssize_t Read(int fd, void* buffer, size_t count);
ssize_t Write(int fd, const void* buffer, size_t count);
off_t Seek(int fd, off_t offset, int whence);
int Truncate(int fd, off_t length);
int Fstat(int fd, struct stat* info);
int Stat(const char* path, struct stat* info);
int MakeDirectory(const char* path, mode_t mode);
int RemoveFile(const char* path);
int RemoveDirectory(const char* path);
int Rename(const char* from, const char* to);
DIR* OpenDirectory(const char* path);
// Null with errno 0 after the last entry, with another errno on a failure.
dirent* ReadDirectory(DIR* dir);
int CloseDirectory(DIR* dir);
// getxattr and setxattr.
ssize_t GetAttribute(const char* path, const char* name, void* value, size_t size);
int SetAttribute(const char* path, const char* name, const void* value, size_t size, int flags);
// Ends the process (ExitProcess, after its own work).
[[noreturn]] void EndProcess(int status);

}  // namespace host::sys
