// The system call table and the faults checked in front of it.

#include "host/syscalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <utility>
#include <vector>

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
    HOST_SYSCALL("open", DefaultOpen), HOST_SYSCALL("close", ::close),
    HOST_SYSCALL("read", ::read),      HOST_SYSCALL("write", ::write),
    HOST_SYSCALL("lseek", ::lseek),    HOST_SYSCALL("ftruncate", ::ftruncate),
    HOST_SYSCALL("fstat", ::fstat),    HOST_SYSCALL("stat", ::stat),
    HOST_SYSCALL("mkdir", ::mkdir),    HOST_SYSCALL("unlink", ::unlink),
    HOST_SYSCALL("rmdir", ::rmdir),    HOST_SYSCALL("_exit", ::_exit),
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

struct Counter {
  int countdown = 0;    // the call that fails, counted down; 0 when none
  bool always = false;  // every call fails
};

struct Faults {
  std::map<Syscall, Counter> counters;
  bool diskLimited = false;
  int64_t diskFree = 0;                // what a drive not yet written has
  std::map<char, int64_t> driveFree;   // drives written since the limit was set
  std::set<std::string> refusedOpens;  // full Windows paths, upper-case
  std::set<std::pair<std::string, std::string>> hiddenExports;  // (module, export)
};

Faults& TheFaults() {
  static Faults faults;
  return faults;
}

std::string UpperPath(const std::string& path) {
  std::string upper = FullWindowsPath(path);
  for (char& c : upper) c = static_cast<char>(UpperAnsiByte(static_cast<unsigned char>(c)));
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

bool ParseCount(const std::string& text, int64_t* value) {
  if (text.empty() || text.size() > 18) return false;
  size_t start = text[0] == '-' ? 1 : 0;
  if (start == text.size()) return false;
  int64_t result = 0;
  for (size_t i = start; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    result = result * 10 + (text[i] - '0');
  }
  *value = start ? -result : result;
  return true;
}

// The non-empty items of a comma-separated list, blanks around them dropped.
std::vector<std::string> CommaList(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    std::string item =
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    size_t first = item.find_first_not_of(" \t");
    size_t last = item.find_last_not_of(" \t");
    if (first != std::string::npos) items.push_back(item.substr(first, last - first + 1));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return items;
}

}  // namespace

void FailSyscall(Syscall call, int n) {
  Counter& counter = TheFaults().counters[call];
  counter = Counter();
  if (n == 0)
    counter.always = true;
  else if (n > 0)
    counter.countdown = n;
}

void SetDiskFree(int64_t bytes) {
  Faults& faults = TheFaults();
  faults.driveFree.clear();
  faults.diskLimited = bytes >= 0;
  faults.diskFree = bytes;
}

void FailOpenOf(const std::string& windowsPath) {
  std::string upper = UpperPath(windowsPath);
  if (!upper.empty()) TheFaults().refusedOpens.insert(upper);
}

void HideExport(const std::string& module, const std::string& name) {
  TheFaults().hiddenExports.insert(std::make_pair(ExportModuleName(module), name));
}

void ClearFaults() { TheFaults() = Faults(); }

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

bool LoadFaults(std::string* error) {
  ClearFaults();
  struct CountKey {
    const char* key;
    Syscall call;
  } countKeys[] = {
      {"fail_open_call", Syscall::Open},    {"fail_read", Syscall::Read},
      {"fail_write", Syscall::Write},       {"fail_seek", Syscall::Seek},
      {"fail_truncate", Syscall::Truncate}, {"fail_close", Syscall::Close},
      {"fail_registry", Syscall::Registry},
  };
  for (const CountKey& k : countKeys) {
    std::string text = MachineValue("faults", k.key);
    if (text.empty()) continue;
    int64_t n = 0;
    if (!ParseCount(text, &n) || n < 0 || n > 1000000000) {
      *error = std::string("machine.ini [faults] ") + k.key + " is not a call number: " + text;
      return false;
    }
    FailSyscall(k.call, static_cast<int>(n));
  }
  std::string diskFree = MachineValue("faults", "disk_free");
  if (!diskFree.empty()) {
    int64_t bytes = 0;
    if (!ParseCount(diskFree, &bytes) || bytes < 0) {
      *error = "machine.ini [faults] disk_free is not a byte count: " + diskFree;
      return false;
    }
    SetDiskFree(bytes);
  }
  for (const std::string& path : CommaList(MachineValue("faults", "fail_open"))) FailOpenOf(path);
  for (const std::string& entry : CommaList(MachineValue("faults", "missing_exports"))) {
    size_t colon = entry.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == entry.size()) {
      *error = "machine.ini [faults] missing_exports entry is not MODULE:NAME: " + entry;
      return false;
    }
    HideExport(entry.substr(0, colon), entry.substr(colon + 1));
  }
  return true;
}

namespace sys {

bool CallFails(Syscall call) {
  Counter& counter = TheFaults().counters[call];
  if (counter.always) return true;
  if (counter.countdown > 0 && --counter.countdown == 0) return true;
  return false;
}

bool ExportHidden(const std::string& module, const char* name) {
  const auto& hidden = TheFaults().hiddenExports;
  return !hidden.empty() && hidden.count(std::make_pair(module, std::string(name))) != 0;
}

bool OpenRefused(const std::string& windowsPath) {
  const auto& refused = TheFaults().refusedOpens;
  return !refused.empty() && refused.count(UpperPath(windowsPath)) != 0;
}

bool TakeDiskSpace(char drive, int64_t bytes) {
  Faults& faults = TheFaults();
  if (!faults.diskLimited || bytes <= 0) return true;
  auto found = faults.driveFree.try_emplace(drive, faults.diskFree).first;
  if (found->second < bytes) return false;
  found->second -= bytes;
  return true;
}

void GiveDiskSpace(char drive, int64_t bytes) {
  Faults& faults = TheFaults();
  if (!faults.diskLimited || bytes <= 0) return;
  faults.driveFree.try_emplace(drive, faults.diskFree).first->second += bytes;
}

bool DiskSpaceLeft(char drive, int64_t* bytes) {
  const Faults& faults = TheFaults();
  if (!faults.diskLimited) return false;
  auto found = faults.driveFree.find(drive);
  *bytes = found == faults.driveFree.end() ? faults.diskFree : found->second;
  return true;
}

int Open(const char* path, int flags, mode_t mode) {
  return Current<int (*)(const char*, int, mode_t)>("open")(path, flags, mode);
}
int Close(int fd) { return Current<int (*)(int)>("close")(fd); }
ssize_t Read(int fd, void* buffer, size_t count) {
  return Current<ssize_t (*)(int, void*, size_t)>("read")(fd, buffer, count);
}
ssize_t Write(int fd, const void* buffer, size_t count) {
  return Current<ssize_t (*)(int, const void*, size_t)>("write")(fd, buffer, count);
}
off_t Seek(int fd, off_t offset, int whence) {
  return Current<off_t (*)(int, off_t, int)>("lseek")(fd, offset, whence);
}
int Truncate(int fd, off_t length) { return Current<int (*)(int, off_t)>("ftruncate")(fd, length); }
int Fstat(int fd, struct stat* info) {
  return Current<int (*)(int, struct stat*)>("fstat")(fd, info);
}
int MakeDirectory(const char* path, mode_t mode) {
  return Current<int (*)(const char*, mode_t)>("mkdir")(path, mode);
}
int RemoveFile(const char* path) { return Current<int (*)(const char*)>("unlink")(path); }
int RemoveDirectory(const char* path) { return Current<int (*)(const char*)>("rmdir")(path); }
void EndProcess(int status) {
  Current<void (*)(int)>("_exit")(status);
  std::abort();  // a replacement may throw, but never return
}
int Stat(const char* path, struct stat* info) {
  return Current<int (*)(const char*, struct stat*)>("stat")(path, info);
}

}  // namespace sys
}  // namespace host
