// The host's system call table. Every system call the host makes reaches the
// machine through one entry, so that a test (or a machine's machine.ini
// [faults]) can make the Nth call fail, or the disk run full.
//
// Two layers, as in SQLite's os_win.c:
//  - The table (syscalls.cpp): one entry per system call (name, current and
//    default function). A test may replace an entry with its own function
//    (SetSyscall) and put the default back (SetSyscall with null).
//  - Faults (syscall_faults.cpp), checked before the entry is called:
//    counters per kind of Win32 call (Open, Read, ...), which fail a call the
//    way Windows reports that failure without touching the machine; and
//    counters per table entry (FailSyscallEntry), which fail the system call
//    itself with an errno, for the Win32 function to report as Windows
//    would.
//
// The [faults] keys of machine.ini that OpenMachine applies are described in
// the README ("The machine directory").
#pragma once

#include <cstdint>
#include <string>

namespace host {

// Registry counts every call of the registry functions (winapi/advapi32.h).
enum class Syscall { Open, Read, Write, Seek, Truncate, Close, Registry };

// Makes the nth call (counted from 1 after this request) of the kind fail
// once; n = 0 makes every call fail from now on. A negative n removes the
// fault.
void FailSyscall(Syscall call, int n);
// From now on every drive takes `bytes` more bytes, then a write fails as on
// a full disk; a write over bytes a file already has takes no space, and
// bytes a file gives up (truncation) are free again. A negative value removes
// the limit.
void SetDiskFree(int64_t bytes);
// Opening this Windows path fails (compared case-insensitively, as full
// paths).
void FailOpenOf(const std::string& windowsPath);
// GetProcAddress finds no export name in module (a base name such as
// "ADVAPI32.DLL", any case): NULL with ERROR_PROC_NOT_FOUND, as for an
// older system's library that lacks it.
void HideExport(const std::string& module, const std::string& name);
// Makes the nth call (counted from 1 after this request) of the table entry
// `name` fail with errno `error` instead of being made; n = 0 makes every
// call fail from now on, a negative n removes the rule. False when the table
// has no entry of that name. "_exit" never fails.
bool FailSyscallEntry(const char* name, int n, int error);
// Forgets every fault and resets the counters.
void ClearFaults();

// The table. Entries: "open", "close", "read", "write", "lseek",
// "ftruncate", "fstat", "stat", "mkdir", "unlink", "rmdir", "rename",
// "opendir", "readdir", "closedir", "getxattr", "setxattr" and "_exit" with
// the POSIX (and Linux) signatures. A replacement of "_exit" must not return; it may
// throw, so that a fuzz target lives on after the module ends the process.
typedef void (*SyscallPointer)(void);
// Replaces an entry (null puts the default back). False when there is no
// entry of that name.
bool SetSyscall(const char* name, SyscallPointer function);
// The entry's current function, or null when there is no such entry.
SyscallPointer GetSyscall(const char* name);
// The entry after `name` (the first when null), or null after the last.
const char* NextSyscall(const char* name);

}  // namespace host
