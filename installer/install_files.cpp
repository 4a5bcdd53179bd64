// The installation proper, run while the progress window is shown: the two
// language files into the system directory, the barcode font into the
// module's directory, the control-panel program and the device driver into
// the destination directory; then the backups of win.ini and system.ini, the
// font's entry in win.ini, the device line in system.ini, the font loaded and
// every window told.
//
// Every path is built and measured before the first file is copied, and every
// copy is checked, so that the system files change only once everything they
// point to is in place. Both system files are backed up and the backups
// verified before either changes; a failure after that puts them back.
#include "installer/install_files.h"

#include "installer/control_file.h"
#include "installer/copy_file.h"
#include "installer/dialogs.h"
#include "installer/error_box.h"
#include "installer/installer_state.h"
#include "installer/system_ini.h"
#include "toolkit/bounded_text.h"
#include "toolkit/checked_ops.h"

namespace {

// Buffers of the paths: the module's path, a target in the module's or the
// destination directory, and a file of the Windows or the system directory.
constexpr int kModulePathSize = 260;
constexpr int kTargetPathSize = 260;
constexpr int kSystemPathSize = 128;
// Room for the longest message: a failure naming a target path.
constexpr int kMessageSize = kTargetPathSize + 64;
// How long each window may take over a broadcast before it is given up, in
// milliseconds; windows that hang are skipped at once.
constexpr UINT kBroadcastTimeout = 5000;

constexpr char kInvalidControlFile[] = "Invalid kyroth.ini,installation failed.";
constexpr char kSourceDirFailed[] = "Can not open the setup directory, installation failed.";
constexpr char kDestinationTooLong[] =
    "The destination directory name is too long, installation failed.";
constexpr char kWindowsDirTooLong[] =
    "The Windows directory name is too long, installation failed.";
constexpr char kSystemDirTooLong[] = "The system directory name is too long, installation failed.";
constexpr char kSetupDirTooLong[] = "The setup directory name is too long, installation failed.";

// The language files' names in the system directory, fields 3 and 4 of the
// language entry.
constexpr int kLanguageFileCount = 2;
constexpr int kLanguageTargetSize = 12;
constexpr char kLanguageTargets[kLanguageFileCount][kLanguageTargetSize] = {"kyroth.lng",
                                                                            "kyrcp.lng"};
constexpr int kFirstLanguageFileField = 3;
constexpr int kProgramField = 3;

constexpr char kFontSource[] = "BCFONT.BCF";
constexpr char kFontShown[] = "bcfont.fon";
constexpr char kFontFile[] = "BCFONT.FON";
constexpr char kFontsSection[] = "fonts";
constexpr char kFontKey[] = "Barcode Display Font";
constexpr char kDriverFile[] = "kyr.386";

constexpr char kSystemIni[] = "system.ini";
constexpr char kSystemBackup[] = "system.kyr";
constexpr char kWinIni[] = "win.ini";
constexpr char kWinBackup[] = "win.kyr";

// "Can not <what> <name>, installation failed."
void ShowFailure(const char* what, const char* name) {
  char message[kMessageSize];
  const char* pieces[] = {"Can not ", what, " ", name, ", installation failed."};
  JoinTextBounded(message, sizeof message, pieces, 5);
  ShowInstallerError(message);
}

void ShowProgress(const char* name) { SetDlgItemTextA(CopyDialog, kProgressText, name); }

// Everything the installation reads from the control file and every path it
// writes, gathered and measured before anything is copied.
struct Plan {
  char languageSources[kLanguageFileCount][kLanguageFileNameSize];
  char languageTargets[kLanguageFileCount][kSystemPathSize];
  char program[kProgramNameSize];
  char moduleDir[kModulePathSize];
  char fontTarget[kTargetPathSize];
  char programTarget[kTargetPathSize];
  char driverTarget[kTargetPathSize];
  char controlProgram[kControlProgramPathSize];
  char deviceLine[kDeviceLineSize];
  char systemIni[kSystemPathSize];
  char systemBackup[kSystemPathSize];
  char winIni[kSystemPathSize];
  char winBackup[kSystemPathSize];
};

// Makes the module's directory, the part of its path before the last
// backslash, the current directory. On this system the current directory is
// a full path, so setting it also makes its drive the current drive. The
// directory is read back as the system spells it.
bool EnterModuleDirectory(HINSTANCE instance, char* directory, int size) {
  char path[kModulePathSize];
  DWORD length = GetModuleFileNameA(instance, path, sizeof path);
  if (length == 0 || length >= sizeof path) return false;
  char* lastBackslash = nullptr;
  for (char* p = path; *p != 0; p = CharNextA(p)) {
    if (*p == '\\') lastBackslash = p;
  }
  if (lastBackslash == nullptr) return false;
  // A drive root keeps its backslash: "C:" alone would name the drive's own
  // current directory.
  if (lastBackslash == path + 2 && path[1] == ':') ++lastBackslash;
  *lastBackslash = 0;
  CharUpperA(path);
  if (!SetCurrentDirectoryA(path)) return false;
  DWORD current = GetCurrentDirectoryA(static_cast<DWORD>(size), directory);
  return current > 0 && current < static_cast<DWORD>(size);
}

// The names from the chosen model and language entries. False when an entry
// or field is missing, does not fit its buffer or is not a plain file name.
bool ReadChosenNames(Plan* plan) {
  if (!CheckChosenEntries()) return false;
  const char* language = GetListEntry(LanguageList, SelectedLanguage);
  const char* model = GetListEntry(ModelList, SelectedModel);
  if (language == nullptr || model == nullptr) return false;
  for (int i = 0; i < kLanguageFileCount; ++i) {
    if (!GetListFieldBounded(plan->languageSources[i], kLanguageFileNameSize, language,
                             kFirstLanguageFileField + i)) {
      return false;
    }
  }
  return GetListFieldBounded(plan->program, kProgramNameSize, model, kProgramField) != 0;
}

// Builds every target path. False, after a message box that says which
// directory is too long, when one does not fit its buffer.
bool BuildPaths(Plan* plan) {
  if (!JoinPath(plan->fontTarget, kTargetPathSize, plan->moduleDir, kFontFile)) {
    ShowInstallerError(kSetupDirTooLong);
    return false;
  }

  char directory[MAX_PATH];
  UINT length = GetSystemDirectoryA(directory, sizeof directory);
  bool fits = length > 0 && length < sizeof directory;
  for (int i = 0; fits && i < kLanguageFileCount; ++i) {
    fits = JoinPath(plan->languageTargets[i], kSystemPathSize, directory, kLanguageTargets[i]);
  }
  if (!fits) {
    ShowInstallerError(kSystemDirTooLong);
    return false;
  }

  length = GetWindowsDirectoryA(directory, sizeof directory);
  fits = length > 0 && length < sizeof directory &&
         JoinPath(plan->systemIni, kSystemPathSize, directory, kSystemIni) &&
         JoinPath(plan->systemBackup, kSystemPathSize, directory, kSystemBackup) &&
         JoinPath(plan->winIni, kSystemPathSize, directory, kWinIni) &&
         JoinPath(plan->winBackup, kSystemPathSize, directory, kWinBackup);
  if (!fits) {
    ShowInstallerError(kWindowsDirTooLong);
    return false;
  }

  fits = JoinPath(plan->programTarget, kTargetPathSize, DestinationDir, plan->program) &&
         JoinPath(plan->driverTarget, kTargetPathSize, DestinationDir, kDriverFile) &&
         JoinPath(plan->controlProgram, kControlProgramPathSize, DestinationDir, plan->program) &&
         BuildDeviceLine(plan->deviceLine, kDeviceLineSize, DestinationDir);
  if (!fits) {
    ShowInstallerError(kDestinationTooLong);
    return false;
  }
  return true;
}

// Copies source (opened by its bare name in the current directory) to
// target. The progress window shows `shown` before the source is opened
// when showFirst is set, after it otherwise. False after a message box.
bool InstallFile(const char* source, const char* target, const char* shown, bool showFirst) {
  if (showFirst) ShowProgress(shown);
  HFILE from = _lopen(source, OF_READ);
  if (from == HFILE_ERROR) {
    ShowFailure("open", source);
    return false;
  }
  if (!showFirst) ShowProgress(shown);
  ExpandResult result = ExpandOpenedFile(from, target);
  _lclose(from);
  if (result == kExpandNoTarget) {
    ShowFailure("create", target);
    return false;
  }
  if (result != kExpandDone) {
    ShowFailure("copy", source);
    return false;
  }
  return true;
}

// Backs a system file up, with a message box when that fails.
bool BackUp(const char* original, const char* backup, const char* name) {
  BackupResult result = BackupFile(original, backup);
  if (result == kBackupNoOriginal) {
    ShowFailure("open", name);
    return false;
  }
  if (result != kBackupDone) {
    ShowFailure("back up", name);
    return false;
  }
  return true;
}

// Puts a system file back from its backup after a failed change. The
// message says whether it worked.
void PutBack(const char* backup, const char* original, const char* name, const char* backupName) {
  if (RestoreFile(backup, original)) {
    ShowFailure("update", name);
    return;
  }
  char message[kMessageSize];
  const char* pieces[] = {"Can not update ", name, ", the original is saved as ", backupName,
                          ", installation failed."};
  JoinTextBounded(message, sizeof message, pieces, 5);
  ShowInstallerError(message);
}

// Rewrites system.ini from its verified backup. False when anything failed;
// system.ini may then be partly written.
bool UpdateSystemIni(const Plan& plan) {
  HFILE source = _lopen(plan.systemBackup, OF_READ);
  if (source == HFILE_ERROR) return false;
  LONG length = FileLength(source);
  HFILE target = length >= 0 ? _lopen(plan.systemIni, OF_READWRITE) : HFILE_ERROR;
  if (target == HFILE_ERROR) {
    _lclose(source);
    return false;
  }
  bool ok = false;
  HGLOBAL block = GlobalAlloc(GHND, kSystemIniLineSize);
  char* line = block != NULL ? static_cast<char*>(GlobalLock(block)) : nullptr;
  if (line != nullptr) {
    ok = RewriteSystemIni(source, length, target, plan.deviceLine, line, kSystemIniLineSize) !=
         FALSE;
    GlobalUnlock(block);
  }
  if (block != NULL) GlobalFree(block);
  _lclose(source);
  if (_lclose(target) == HFILE_ERROR) ok = false;
  return ok;
}

int RunInstallation(HINSTANCE instance) {
  Plan plan;
  if (!EnterModuleDirectory(instance, plan.moduleDir, sizeof plan.moduleDir)) {
    ShowInstallerError(kSourceDirFailed);
    return 0;
  }
  if (!ReadChosenNames(&plan)) {
    ShowInstallerError(kInvalidControlFile);
    return 0;
  }
  if (!BuildPaths(&plan)) return 0;

  for (int i = 0; i < kLanguageFileCount; ++i) {
    if (!InstallFile(plan.languageSources[i], plan.languageTargets[i], plan.languageSources[i],
                     true)) {
      return 0;
    }
  }
  FreeLanguageList();

  if (!InstallFile(kFontSource, plan.fontTarget, kFontShown, false)) return 0;
  CreateDirChecked(DestinationDir, 0);
  if (!InstallFile(plan.program, plan.programTarget, plan.program, false)) return 0;
  if (!InstallFile(kDriverFile, plan.driverTarget, kDriverFile, false)) return 0;
  for (int i = 0; i < kControlProgramPathSize; ++i) {
    ControlProgramPath[i] = plan.controlProgram[i];
    if (plan.controlProgram[i] == 0) break;
  }

  // Both backups, checked, before either system file changes.
  if (!BackUp(plan.winIni, plan.winBackup, kWinIni)) return 0;
  if (!BackUp(plan.systemIni, plan.systemBackup, kSystemIni)) return 0;

  if (!UpdateSystemIni(plan)) {
    PutBack(plan.systemBackup, plan.systemIni, kSystemIni, kSystemBackup);
    return 0;
  }
  if (!WriteProfileStringA(kFontsSection, kFontKey, kFontFile)) {
    // Neither change stays: the device line goes with the font's entry.
    if (!RestoreFile(plan.systemBackup, plan.systemIni)) {
      ShowFailure("restore system.ini from", kSystemBackup);
    }
    PutBack(plan.winBackup, plan.winIni, kWinIni, kWinBackup);
    return 0;
  }

  // The font is registered in win.ini and so is loaded at the next start
  // even when loading it now fails; the result is not examined.
  AddFontResourceA(kFontFile);
  SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kBroadcastTimeout,
                      NULL);
  SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG, kBroadcastTimeout,
                      NULL);
  return 1;
}

}  // namespace

int InstallFiles(HINSTANCE instance) {
  int result = RunInstallation(instance);
  // The language list block is released on every path.
  FreeLanguageList();
  return result;
}
