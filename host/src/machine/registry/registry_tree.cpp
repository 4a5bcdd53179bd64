// The registry's keys, their handles and the paths that name them.

#include <time.h>

#include "machine/machine_internal.h"
#include "machine/registry/registry_tree.h"

namespace host::registry {
namespace {

constexpr uintptr_t kClassesRoot = 0x80000000;
constexpr uintptr_t kLocalMachine = 0x80000002;
// FILETIME counts 100-nanosecond steps from 1601; Unix time from 1970.
constexpr uint64_t kUnixEpochInFileTime = 116444736000000000ULL;

}  // namespace

Value* Key::FindValue(const std::string& valueName) {
  std::string wanted = Upper(valueName);
  for (Value& value : values)
    if (Upper(value.name) == wanted) return &value;
  return nullptr;
}

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

bool IsPredefined(HKEY key) {
  uintptr_t value = reinterpret_cast<uintptr_t>(key);
  return value == kClassesRoot || RootName(value) != nullptr;
}

const char* RootName(uintptr_t handleValue) {
  switch (handleValue) {
    case 0x80000001:
      return "HKEY_CURRENT_USER";
    case kLocalMachine:
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

std::shared_ptr<Key> ClassesRoot() {
  Registry& registry = TheRegistry();
  std::shared_ptr<Key> key = registry.roots[kLocalMachine];
  for (const char* name : {"Software", "Classes"}) {
    auto found = key->subkeys.find(Upper(name));
    key = found != key->subkeys.end() ? found->second : AddSubkey(key.get(), name);
  }
  return key;
}

LSTATUS Resolve(HKEY key, std::shared_ptr<Key>* result) {
  Registry& registry = TheRegistry();
  LSTATUS loaded = LoadRegistryFile();
  if (loaded != ERROR_SUCCESS) return loaded;
  uintptr_t value = reinterpret_cast<uintptr_t>(key);
  if (value == kClassesRoot) {
    *result = ClassesRoot();
    return ERROR_SUCCESS;
  }
  auto root = registry.roots.find(value);
  if (root != registry.roots.end()) {
    *result = root->second;
    return ERROR_SUCCESS;
  }
  auto open = registry.handles.find(value);
  if (open == registry.handles.end()) return ERROR_INVALID_HANDLE;
  if (open->second->deleted) return ERROR_KEY_DELETED;
  *result = open->second;
  return ERROR_SUCCESS;
}

bool SplitKeyPath(const char* path, std::vector<std::string>* names) {
  names->clear();
  if (path == nullptr) return true;
  std::string text = path;
  if (!text.empty() && text[0] == '\\') return false;
  size_t start = 0;
  while (start <= text.size()) {
    size_t slash = FindAnsiChar(text, '\\', start);
    size_t end = slash == std::string::npos ? text.size() : slash;
    if (end > start) names->push_back(text.substr(start, end - start));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return true;
}

std::shared_ptr<Key> Find(const std::shared_ptr<Key>& key, const std::vector<std::string>& names) {
  std::shared_ptr<Key> current = key;
  for (const std::string& name : names) {
    auto found = current->subkeys.find(Upper(name));
    if (found == current->subkeys.end()) return nullptr;
    current = found->second;
  }
  return current;
}

std::shared_ptr<Key> AddSubkey(Key* parent, const std::string& name, bool isVolatile) {
  auto key = std::make_shared<Key>();
  key->name = name;
  key->parent = parent;
  key->isVolatile = parent->isVolatile || isVolatile;
  key->lastWrite = Now();
  parent->subkeys[Upper(name)] = key;
  parent->lastWrite = key->lastWrite;
  if (!key->isVolatile) TheRegistry().changed = true;
  return key;
}

namespace {

// A deleted key keeps its subkeys (a handle may hold one), but none of them
// points back up any more.
void MarkDeleted(Key* key) {
  key->deleted = true;
  for (auto& entry : key->subkeys) {
    entry.second->parent = nullptr;
    MarkDeleted(entry.second.get());
  }
}

}  // namespace

void RemoveKey(Key* key) {
  MarkDeleted(key);
  if (key->parent == nullptr) return;
  Key* parent = key->parent;
  key->parent = nullptr;
  parent->lastWrite = Now();
  if (!key->isVolatile) TheRegistry().changed = true;
  // Last: the map may hold the only reference to key.
  parent->subkeys.erase(Upper(key->name));
}

bool SetValue(Key* key, const std::string& name, DWORD type, const std::string& data) {
  Value* value = key->FindValue(name);
  if (value != nullptr && value->type == type && value->data == data) return false;
  if (value == nullptr) {
    key->values.push_back(Value{name, type, data});
  } else {
    value->type = type;
    value->data = data;
  }
  Touch(key);
  return true;
}

void DeleteValue(Key* key, const std::string& name) {
  std::string wanted = Upper(name);
  for (auto it = key->values.begin(); it != key->values.end(); ++it) {
    if (Upper(it->name) == wanted) {
      key->values.erase(it);
      Touch(key);
      return;
    }
  }
}

HKEY NewHandle(const std::shared_ptr<Key>& key) {
  Registry& registry = TheRegistry();
  uintptr_t handle = registry.nextHandle;
  registry.nextHandle += Registry::kHandleStep;
  registry.handles[handle] = key;
  return reinterpret_cast<HKEY>(handle);
}

void Touch(Key* key) {
  key->lastWrite = Now();
  if (!key->isVolatile) TheRegistry().changed = true;
}

FILETIME Now() {
  uint64_t ticks = static_cast<uint64_t>(time(nullptr)) * 10000000ULL + kUnixEpochInFileTime;
  FILETIME now;
  now.dwLowDateTime = static_cast<DWORD>(ticks);
  now.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return now;
}

}  // namespace host::registry

namespace host {

void ResetRegistry() { registry::TheRegistry() = registry::Registry(); }

}  // namespace host
