// Where a shared file is, or is to go: an existing copy named by a registry
// value or a "WIN.INI" key, else the default path; and whether the file
// there must be written because it is missing or older than required.
#include <cstring>

#include "support/path_buffer.h"
#include "support/registry_helpers.h"
#include "support/shared_components.h"
#include "support/system_detection.h"
#include "toolkit/checked_wrappers.h"
#include "toolkit/path_helpers.h"
#include "toolkit/session.h"
#include "toolkit/symbols.h"
#include "toolkit/toolkit_api.h"

BOOL SharedFileNeedsUpdate = FALSE;

namespace {

constexpr const char* kWinIni = "WIN.INI";
constexpr const char* kSection = "MSAPPS";
constexpr int kIniWriteOptions = 1024;
// A file name piece and a version text: 31 characters.
constexpr int kShortTextSize = 32;
constexpr int kVersionFields = 4;
// FDoesFileExist's mode for a plain existence test.
constexpr int kExistsMode = 0;

bool IsEmpty(const char* text) { return text == nullptr || *text == '\0'; }

// Copies text into the caller's buffer when it fits (size bytes), else
// leaves the buffer empty.
void CopyIfFits(char* buffer, int size, const char* text) {
  buffer[0] = '\0';
  if (!IsEmpty(text) && std::strlen(text) < static_cast<size_t>(size)) std::strcpy(buffer, text);
}

// Reads a field of the INF entry into buffer (size bytes). False when the
// toolkit has no such field; a field that does not fit ends the run.
bool ReadInfField(const char* section, const char* key, int field, char* buffer, int size) {
  int length = CbGetInfSectionKeyField(section, key, static_cast<USHORT>(field), buffer, size);
  if (length == -1) return false;
  if (length >= size) {
    ShowBufferOverflow();
    SetupErrorExit(SetupErrorFail);
  }
  return true;
}

// The system directory path joined with the file name, when a file is there.
bool ExistsIn(char* (*directoryOf)(char*, int), const char* fileName, char* path) {
  directoryOf(path, kPathBufferSize - 1);
  AppendToPathBuffer(path, fileName);
  return DoesFileExist(path, kExistsMode) != 0;
}

}  // namespace

int GetSharedFileNeedsUpdate() { return SharedFileNeedsUpdate ? 1 : 0; }

int CompareVersionTexts(const char* versionA, const char* versionB) {
  if (IsEmpty(versionA)) return IsEmpty(versionB) ? 0 : -1;
  if (IsEmpty(versionB)) return 1;
  for (int field = 1; field <= kVersionFields; ++field) {
    LONG a = GetVersionNthField(versionA, field);
    LONG b = GetVersionNthField(versionB, field);
    if (a > b) return 1;
    if (a < b) return -1;
  }
  return 0;
}

char* FindInSystemPlaces(const char* fileName, char* buffer, int size) {
  char path[kPathBufferSize];
  if (!ExistsIn(GetWindowsDirPath, fileName, path) && !ExistsIn(GetSystemDirPath, fileName, path)) {
    FindTargetOnEnvVarChecked(fileName, "PATH", path, kPathBufferSize - 1);
  }
  // No buffer holds no path at all: the same end as a path too long for it.
  if (buffer == nullptr || size <= 0 || std::strlen(path) >= static_cast<size_t>(size)) {
    ShowBufferOverflow();
    SetupErrorExit(SetupErrorFail);
  }
  std::strcpy(buffer, path);
  return buffer;
}

char* CheckSharedCandidate(const char* candidatePath, const char* requiredVersion, char* buffer,
                           int size) {
  if (buffer == nullptr || size <= 0) return nullptr;
  CopyIfFits(buffer, size, candidatePath);
  SharedFileNeedsUpdate = FALSE;

  // The file name piece first, then the file's version text.
  char work[kShortTextSize];
  if (buffer[0] != '\0' && !DoesFileExist(buffer, kExistsMode)) {
    if (FValidPath(buffer) &&
        FParsePathIntoPieces(buffer, nullptr, 0, nullptr, 0, work, kShortTextSize - 1)) {
      FindInSystemPlaces(work, buffer, size);
    } else {
      buffer[0] = '\0';
    }
  }
  if (buffer[0] != '\0') {
    GetVersionOfFileChecked(buffer, work, kShortTextSize - 1);
    if (CompareVersionTexts(work, requiredVersion) < 0) {
      // An older copy is taken only when it can be written over.
      if (IsFileWritable(buffer)) {
        SharedFileNeedsUpdate = TRUE;
      } else {
        buffer[0] = '\0';
      }
    }
  }
  return buffer[0] != '\0' ? buffer : nullptr;
}

char* LocateSharedFile(const char* registryKeyPath, const char* iniSection, const char* iniKey,
                       int fieldNumber, const char* defaultPath, const char* requiredVersion,
                       char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return nullptr;
  char value[kPathBufferSize];
  char field[kPathBufferSize];

  if (!IsEmpty(registryKeyPath)) {
    GetRegKeyValue(registryKeyPath, value, kPathBufferSize - 1);
    CheckSharedCandidate(value, requiredVersion, buffer, size);
    if (buffer[0] != '\0') return buffer;
  }
  if (!IsEmpty(iniSection) && !IsEmpty(iniKey)) {
    GetIniKeyStringChecked(kWinIni, iniSection, iniKey, value, kPathBufferSize - 1);
    if (value[0] != '\0') {
      ExtractCommaField(value, fieldNumber, field, kPathBufferSize - 1);
      CheckSharedCandidate(field, requiredVersion, buffer, size);
      if (buffer[0] != '\0') return buffer;
    }
  }

  CopyIfFits(buffer, size, defaultPath);
  SharedFileNeedsUpdate = TRUE;
  if (DoesFileExist(buffer, kExistsMode)) {
    GetVersionOfFileChecked(buffer, field, kPathBufferSize - 1);
    if (CompareVersionTexts(field, requiredVersion) >= 0) SharedFileNeedsUpdate = FALSE;
  }
  return buffer[0] != '\0' ? buffer : nullptr;
}

char* LocateSharedFileFromInf(const char* infSection, const char* infKey, const char* componentKey,
                              const char* registryKeyPath, const char* iniSection,
                              const char* iniKey, int fieldNumber, char* buffer, int size) {
  EnsureSharedDirectory();

  char path[kPathBufferSize];
  if (DoesIniKeyExist(kWinIni, kSection, componentKey)) {
    GetIniKeyStringChecked(kWinIni, kSection, componentKey, path, kPathBufferSize - 1);
  } else if (DoesIniKeyExist(kWinIni, kSection, "MSAPPS")) {
    GetIniKeyStringChecked(kWinIni, kSection, "MSAPPS", path, kPathBufferSize - 1);
    EndPathWithBackslash(path);
    AppendToPathBuffer(path, componentKey);
    FCreateIniKeyValue(kWinIni, kSection, componentKey, path, kIniWriteOptions);
  } else {
    return nullptr;
  }
  EndPathWithBackslash(path);

  // The default path: the component's folder and the file name of field 1.
  size_t folderLength = std::strlen(path);
  if (!ReadInfField(infSection, infKey, 1, path + folderLength,
                    static_cast<int>(kPathBufferSize - 1 - folderLength))) {
    return nullptr;
  }
  char requiredVersion[kShortTextSize];
  if (!ReadInfField(infSection, infKey, 19, requiredVersion, kShortTextSize - 1)) return nullptr;
  return LocateSharedFile(registryKeyPath, iniSection, iniKey, fieldNumber, path, requiredVersion,
                          buffer, size);
}
