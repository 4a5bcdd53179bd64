// Creating keys, storing and reading values, and testing keys, through the
// registry library bound at run time.
#include "support/registry_helpers.h"

#include <cstring>

#include "support/registry_library.h"
#include "toolkit/session.h"
#include "toolkit/symbols.h"

namespace {

// REG_SZ, the type of the default values the plain family stores.
constexpr DWORD kStringValue = 1;

void CreateKeyUnder(HKEY root, const char* keyPath, const char* context) {
  auto create = NeedRegistryEntry<RegCreateKeyProc>(kRegCreateKey, context);
  auto close = NeedRegistryEntry<RegCloseKeyProc>(kRegCloseKey, context);
  HKEY key = nullptr;
  CheckRegistryStep(create(root, keyPath, &key), context);
  CheckRegistryStep(close(key), context);
}

void SetDefaultText(const char* keyPath, const char* valueText, const char* context) {
  auto set = NeedRegistryEntry<RegSetValueProc>(kRegSetValue, context);
  CheckRegistryStep(set(HKEY_CLASSES_ROOT, keyPath, kStringValue, valueText,
                        static_cast<DWORD>(std::strlen(valueText))),
                    context);
}

void SetValueIn(HKEY root, const char* keyPath, const char* valueName, DWORD valueType,
                const void* data, DWORD dataSize, const char* openContext, const char* setContext) {
  auto open = NeedRegistryEntry<RegOpenKeyExProc>(kRegOpenKeyEx, openContext);
  auto set = NeedRegistryEntry<RegSetValueExProc>(kRegSetValueEx, openContext);
  auto close = NeedRegistryEntry<RegCloseKeyProc>(kRegCloseKey, openContext);
  HKEY key = nullptr;
  // The key must exist: it is opened, not created.
  CheckRegistryStep(open(root, keyPath, 0, kRegistryWriteAccess, &key), openContext);
  CheckRegistryStep(set(key, valueName, 0, valueType, static_cast<const BYTE*>(data), dataSize),
                    setContext);
  close(key);
}

[[noreturn]] void EndWithBufferOverflow() {
  ShowBufferOverflow();
  SetupErrorExit(SetupErrorFail);
}

}  // namespace

void CreateRegKey(const char* keyPath) {
  CreateKeyUnder(HKEY_CLASSES_ROOT, keyPath, "CreateRegKey");
}

void CreateRegKeyEx(HKEY root, const char* keyPath) {
  CreateKeyUnder(root, keyPath, "CreateRegKeyEx");
}

void CreateRegKeyValue(const char* keyPath, const char* valueText) {
  SetDefaultText(keyPath, valueText, "CreateRegKeyValue");
}

void SetRegKeyValue(const char* keyPath, const char* valueText) {
  SetDefaultText(keyPath, valueText, "SetRegKeyValue");
}

void CreateRegKeyValueEx(HKEY root, const char* keyPath, const char* valueName, DWORD valueType,
                         const void* data, DWORD dataSize) {
  SetValueIn(root, keyPath, valueName, valueType, data, dataSize, "CreateRegKeyValueEx:open",
             "CreateRegKeyValueEx");
}

void SetRegKeyValueEx(HKEY root, const char* keyPath, const char* valueName, DWORD valueType,
                      const void* data, DWORD dataSize) {
  SetValueIn(root, keyPath, valueName, valueType, data, dataSize, "SetRegKeyValueEx:open",
             "SetRegKeyValueEx");
}

int DoesRegKeyExistEx(HKEY root, const char* keyPath) {
  auto open = BoundRegistryProc<RegOpenKeyProc>(kRegOpenKey);
  auto close = BoundRegistryProc<RegCloseKeyProc>(kRegCloseKey);
  // Without a library no key can be opened.
  if (open == nullptr || close == nullptr) return 0;
  HKEY key = nullptr;
  if (open(root, keyPath, &key) != ERROR_SUCCESS) return 0;
  // An empty path gives root itself back, which is the caller's to close.
  if (key != root) close(key);
  return 1;
}

int DoesRegKeyExist(const char* keyPath) { return DoesRegKeyExistEx(HKEY_CLASSES_ROOT, keyPath); }

char* GetRegKeyValue(const char* keyPath, char* buffer, LONG bufferSize) {
  // Its read step is reported as "SetRegKeyValue", as the toolkit always has.
  const char* context = "SetRegKeyValue";
  auto query = NeedRegistryEntry<RegQueryValueProc>(kRegQueryValue, context);
  // Not even an empty text fits no room.
  if (bufferSize <= 0) EndWithBufferOverflow();
  if (buffer != nullptr) buffer[0] = '\0';
  if (!DoesRegKeyExist(keyPath)) return buffer;
  LONG size = bufferSize;
  CheckRegistryStep(query(HKEY_CLASSES_ROOT, keyPath, buffer, &size), context);
  if (size > bufferSize) EndWithBufferOverflow();
  // A value stored without its terminator must still come back as a text.
  if (buffer != nullptr && size > 0 && buffer[size - 1] != '\0') {
    if (size == bufferSize) EndWithBufferOverflow();
    buffer[size] = '\0';
  }
  return buffer;
}

LONG GetRegKeyValueEx(HKEY root, const char* keyPath, const char* valueName, DWORD* valueType,
                      void* data, DWORD dataSize) {
  auto open = NeedRegistryEntry<RegOpenKeyExProc>(kRegOpenKeyEx, "GetRegKeyValueEx");
  auto query = NeedRegistryEntry<RegQueryValueExProc>(kRegQueryValueEx, "GetRegKeyValueEx");
  auto close = NeedRegistryEntry<RegCloseKeyProc>(kRegCloseKey, "GetRegKeyValueEx");
  if (!DoesRegKeyExistEx(root, keyPath)) return ERROR_BADKEY;
  HKEY key = nullptr;
  CheckRegistryStep(open(root, keyPath, 0, kRegistryReadAccess, &key), "GetRegKeyValueEx");
  DWORD size = dataSize;
  // Its read step is reported as "SetRegKeyValueEx", as the toolkit always has.
  CheckRegistryStep(query(key, valueName, nullptr, valueType, static_cast<BYTE*>(data), &size),
                    "SetRegKeyValueEx");
  if (size > dataSize) EndWithBufferOverflow();
  close(key);
  return ERROR_SUCCESS;
}
