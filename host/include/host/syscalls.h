// The host's system call table. Every call that reaches the machine goes
// through one entry, so that a test (or a machine's machine.ini [faults]) can
// make the Nth call fail, or the disk run full.
#pragma once

#include <cstdint>
#include <string>

namespace host {

enum class Syscall { Open, Read, Write, Seek, Truncate, Close, Registry };

// Makes the nth call (counted from 1 after this request) of the kind fail;
// n = 0 makes every call fail from now on.
void FailSyscall(Syscall call, int n);
// From now on every drive takes `bytes` more bytes, then a write fails as on
// a full disk; a write over bytes a file already has takes no space. A
// negative value removes the limit.
void SetDiskFree(int64_t bytes);
// Opening this Windows path fails (compared case-insensitively).
void FailOpenOf(const std::string& windowsPath);
// Forgets every fault and resets the counters.
void ClearFaults();

}  // namespace host
