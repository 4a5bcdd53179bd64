// Internal to the host layer: the registry in memory. Keys form a tree under
// the predefined roots; the classes root is the key
// HKEY_LOCAL_MACHINE\Software\Classes, as on Windows 95. Open key handles
// hold their key, so a key deleted while open stays a deleted key for them
// (ERROR_KEY_DELETED) and is never confused with a new key of the same name.
//
// The tree is read from the machine's registry.reg at its first use and
// written back, as REGEDIT4 text, by SaveRegistry when something changed.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "winapi.h"

namespace host::registry {

struct Value {
  std::string name;  // as first written; "" is the key's default value
  DWORD type = REG_NONE;
  std::string data;  // the bytes as stored (REG_SZ with the zero it was given)
};

struct Key {
  std::string name;         // as first written
  std::string className;    // given when RegCreateKeyExA created it
  bool isVolatile = false;  // REG_OPTION_VOLATILE: never written back
  bool deleted = false;
  FILETIME lastWrite{};
  Key* parent = nullptr;  // null for a root
  // By upper-case name, which is also the order RegEnumKeyA gives.
  std::map<std::string, std::shared_ptr<Key>> subkeys;
  std::vector<Value> values;  // in the order they were first written

  Value* FindValue(const std::string& name);
};

struct Registry {
  bool loaded = false;
  bool changed = false;  // something that registry.reg keeps has changed
  // The predefined roots but the classes root, by handle value.
  std::map<uintptr_t, std::shared_ptr<Key>> roots;
  std::map<uintptr_t, std::shared_ptr<Key>> handles;  // open key handles
  uintptr_t nextHandle = kFirstHandle;
  static constexpr uintptr_t kFirstHandle = 0x100;
  static constexpr uintptr_t kHandleStep = 4;
};

Registry& TheRegistry();

// Key and value names compare as Windows compares them: case-insensitively
// in the machine's ANSI code page.
std::string Upper(const std::string& text);

// True for the handle values of the predefined roots.
bool IsPredefined(HKEY key);
// The name registry.reg gives a predefined root, or null (also for the
// classes root, which is a key of the local machine's).
const char* RootName(uintptr_t handleValue);
// The key a handle stands for (the registry is read first if need be):
// ERROR_INVALID_HANDLE for no key, ERROR_KEY_DELETED for a deleted one.
LSTATUS Resolve(HKEY key, std::shared_ptr<Key>* result);
// The key HKEY_CLASSES_ROOT stands for, made when missing.
std::shared_ptr<Key> ClassesRoot();

// The names of a key path relative to some key. Backslashes separate names;
// a run of them counts as one and trailing ones are dropped, as Wine's
// server reads paths. False for a path that starts with a backslash
// (ERROR_BAD_PATHNAME). A null path has no names.
bool SplitKeyPath(const char* path, std::vector<std::string>* names);

// The key at names below key, or null.
std::shared_ptr<Key> Find(const std::shared_ptr<Key>& key, const std::vector<std::string>& names);
// A new subkey of parent (which has none of that name); volatile when asked
// or when its parent is.
std::shared_ptr<Key> AddSubkey(Key* parent, const std::string& name, bool isVolatile = false);
// Removes a key and everything below it from the tree.
void RemoveKey(Key* key);

// A new handle for the key.
HKEY NewHandle(const std::shared_ptr<Key>& key);

// Records a change of key (its values or its subkeys): the time, and that
// registry.reg must be written unless the key is volatile.
void Touch(Key* key);
FILETIME Now();

// Stores a value (replacing one of the same name); false when the key
// already held exactly that.
bool SetValue(Key* key, const std::string& name, DWORD type, const std::string& data);
void DeleteValue(Key* key, const std::string& name);

// registry_file.cpp: reads registry.reg into the registry, once after each
// reset; and the REGEDIT4 text of the registry as it is now. A file that is
// there but cannot be read gives the Windows error and leaves the registry
// unread, to be read at the next call (and never written over the file).
LSTATUS LoadRegistryFile();
std::string RegistryFileText();

}  // namespace host::registry
