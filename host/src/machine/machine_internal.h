// Internal to the host layer: what the machine gives the DLLs' functions it
// stands under (machine.ini's values, code pages, paths, the current
// directory, drives, faults, the registry's reset). Nothing here is part of
// the Win32 subset.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "winapi.h"

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
  // GetSystemDirectoryA report instead, as given (see winapi/kernel32.h).
  std::optional<std::string> windowsDirText;
  std::optional<std::string> systemDirText;
};
const MachineConfig& Config();

// Forgets machine.ini; MachineDir() is empty again.
void CloseMachine();

// Forgets the registry; it is read from the machine again at its first use.
void ResetRegistry();
// Applies the machine's code pages (builds the lead-byte and upper-case
// tables). False with a message when iconv does not know a code page.
bool LoadCodePages(unsigned acp, unsigned oemcp, std::string* error);
// Applies machine.ini [faults]. False with a message on a bad value.
bool LoadFaults(std::string* error);
// Checks machine.ini [drives]. False with a message on a bad value.
bool LoadDrives(std::string* error);

// A drive as the machine has it: its kind from [drives] (a folder that
// [drives] does not describe is a fixed drive), whether its folder exists,
// and its sizes.
struct Drive {
  UINT type = DRIVE_NO_ROOT_DIR;
  bool hasMedium = false;  // its folder exists
  int64_t total = 0;
  int64_t free = 0;
};
// The drive of an upper-case letter.
Drive DriveOf(char letter);
// The current directory as a full Windows path (no trailing backslash unless
// a drive root).
const std::string& CurrentDirectory();
void SetCurrentDirectoryPath(const std::string& fullPath);
// The current directory as GetCurrentDirectoryA reports it: with the drive
// letter as the caller last wrote it ("c:\\x" stays lower-case).
std::string& CurrentDirectoryAsGiven();

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

// A text of the ANSI code page in UTF-16, for ICU (code_pages.cpp).
std::u16string AnsiToUtf16(const std::string& ansi);
// The position of the first (or last) character c in text, stepping whole
// characters of the ANSI code page, so that the trail byte of a double-byte
// character is never taken for c; npos when there is none.
size_t FindAnsiChar(const std::string& text, char c, size_t from = 0);
size_t FindLastAnsiChar(const std::string& text, char c);
// Removes trailing backslashes that are characters of their own.
void TrimTrailingBackslashes(std::string* text);
bool IsOemLeadByte(unsigned char c);

// The file name of a module path (after its last \\, / or :).
std::string BaseName(const std::string& path);
// The name LoadLibraryA looks for: ".DLL" appended when the file name has no
// extension, and a trailing dot (which means "no extension") removed.
std::string LibraryName(std::string name);
// The name a module's exports are known by for HideExport and ReplaceExport:
// its upper-case base name, with ".DLL" when it has no extension.
std::string ExportModuleName(const std::string& path);

// The Windows error for a system call's errno: ERROR_PATH_NOT_FOUND,
// ERROR_DISK_FULL, ERROR_TOO_MANY_OPEN_FILES, ERROR_NOT_ENOUGH_MEMORY, for an
// I/O error ERROR_READ_FAULT (or ERROR_WRITE_FAULT when writing), else
// ERROR_ACCESS_DENIED.
DWORD WindowsErrorOf(int error, bool writing = false);

// The errno of the folder listing that made the last NativePath empty, or 0
// when it was empty for another reason (no such drive).
int NativePathError();

}  // namespace host
