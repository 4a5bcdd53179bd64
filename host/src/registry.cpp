// The registry: RegOpenKeyExA, RegQueryValueExA and RegCloseKey over the
// machine's registry.reg (REGEDIT4 text), read once per machine. Every open
// and query counts as one Registry system call, so that a test can fail the
// Nth; closing a key does not count.

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "host/machine.h"
#include "host_internal.h"
#include "syscall_gate.h"
#include "winapi.h"

namespace host {
namespace {

struct Value {
  DWORD type = REG_NONE;
  std::string data;  // the bytes as the registry keeps them (REG_SZ with its zero)
};

struct Key {
  std::map<std::string, Value> values;  // by upper-case name; "" is the default value
};

struct Registry {
  bool loaded = false;
  std::map<std::string, Key> keys;        // by upper-case full path
  std::map<uintptr_t, std::string> open;  // handle -> upper-case full path
  uintptr_t nextHandle = kFirstHandle;
  static constexpr uintptr_t kFirstHandle = 0x100;
  static constexpr uintptr_t kHandleStep = 4;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

std::string Upper(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) {
    unsigned char u = UpperAnsiByte(static_cast<unsigned char>(c));
    if (u >= 'a' && u <= 'z') u = static_cast<unsigned char>(u - 'a' + 'A');
    c = static_cast<char>(u);
  }
  return upper;
}

// The root a predefined handle stands for, or null.
const char* RootName(HKEY key) {
  switch (reinterpret_cast<uintptr_t>(key)) {
    case 0x80000000:
      return "HKEY_CLASSES_ROOT";
    case 0x80000001:
      return "HKEY_CURRENT_USER";
    case 0x80000002:
      return "HKEY_LOCAL_MACHINE";
    case 0x80000003:
      return "HKEY_USERS";
    case 0x80000005:
      return "HKEY_CURRENT_CONFIG";
    case 0x80000006:
      return "HKEY_DYN_DATA";
    default:
      return nullptr;
  }
}

void Warn(int line, const std::string& message) {
  std::fprintf(stderr, "host: registry.reg line %d: %s\n", line, message.c_str());
}

// A key and every key above it exist.
Key& AddKey(const std::string& upperPath) {
  for (size_t slash = upperPath.find('\\'); slash != std::string::npos;
       slash = upperPath.find('\\', slash + 1))
    TheRegistry().keys[upperPath.substr(0, slash)];
  return TheRegistry().keys[upperPath];
}

// A quoted REGEDIT4 string starting at text[*at] == '"'; \" and \\ are
// escapes. False when the closing quote is missing.
bool ParseQuoted(const std::string& text, size_t* at, std::string* out) {
  out->clear();
  for (size_t i = *at + 1; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
      *out += text[++i];
    } else if (text[i] == '"') {
      *at = i + 1;
      return true;
    } else {
      *out += text[i];
    }
  }
  return false;
}

bool ParseHexBytes(const std::string& text, std::string* out) {
  out->clear();
  std::stringstream items(text);
  for (std::string item; std::getline(items, item, ',');) {
    size_t begin = item.find_first_not_of(" \t");
    if (begin == std::string::npos) continue;
    size_t end = item.find_last_not_of(" \t");
    item = item.substr(begin, end - begin + 1);
    if (item.size() > 2 || item.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
      return false;
    *out += static_cast<char>(std::stoi(item, nullptr, 16));
  }
  return true;
}

// "data" of a value line: "text", dword:XXXXXXXX, hex:.. or hex(N):..
bool ParseData(const std::string& text, Value* value) {
  if (!text.empty() && text[0] == '"') {
    size_t at = 0;
    std::string s;
    if (!ParseQuoted(text, &at, &s) || text.find_first_not_of(" \t", at) != std::string::npos)
      return false;
    value->type = REG_SZ;
    value->data = s + '\0';
    return true;
  }
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower.rfind("dword:", 0) == 0) {
    std::string digits = lower.substr(6);
    if (digits.empty() || digits.size() > 8 ||
        digits.find_first_not_of("0123456789abcdef") != std::string::npos)
      return false;
    DWORD number = static_cast<DWORD>(std::stoul(digits, nullptr, 16));
    value->type = REG_DWORD;
    value->data.assign(reinterpret_cast<const char*>(&number), sizeof number);  // little-endian
    return true;
  }
  if (lower.rfind("hex:", 0) == 0) {
    value->type = REG_BINARY;
    return ParseHexBytes(text.substr(4), &value->data);
  }
  if (lower.rfind("hex(", 0) == 0) {
    size_t close = lower.find("):");
    if (close == std::string::npos) return false;
    std::string type = lower.substr(4, close - 4);
    if (type.empty() || type.find_first_not_of("0123456789abcdef") != std::string::npos)
      return false;
    value->type = static_cast<DWORD>(std::stoul(type, nullptr, 16));
    return ParseHexBytes(text.substr(close + 2), &value->data);
  }
  return false;
}

void Load() {
  Registry& registry = TheRegistry();
  if (registry.loaded) return;
  registry.loaded = true;
  // The predefined roots always exist.
  for (uintptr_t root = 0x80000000; root <= 0x80000006; ++root)
    if (const char* name = RootName(reinterpret_cast<HKEY>(root))) registry.keys[name];
  std::ifstream file(MachineDir() + "/registry.reg", std::ios::binary);
  if (!file) return;  // no file: an empty registry
  std::string line, current;
  bool skipping = false;  // inside a [-KEY] section, which deletes and holds nothing
  int number = 0;
  while (std::getline(file, line)) {
    ++number;
    // A line ending in a backslash continues on the next (long hex values).
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos) {
      std::string next;
      if (!std::getline(file, next)) break;
      ++number;
      while (!next.empty() && next.back() == '\r') next.pop_back();
      line.pop_back();
      line += next;
    }
    size_t begin = line.find_first_not_of(" \t");
    if (begin == std::string::npos) continue;
    line = line.substr(begin);
    if (line[0] == ';' || (number == 1 && line.rfind("REGEDIT4", 0) == 0)) continue;
    if (line[0] == '[') {
      size_t close = line.rfind(']');
      if (close == std::string::npos) {
        Warn(number, "a key without its closing bracket");
        current.clear();
        continue;
      }
      std::string path = line.substr(1, close - 1);
      skipping = !path.empty() && path[0] == '-';
      if (skipping) continue;
      TrimTrailingBackslashes(&path);
      current = Upper(path);
      AddKey(current);
      continue;
    }
    if (skipping) continue;
    if (current.empty()) {
      Warn(number, "a value outside any key");
      continue;
    }
    std::string name;
    size_t at = 0;
    if (line[0] == '@') {
      at = 1;
    } else if (line[0] != '"' || !ParseQuoted(line, &at, &name)) {
      Warn(number, "a value name that is neither @ nor quoted");
      continue;
    }
    size_t equals = line.find_first_not_of(" \t", at);
    if (equals == std::string::npos || line[equals] != '=') {
      Warn(number, "a value without '='");
      continue;
    }
    std::string data = line.substr(equals + 1);
    size_t dataBegin = data.find_first_not_of(" \t");
    data = dataBegin == std::string::npos ? std::string() : data.substr(dataBegin);
    Value value;
    if (data == "-") {  // deletes the value: nothing to keep
      registry.keys[current].values.erase(Upper(name));
      continue;
    }
    if (!ParseData(data, &value)) {
      Warn(number, "a value whose data cannot be read: " + data);
      continue;
    }
    registry.keys[current].values[Upper(name)] = value;
  }
}

// The upper-case full path a handle stands for; empty when it is no key.
std::string PathOf(HKEY key) {
  if (const char* root = RootName(key)) return root;
  auto found = TheRegistry().open.find(reinterpret_cast<uintptr_t>(key));
  return found == TheRegistry().open.end() ? std::string() : found->second;
}

}  // namespace

void ResetRegistry() { TheRegistry() = Registry(); }

}  // namespace host

extern "C" {

LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD /*options*/, REGSAM /*access*/,
                             PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (host::sys::CallFails(host::Syscall::Registry)) return ERROR_ACCESS_DENIED;
  host::Load();
  std::string path = host::PathOf(key);
  if (path.empty()) return ERROR_INVALID_HANDLE;
  std::string sub = subKey != nullptr ? subKey : "";
  host::TrimTrailingBackslashes(&sub);
  if (!sub.empty()) {
    // A name may not start with a backslash or hold an empty component.
    size_t slash = host::FindAnsiChar(sub, '\\');
    for (size_t next; slash != std::string::npos; slash = next) {
      next = host::FindAnsiChar(sub, '\\', slash + 1);
      if (slash == 0 || next == slash + 1) return ERROR_BAD_PATHNAME;
    }
    path += "\\" + host::Upper(sub);
  }
  host::Registry& registry = host::TheRegistry();
  if (registry.keys.count(path) == 0) return ERROR_FILE_NOT_FOUND;
  uintptr_t handle = registry.nextHandle;
  registry.nextHandle += host::Registry::kHandleStep;
  registry.open[handle] = path;
  *result = reinterpret_cast<HKEY>(handle);
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD dataSize) {
  if (reserved != nullptr || (data != nullptr && dataSize == nullptr))
    return ERROR_INVALID_PARAMETER;
  if (host::sys::CallFails(host::Syscall::Registry)) return ERROR_ACCESS_DENIED;
  host::Load();
  std::string path = host::PathOf(key);
  if (path.empty()) return ERROR_INVALID_HANDLE;
  auto found = host::TheRegistry().keys.find(path);
  if (found == host::TheRegistry().keys.end()) return ERROR_FILE_NOT_FOUND;
  auto value = found->second.values.find(host::Upper(valueName != nullptr ? valueName : ""));
  if (value == found->second.values.end()) return ERROR_FILE_NOT_FOUND;
  const std::string& bytes = value->second.data;
  if (type != nullptr) *type = value->second.type;
  if (data == nullptr) {
    if (dataSize != nullptr) *dataSize = static_cast<DWORD>(bytes.size());
    return ERROR_SUCCESS;
  }
  // Too small: the size needed, and nothing written.
  if (*dataSize < bytes.size()) {
    *dataSize = static_cast<DWORD>(bytes.size());
    return ERROR_MORE_DATA;
  }
  std::memcpy(data, bytes.data(), bytes.size());
  *dataSize = static_cast<DWORD>(bytes.size());
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY key) {
  // Closing is not a Registry call for the faults: only opens and queries
  // reach the registry's data.
  if (host::RootName(key) != nullptr) return ERROR_SUCCESS;
  return host::TheRegistry().open.erase(reinterpret_cast<uintptr_t>(key)) == 1
             ? ERROR_SUCCESS
             : ERROR_INVALID_HANDLE;
}

}  // extern "C"
