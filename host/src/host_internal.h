// Internal to the host layer: what its source files share. Nothing here is
// part of the Win32 subset; tests may include it to reset the host between
// cases.
#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "winapi.h"

struct stat;

namespace host {

// The values of machine.ini [machine] after OpenMachine, with their defaults.
struct MachineConfig {
  std::string windowsDir = "C:\\WINDOWS";         // [machine] windows
  std::string systemDir = "C:\\WINDOWS\\SYSTEM";  // [machine] system
  std::string cwd = "C:\\";                       // [machine] cwd: start directory
  unsigned acp = 1252;                            // [machine] acp
  unsigned oemcp = 437;                           // [machine] oemcp
  int screenWidth = 1024;                         // [machine] screen, WIDTHxHEIGHT
  int screenHeight = 768;
  DWORD version = 0xC0000004;  // [machine] version: Windows 95
  // [machine] windows_text, system_text: what GetWindowsDirectoryA and
  // GetSystemDirectoryA report instead, as given (see winapi.h).
  std::optional<std::string> windowsDirText;
  std::optional<std::string> systemDirText;
};
const MachineConfig& Config();

// Forgets everything a run left in the host (windows, queued messages, open
// files, memory blocks, loaded modules, faults, error mode, last error,
// current directory) and closes the machine. Tests call it before opening a
// machine anew; the process's first OpenMachine needs no reset.
void ResetHost();

// Forgets machine.ini; MachineDir() is empty again.
void CloseMachine();

// Per-file parts of ResetHost and of OpenMachine.
void ResetWindows();
void ResetModules();
void ResetFiles();
void ResetMemory();
void ResetRegistry();
void ResetProcessState();
// Applies the machine's code pages (builds the lead-byte and upper-case
// tables). False with a message when iconv does not know a code page.
bool LoadCodePages(unsigned acp, unsigned oemcp, std::string* error);
// Applies machine.ini [faults]. False with a message on a bad value.
bool LoadFaults(std::string* error);
// Checks machine.ini [drives]. False with a message on a bad value.
bool LoadDrives(std::string* error);
// Ends every FindFirstFileA search.
void ResetSearches();

// The current directory as a full Windows path (no trailing backslash unless
// a drive root).
const std::string& CurrentDirectory();
void SetCurrentDirectoryPath(const std::string& fullPath);

// The full Windows path for a path relative to the current directory:
// separators made backslashes and collapsed, "." and ".." resolved, trailing
// dots and blanks of each component removed, the drive letter upper-case, no
// trailing backslash unless a drive root. Empty when the path is empty, a
// UNC path or has no drive.
std::string FullWindowsPath(const std::string& path);

// The native path of a path a file or folder call was given, with its full
// Windows path in *full. Empty, with ERROR_PATH_NOT_FOUND set, when the path
// is null, empty or maps to no drive folder, and with ERROR_INVALID_NAME when
// it holds a character no Windows name may hold (HasInvalidNameCharacter).
std::string NativePathOfCall(const char* path, std::string* full);

// Whether a path holds a wildcard (* ?), one of < > | " or a control
// character, or a colon other than the drive's; stepped a whole character
// at a time, so that a trail byte is never taken for one of them.
bool HasInvalidNameCharacter(const char* path);

// Whether a path ends in a backslash or slash (a name meant as a folder).
bool EndsInSeparator(const char* path);

// The sharing of files open by handle (share_modes.cpp): whether an open of
// file for the access given, with the OF_SHARE_* bits of shareMode, agrees
// with every handle open on it; then the open is added, and removed when the
// handle closes.
constexpr int kShareModeMask = 0x70;
bool ShareAllows(const struct stat& file, bool reads, bool writes, int shareMode);
void AddSharedOpen(HFILE handle, const struct stat& file, bool reads, bool writes, int shareMode);
void RemoveSharedOpen(HFILE handle);
void ResetSharedOpens();

// FILE_ATTRIBUTE_HIDDEN of a file in the machine (dos_attributes.cpp). Both
// give false with errno set when the file system fails; one without extended
// attributes is no failure (a file made hidden there reads as a plain one).
bool SetHiddenAttribute(const std::string& nativePath);
bool ReadHiddenAttribute(const std::string& nativePath, bool* hidden);

// The Windows error for a system call's errno: ERROR_PATH_NOT_FOUND,
// ERROR_DISK_FULL, ERROR_TOO_MANY_OPEN_FILES, ERROR_NOT_ENOUGH_MEMORY, for an
// I/O error ERROR_READ_FAULT (or ERROR_WRITE_FAULT when writing), else
// ERROR_ACCESS_DENIED.
DWORD WindowsErrorOf(int error, bool writing = false);

// The errno of the folder listing that made the last NativePath empty, or 0
// when it was empty for another reason (no such drive).
int NativePathError();

// The error Windows gives for a full path that cannot be found:
// ERROR_FILE_NOT_FOUND when its folder exists, ERROR_PATH_NOT_FOUND when not.
DWORD MissingPathError(const std::string& fullPath);

// A file time (100 ns since 1601) for a time of the file system.
FILETIME FileTimeOf(const struct timespec& time);

// True when the handle names a file opened by _lopen or _lcreat.
bool IsOpenFile(HFILE file);

// Case-insensitive comparison as file names and INI keys are compared: ASCII
// letters fold, and the machine's ANSI code page folds its single-byte
// letters; both bytes of a double-byte character must match exactly.
bool EqualNoCase(const std::string& a, const std::string& b);
// Upper-cases one single-byte character of the ANSI code page (bytes that
// are lead bytes, and characters without a single-byte capital, stay).
unsigned char UpperAnsiByte(unsigned char c);
bool IsAnsiLeadByte(unsigned char c);

// Windows' own mapping of the Unicode character c into codePage, best fits
// included (the default character where there is none), from the code
// page's table file in the folder of Windows-format tables
// (best_fit_table.cpp; Wine installs them in /usr/share/wine/nls). False
// when that table is missing or malformed.
bool BestFitOf(unsigned codePage, char32_t c, std::string* bytes);
// Where the tables are read from; tests point it elsewhere.
void SetBestFitTableFolder(const std::string& folder);

// A text of the ANSI code page in UTF-16, for ICU (codepage.cpp).
std::u16string AnsiToUtf16(const std::string& ansi);
// The position of the first (or last) character c in text, stepping whole
// characters of the ANSI code page, so that the trail byte of a double-byte
// character is never taken for c; npos when there is none.
size_t FindAnsiChar(const std::string& text, char c, size_t from = 0);
size_t FindLastAnsiChar(const std::string& text, char c);
// Removes trailing backslashes that are characters of their own.
void TrimTrailingBackslashes(std::string* text);
bool IsOemLeadByte(unsigned char c);

// The name a module's exports are known by for HideExport and ReplaceExport:
// its upper-case base name, with ".DLL" when it has no extension.
std::string ExportModuleName(const std::string& path);
// The host's registry function of that export name of ADVAPI32.DLL, or null.
FARPROC RegistryExport(const char* name);

}  // namespace host
