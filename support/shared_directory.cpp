// The "MSAPPS" section of "WIN.INI": the shared directory and one folder
// key per shared component. Only the names are recorded; no folder is made.
#include <cstring>

#include "support/path_buffer.h"
#include "support/shared_components.h"
#include "support/system_detection.h"
#include "toolkit/path_helpers.h"
#include "toolkit/toolkit_api.h"

BOOL SharedDirPending = TRUE;

namespace {

constexpr const char* kWinIni = "WIN.INI";
constexpr const char* kSection = "MSAPPS";
constexpr const char* kSharedDirKey = "MSAPPS";
// The INI option word the toolkit writes these keys with.
constexpr int kIniWriteOptions = 1024;
// The Windows directory leaves room for "MSAPPS" and a backslash in 255.
constexpr int kWindowsDirLimit = kPathBufferSize - 1 - 6 - 2;

// The key's value into buffer (255 characters) when the key exists and the
// toolkit takes its value for a valid directory.
bool ReadValidDirKey(const char* key, char* buffer) {
  if (!DoesIniKeyExist(kWinIni, kSection, key)) return false;
  GetIniKeyStringChecked(kWinIni, kSection, key, buffer, kPathBufferSize - 1);
  return FValidDir(buffer) != 0;
}

}  // namespace

int EnsureComponentKey(const char* componentKey, const char* sharedDir) {
  char value[kPathBufferSize];
  if (ReadValidDirKey(componentKey, value)) return 1;
  value[0] = '\0';
  AppendToPathBuffer(value, sharedDir);
  AppendToPathBuffer(value, componentKey);
  return FCreateIniKeyValue(kWinIni, kSection, componentKey, value, kIniWriteOptions) ? 1 : 0;
}

int EnsureSharedDirectory() {
  if (!SharedDirPending) return 1;
  // Once only, whatever the outcome: a failure is not retried.
  SharedDirPending = FALSE;

  char sharedDir[kPathBufferSize];
  if (!ReadValidDirKey(kSharedDirKey, sharedDir)) {
    GetWindowsDirPath(sharedDir, kWindowsDirLimit);
    EndPathWithBackslash(sharedDir);
    AppendToPathBuffer(sharedDir, kSharedDirKey);
    if (!FCreateIniKeyValue(kWinIni, kSection, kSharedDirKey, sharedDir, kIniWriteOptions)) {
      return 0;
    }
  }

  GetIniKeyStringChecked(kWinIni, kSection, kSharedDirKey, sharedDir, kPathBufferSize - 1);
  if (!FValidDir(sharedDir)) return 0;
  EndPathWithBackslash(sharedDir);

  for (const char* componentKey : kSharedComponentKeys) {
    if (!EnsureComponentKey(componentKey, sharedDir)) return 0;
  }
  return 1;
}
