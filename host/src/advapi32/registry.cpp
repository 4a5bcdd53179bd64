// The registry functions of ADVAPI32.DLL over the tree of registry_tree.h.
// Every call of the twelve counts as one Registry system call for the faults
// (host/syscalls.h), whatever its arguments; a call made to fail does
// nothing and answers ERROR_ACCESS_DENIED. Calls the functions make of one
// another inside the host do not count.

#include <algorithm>
#include <cstring>
#include <iterator>

#include "advapi32/advapi32_internal.h"
#include "machine/machine_internal.h"
#include "machine/registry/registry_tree.h"
#include "machine/syscall_gate.h"
#include "truncated_copy.h"
#include "winapi.h"

namespace host {
namespace {

using registry::Key;
using KeyPtr = std::shared_ptr<Key>;

bool CallFails() { return sys::CallFails(Syscall::Registry); }

bool IsStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The longest key name (one name of a path) and value name, in UTF-16
// characters, as Windows NT and Wine count them.
constexpr size_t kMostKeyNameChars = 255;
constexpr size_t kMostValueNameChars = 16383;

size_t Utf16Length(const std::string& text) { return AnsiToUtf16(text).size(); }

// The existing key at subKey below key.
LSTATUS OpenPath(HKEY key, LPCSTR subKey, KeyPtr* result) {
  KeyPtr base;
  LSTATUS status = registry::Resolve(key, &base);
  if (status != ERROR_SUCCESS) return status;
  // Windows NT lets a path below the classes root start with backslashes.
  if (key == HKEY_CLASSES_ROOT && subKey != nullptr)
    while (*subKey == '\\') ++subKey;
  std::vector<std::string> names;
  if (!registry::SplitKeyPath(subKey, &names)) return ERROR_BAD_PATHNAME;
  *result = registry::Find(base, names);
  return *result == nullptr ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

// The key at subKey below base, made with the keys above it when missing.
LSTATUS CreatePath(const KeyPtr& base, LPCSTR subKey, LPCSTR className, DWORD options,
                   KeyPtr* result, bool* created) {
  std::vector<std::string> names;
  if (!registry::SplitKeyPath(subKey, &names)) return ERROR_BAD_PATHNAME;
  for (const std::string& name : names)
    if (Utf16Length(name) > kMostKeyNameChars) return ERROR_INVALID_PARAMETER;
  bool isVolatile = (options & REG_OPTION_VOLATILE) != 0;
  KeyPtr current = base;
  *created = false;
  for (size_t i = 0; i < names.size(); ++i) {
    auto found = current->subkeys.find(registry::Upper(names[i]));
    if (found != current->subkeys.end()) {
      current = found->second;
      continue;
    }
    if (current->isVolatile && !isVolatile) return ERROR_CHILD_MUST_BE_VOLATILE;
    current = registry::AddSubkey(current.get(), names[i], isVolatile);
    if (i + 1 == names.size()) {
      if (className != nullptr) current->className = className;
      *created = true;
    }
  }
  *result = current;
  return ERROR_SUCCESS;
}

LSTATUS OpenKey(HKEY key, LPCSTR subKey, PHKEY result) {
  KeyPtr found;
  if (subKey == nullptr || *subKey == '\0') {
    LSTATUS status = registry::Resolve(key, &found);
    if (status != ERROR_SUCCESS) return status;
    // A predefined root opens as itself; any other key gets a new handle.
    *result = registry::IsPredefined(key) ? key : registry::NewHandle(found);
    return ERROR_SUCCESS;
  }
  LSTATUS status = OpenPath(key, subKey, &found);
  if (status == ERROR_SUCCESS) *result = registry::NewHandle(found);
  return status;
}

LSTATUS CreateKey(HKEY key, LPCSTR subKey, LPCSTR className, DWORD options, PHKEY result,
                  LPDWORD disposition) {
  KeyPtr base, created;
  LSTATUS status = registry::Resolve(key, &base);
  if (status != ERROR_SUCCESS) return status;
  bool isNew = false;
  status = CreatePath(base, subKey, className, options, &created, &isNew);
  if (status != ERROR_SUCCESS) return status;
  *result = registry::NewHandle(created);
  if (disposition != nullptr) *disposition = isNew ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

// RegQueryValueExA's answer for a key already found.
LSTATUS QueryValue(Key* key, LPCSTR valueName, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  const registry::Value* value = key->FindValue(valueName != nullptr ? valueName : "");
  if (value == nullptr) {
    // Windows 95 clears the type of a value it does not find (Windows NT
    // leaves any value there).
    if (type != nullptr) *type = REG_NONE;
    return ERROR_FILE_NOT_FOUND;
  }
  const std::string& bytes = value->data;
  DWORD needed = static_cast<DWORD>(bytes.size());
  if (type != nullptr) *type = value->type;
  if (data == nullptr) {
    if (dataSize != nullptr) *dataSize = needed;
    return ERROR_SUCCESS;
  }
  // Too small: the size needed, and nothing written.
  if (*dataSize < needed) {
    *dataSize = needed;
    return ERROR_MORE_DATA;
  }
  std::memcpy(data, bytes.data(), bytes.size());
  // A string stored without its zero gets one when there is room for it.
  if (IsStringType(value->type) && needed > 0 && bytes.back() != '\0' && *dataSize > needed)
    data[needed] = 0;
  *dataSize = needed;
  return ERROR_SUCCESS;
}

void CopyClass(const std::string& className, LPSTR buffer, LPDWORD size, LSTATUS* status) {
  DWORD length = static_cast<DWORD>(className.size());
  if (buffer == nullptr) {
    *size = length;
  } else if (*size == 0) {
    // Windows writes nothing and answers success with the 0 it was given.
  } else if (length + 1 > *size) {
    // Cut to the room given, terminated, with its length.
    *size = static_cast<DWORD>(machine_ini::CopyTruncated(className, buffer, *size));
    *status = ERROR_MORE_DATA;
  } else {
    std::memcpy(buffer, className.c_str(), length + 1);
    *size = length;
  }
}

void SetIf(LPDWORD out, size_t value) {
  if (out != nullptr) *out = static_cast<DWORD>(value);
}

}  // namespace

}  // namespace host

extern "C" {

LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD /*options*/, REGSAM /*access*/,
                             PHKEY result) {
  if (result != nullptr) *result = nullptr;
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  return host::OpenKey(key, subKey, result);
}

LSTATUS WINAPI RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  if (subKey == nullptr || *subKey == '\0') {
    *result = key;
    return ERROR_SUCCESS;
  }
  *result = nullptr;
  return host::OpenKey(key, subKey, result);
}

LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD /*reserved*/, LPSTR className,
                               DWORD options, REGSAM /*access*/, LPSECURITY_ATTRIBUTES /*security*/,
                               PHKEY result, LPDWORD disposition) {
  if (result != nullptr) *result = nullptr;
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  if (result == nullptr) return ERROR_BADKEY;
  return host::CreateKey(key, subKey, className, options, result, disposition);
}

LSTATUS WINAPI RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
  if (result != nullptr) *result = nullptr;
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  return host::CreateKey(key, subKey, nullptr, REG_OPTION_NON_VOLATILE, result, nullptr);
}

LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD dataSize) {
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  if (reserved != nullptr || (data != nullptr && dataSize == nullptr))
    return ERROR_INVALID_PARAMETER;
  host::KeyPtr found;
  LSTATUS status = host::registry::Resolve(key, &found);
  if (status != ERROR_SUCCESS) return status;
  return host::QueryValue(found.get(), valueName, type, data, dataSize);
}

LSTATUS WINAPI RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, PLONG size) {
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  host::KeyPtr found;
  LSTATUS status = subKey != nullptr && *subKey != '\0' ? host::OpenPath(key, subKey, &found)
                                                        : host::registry::Resolve(key, &found);
  if (status != ERROR_SUCCESS) return status;
  if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;
  // The size is taken as a DWORD, as Windows takes it: a negative one is a
  // very large buffer.
  DWORD room = size == nullptr ? 0 : static_cast<DWORD>(*size);
  status = host::QueryValue(found.get(), nullptr, nullptr, reinterpret_cast<LPBYTE>(data),
                            size != nullptr ? &room : nullptr);
  if (status == ERROR_FILE_NOT_FOUND) {
    // A key without a default value reads as an empty text.
    if (data != nullptr && room == 0) {
      *size = 1;
      return ERROR_MORE_DATA;
    }
    if (data != nullptr) *data = '\0';
    room = 1;
    status = ERROR_SUCCESS;
  }
  if (size != nullptr && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA))
    *size = static_cast<LONG>(room);
  return status;
}

LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD /*reserved*/, DWORD type,
                              const BYTE* data, DWORD dataSize) {
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  host::KeyPtr found;
  LSTATUS status = host::registry::Resolve(key, &found);
  if (status != ERROR_SUCCESS) return status;
  if (data == nullptr && dataSize != 0) return ERROR_NOACCESS;
  std::string name = valueName != nullptr ? valueName : "";
  if (host::Utf16Length(name) > host::kMostValueNameChars) return ERROR_INVALID_PARAMETER;
  // The bytes are stored as given, a string without its zero too, as
  // Windows 95 stores them. (Windows NT adds the zero a caller left out
  // when the byte after the block is zero; the host never reads past the
  // caller's block.)
  std::string bytes(reinterpret_cast<const char*>(data), data == nullptr ? 0 : dataSize);
  host::registry::SetValue(found.get(), name, type, bytes);
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD /*size*/) {
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  if (type != REG_SZ || data == nullptr) return ERROR_INVALID_PARAMETER;
  host::KeyPtr base, target;
  LSTATUS status = host::registry::Resolve(key, &base);
  if (status != ERROR_SUCCESS) return status;
  bool created = false;
  status = host::CreatePath(base, subKey, nullptr, REG_OPTION_NON_VOLATILE, &target, &created);
  if (status != ERROR_SUCCESS) return status;
  // The size given is not used: the text up to its zero is stored.
  host::registry::SetValue(target.get(), "", REG_SZ, std::string(data, std::strlen(data) + 1));
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegDeleteKeyA(HKEY key, LPCSTR subKey) {
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
  host::KeyPtr target;
  LSTATUS status = *subKey == '\0' ? host::registry::Resolve(key, &target)
                                   : host::OpenPath(key, subKey, &target);
  if (status != ERROR_SUCCESS) return status;
  // Roots stay, and a key must lose its subkeys first.
  if ((*subKey == '\0' && host::registry::IsPredefined(key)) || target->parent == nullptr ||
      !target->subkeys.empty())
    return ERROR_ACCESS_DENIED;
  host::registry::RemoveKey(target.get());
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD size) {
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  host::KeyPtr found;
  LSTATUS status = host::registry::Resolve(key, &found);
  if (status != ERROR_SUCCESS) return status;
  if (index >= found->subkeys.size()) return ERROR_NO_MORE_ITEMS;
  if (name == nullptr) return ERROR_INVALID_PARAMETER;
  auto entry = found->subkeys.begin();
  std::advance(entry, index);
  const std::string& subkeyName = entry->second->name;
  if (subkeyName.size() + 1 > size) return ERROR_MORE_DATA;
  std::memcpy(name, subkeyName.c_str(), subkeyName.size() + 1);
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD reserved,
                                LPDWORD subkeys, LPDWORD maxSubkeyName, LPDWORD maxClassName,
                                LPDWORD values, LPDWORD maxValueName, LPDWORD maxValueData,
                                LPDWORD securitySize, PFILETIME lastWrite) {
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  host::KeyPtr found;
  LSTATUS status = host::registry::Resolve(key, &found);
  if (status != ERROR_SUCCESS) return status;
  if (reserved != nullptr || (className != nullptr && classSize == nullptr))
    return ERROR_INVALID_PARAMETER;
  size_t longestName = 0, longestClass = 0, longestValueName = 0, longestData = 0;
  for (const auto& entry : found->subkeys) {
    longestName = std::max(longestName, entry.second->name.size());
    longestClass = std::max(longestClass, entry.second->className.size());
  }
  for (const host::registry::Value& value : found->values) {
    longestValueName = std::max(longestValueName, value.name.size());
    longestData = std::max(longestData, value.data.size());
  }
  host::SetIf(subkeys, found->subkeys.size());
  host::SetIf(maxSubkeyName, longestName);
  host::SetIf(maxClassName, longestClass);
  host::SetIf(values, found->values.size());
  host::SetIf(maxValueName, longestValueName);
  host::SetIf(maxValueData, longestData);
  host::SetIf(securitySize, 0);
  if (lastWrite != nullptr) *lastWrite = found->lastWrite;
  status = ERROR_SUCCESS;
  if (classSize != nullptr) host::CopyClass(found->className, className, classSize, &status);
  return status;
}

LSTATUS WINAPI RegCloseKey(HKEY key) {
  // A close made to fail leaves the handle open.
  if (host::CallFails()) return ERROR_ACCESS_DENIED;
  if (host::registry::IsPredefined(key)) return ERROR_SUCCESS;
  return host::registry::TheRegistry().handles.erase(reinterpret_cast<uintptr_t>(key)) == 1
             ? ERROR_SUCCESS
             : ERROR_INVALID_HANDLE;
}

}  // extern "C"

namespace host {

FARPROC RegistryExport(const char* name) {
  struct Export {
    const char* name;
    void* address;
  };
  static const Export kExports[] = {
      {"RegCloseKey", reinterpret_cast<void*>(&RegCloseKey)},
      {"RegCreateKeyA", reinterpret_cast<void*>(&RegCreateKeyA)},
      {"RegDeleteKeyA", reinterpret_cast<void*>(&RegDeleteKeyA)},
      {"RegOpenKeyA", reinterpret_cast<void*>(&RegOpenKeyA)},
      {"RegQueryValueA", reinterpret_cast<void*>(&RegQueryValueA)},
      {"RegSetValueA", reinterpret_cast<void*>(&RegSetValueA)},
      {"RegCreateKeyExA", reinterpret_cast<void*>(&RegCreateKeyExA)},
      {"RegOpenKeyExA", reinterpret_cast<void*>(&RegOpenKeyExA)},
      {"RegQueryValueExA", reinterpret_cast<void*>(&RegQueryValueExA)},
      {"RegSetValueExA", reinterpret_cast<void*>(&RegSetValueExA)},
      {"RegEnumKeyA", reinterpret_cast<void*>(&RegEnumKeyA)},
      {"RegQueryInfoKeyA", reinterpret_cast<void*>(&RegQueryInfoKeyA)},
  };
  for (const Export& e : kExports)
    if (std::strcmp(e.name, name) == 0) return reinterpret_cast<FARPROC>(e.address);
  return nullptr;
}

}  // namespace host
