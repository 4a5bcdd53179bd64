// Deleting a key with everything below it. The registry only deletes keys
// without subkeys, so the tree goes deepest keys first.
#include <cstdlib>
#include <cstring>

#include "support/registry_helpers.h"
#include "support/registry_library.h"
#include "toolkit/bounded_text.h"
#include "toolkit/toolkit_api.h"

namespace {

// The class name RegQueryInfoKeyA is offered; a longer class fails the
// query, as it always has.
constexpr DWORD kClassNameSize = 128;
constexpr char kDeleteContext[] = "DeleteAllSubKeys";

// The entry points a tree delete calls; false when one is missing.
struct TreeEntries {
  RegOpenKeyExProc open;
  RegQueryInfoKeyProc queryInfo;
  RegEnumKeyProc enumerate;
  RegDeleteKeyProc remove;
  RegCloseKeyProc close;
};

bool BindTreeEntries(TreeEntries* entries) {
  entries->open = BoundRegistryProc<RegOpenKeyExProc>(kRegOpenKeyEx);
  entries->queryInfo = BoundRegistryProc<RegQueryInfoKeyProc>(kRegQueryInfoKey);
  entries->enumerate = BoundRegistryProc<RegEnumKeyProc>(kRegEnumKey);
  entries->remove = BoundRegistryProc<RegDeleteKeyProc>(kRegDeleteKey);
  entries->close = BoundRegistryProc<RegCloseKeyProc>(kRegCloseKey);
  return entries->open != nullptr && entries->queryInfo != nullptr &&
         entries->enumerate != nullptr && entries->remove != nullptr && entries->close != nullptr;
}

void ReportStep(const char* context) {
  EercErrorHandler(kRegistryErrorCode, TRUE, context, nullptr, nullptr);
}

int DeleteTree(const TreeEntries& reg, HKEY root, const char* keyPath) {
  HKEY key = nullptr;
  if (reg.open(root, keyPath, 0, kRegistryReadAccess, &key) != ERROR_SUCCESS) {
    ReportStep("DeleteAllSubKeys:open");
    return 0;
  }
  char className[kClassNameSize];
  DWORD classSize = kClassNameSize;
  DWORD subkeys = 0, longestName = 0, longestClass = 0, values = 0, longestValueName = 0,
        longestValue = 0, securitySize = 0;
  FILETIME lastWrite;
  if (reg.queryInfo(key, className, &classSize, nullptr, &subkeys, &longestName, &longestClass,
                    &values, &longestValueName, &longestValue, &securitySize,
                    &lastWrite) != ERROR_SUCCESS) {
    reg.close(key);
    return 0;
  }
  if (subkeys == 0) {
    reg.close(key);
    reg.remove(root, keyPath);  // a failed delete is not noticed
    return 1;
  }
  size_t nameSize = static_cast<size_t>(longestName) + 1;
  size_t pathSize = std::strlen(keyPath) + longestName + 2;
  char* name = static_cast<char*>(std::malloc(nameSize));
  char* path = static_cast<char*>(std::malloc(pathSize));
  int result = 1;
  if (name == nullptr || path == nullptr) {
    result = 0;  // the caller reports the tree delete
  } else {
    // From the last index down: deleting a subkey never moves one still to come.
    for (DWORD index = subkeys; index-- > 0;) {
      LSTATUS status = reg.enumerate(key, index, name, static_cast<DWORD>(nameSize));
      if (status == ERROR_NO_MORE_ITEMS) continue;
      if (status != ERROR_SUCCESS) {
        ReportStep("DeleteAllSubKeys:enum");
        result = 0;
        break;
      }
      // Every path is relative to the same root, not to the key open here.
      const char* pieces[] = {keyPath, "\\", name};
      JoinTextBounded(path, static_cast<int>(pathSize), pieces, 3);
      if (!DeleteTree(reg, root, path)) {
        result = 0;
        break;
      }
    }
  }
  reg.close(key);
  if (result) reg.remove(root, keyPath);
  std::free(name);
  std::free(path);
  return result;
}

void DeleteAllBelow(HKEY root, const char* keyPath) {
  TreeEntries entries;
  if (!BindTreeEntries(&entries)) FailRegistryStep(kDeleteContext);
  if (DoesRegKeyExistEx(root, keyPath) && !DeleteTree(entries, root, keyPath))
    FailRegistryStep(kDeleteContext);
}

}  // namespace

int DeleteKeyTree(HKEY root, const char* keyPath) {
  TreeEntries entries;
  if (!BindTreeEntries(&entries)) {
    // Like a key that cannot be opened: reported, and the caller decides.
    ReportStep("DeleteAllSubKeys:open");
    return 0;
  }
  return DeleteTree(entries, root, keyPath);
}

void DeleteAllSubKeys(const char* keyPath) { DeleteAllBelow(HKEY_CLASSES_ROOT, keyPath); }

void DeleteAllSubKeysEx(HKEY root, const char* keyPath) { DeleteAllBelow(root, keyPath); }
