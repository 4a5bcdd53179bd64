// Install library, directory, file and INI members of the checked wrappers.
#include "toolkit/checked_wrappers.h"
#include "toolkit/fail_fast.h"
#include "toolkit/session.h"
#include "toolkit/toolkit_api.h"

namespace {

// The copy-mode option every single-file copy carries.
constexpr int kSingleFileCopyOption = 2;
// YnrcBackupFile's copy-mode options: none.
constexpr int kBackupOptions = 0;

// WFindFileUsingFileOpen's answers.
constexpr int kFileFound = 0;
constexpr int kFileNotFound = 1;

}  // namespace

int StartInstallLibrary() {
  // The session has started the install library already.
  if (SessionFrame > 0) return 0;
  HWND frame = HwndFrame();
  HINSTANCE instance = HinstFrame();
  return FInitializeInstall(instance, frame) ? 1 : 0;
}

void RemoveDirChecked(LPCSTR path, int cmo) { FailUnless(FRemoveDir(path, cmo)); }

void RemoveIniSectionChecked(LPCSTR file, LPCSTR section, int cmo) {
  FailUnless(FRemoveIniSection(file, section, cmo));
}

void CreateIniKeyValueChecked(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR value, int cmo) {
  FailUnless(FCreateIniKeyValue(file, section, key, value, cmo));
}

void RemoveIniKeyChecked(LPCSTR file, LPCSTR section, LPCSTR key, int cmo) {
  FailUnless(FRemoveIniKey(file, section, key, cmo));
}

void CreateSysIniKeyValueChecked(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR value, int cmo) {
  FailUnless(FCreateSysIniKeyValue(file, section, key, value, cmo));
}

void CopyOneFileChecked(LPCSTR source, LPCSTR destination, int cmo, BOOL append) {
  FailUnless(FCopyOneFile(source, destination, cmo | kSingleFileCopyOption, append));
}

void RemoveFileChecked(LPCSTR file, int cmo) { FailUnless(YnrcRemoveFile(file, cmo)); }

void BackupFileChecked(LPCSTR file, LPCSTR backup) {
  FailUnless(YnrcBackupFile(file, backup, kBackupOptions));
}

void BackupFileAliasChecked(LPCSTR file, LPCSTR backup) { BackupFileChecked(file, backup); }

void StampResourceChecked(LPCSTR section, LPCSTR key, LPCSTR destination, int resourceType,
                          int resourceId, LPSTR data, int dataSize) {
  FailUnless(FStampResource(section, key, destination, resourceType, resourceId, data, dataSize));
}

LPSTR FindFileViaFileOpen(LPCSTR file, LPSTR buffer, int size) {
  // A toolkit that finds the file but writes nothing leaves this blank.
  buffer[0] = ' ';
  int answer = WFindFileUsingFileOpen(file, buffer, size);
  if (answer == kFileFound) return buffer;
  buffer[0] = '\0';
  if (answer != kFileNotFound) SetupErrorExit(SetupErrorFail);
  return buffer;
}

BOOL IsFileWritable(LPCSTR file) { return FIsFileWritable(file); }
