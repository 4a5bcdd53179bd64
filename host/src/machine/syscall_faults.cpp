// The faults checked in front of the system call table (host/syscalls.h):
// the counted failures of each kind of call and of each table entry, the
// paths that refuse to open, the hidden exports, and the disk-space
// accounting of [faults] disk_free; and how machine.ini [faults] sets them.

#include <cerrno>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "host/machine.h"
#include "host/syscalls.h"
#include "machine/machine_internal.h"
#include "setting_list.h"
#include "machine/syscall_gate.h"

namespace host {
namespace {

struct Counter {
  int countdown = 0;    // the call that fails, counted down; 0 when none
  bool always = false;  // every call fails
};

// A rule on one entry of the table: its call fails with an errno.
struct EntryRule {
  Counter counter;
  int error = 0;
};

struct Faults {
  std::map<Syscall, Counter> counters;
  std::map<std::string, EntryRule> entryRules;  // by the entry's name
  bool diskLimited = false;
  int64_t diskFree = 0;                // what a drive not yet written has
  std::map<char, int64_t> driveFree;   // drives written since the limit was set
  std::set<std::string> refusedOpens;  // full Windows paths, upper-case
  std::set<std::pair<std::string, std::string>> hiddenExports;  // (module, export)
};

// Counts one call against the counter; true when this call must fail.
bool CountCall(Counter& counter) {
  if (counter.always) return true;
  if (counter.countdown > 0 && --counter.countdown == 0) return true;
  return false;
}

void Arm(Counter& counter, int n) {
  counter = Counter();
  if (n == 0)
    counter.always = true;
  else if (n > 0)
    counter.countdown = n;
}

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

}  // namespace

void FailSyscall(Syscall call, int n) { Arm(TheFaults().counters[call], n); }

bool FailSyscallEntry(const char* name, int n, int error) {
  if (GetSyscall(name) == nullptr) return false;
  auto& rules = TheFaults().entryRules;
  if (n < 0) {
    rules.erase(name);
    return true;
  }
  EntryRule& rule = rules[name];
  Arm(rule.counter, n);
  rule.error = error;
  return true;
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
  for (const std::string& path : machine_ini::SplitList(MachineValue("faults", "fail_open")))
    FailOpenOf(path);
  for (const std::string& entry :
       machine_ini::SplitList(MachineValue("faults", "missing_exports"))) {
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

bool CallFails(Syscall call) { return CountCall(TheFaults().counters[call]); }

bool EntryFails(const char* name) {
  auto& rules = TheFaults().entryRules;
  if (rules.empty()) return false;
  auto rule = rules.find(name);
  if (rule == rules.end() || !CountCall(rule->second.counter)) return false;
  errno = rule->second.error;
  return true;
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

}  // namespace sys
}  // namespace host
