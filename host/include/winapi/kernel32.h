// KERNEL32.DLL: modules, the process, files and folders, memory, code
// pages, drives, the environment and profiles (the Windows SDK's winbase.h).
#pragma once

#include "winapi/types.h"

enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard, GetFileExMaxInfoLevel };
struct WIN32_FILE_ATTRIBUTE_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
};
struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
};
typedef WIN32_FIND_DATAA* LPWIN32_FIND_DATAA;

#define SEM_FAILCRITICALERRORS 0x0001

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)

#define OF_READ 0x0000
#define OF_WRITE 0x0001
#define OF_READWRITE 0x0002
#define OF_SHARE_COMPAT 0x0000
#define OF_SHARE_EXCLUSIVE 0x0010
#define OF_SHARE_DENY_WRITE 0x0020
#define OF_SHARE_DENY_READ 0x0030
#define OF_SHARE_DENY_NONE 0x0040
#define HFILE_ERROR ((HFILE)-1)
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080

#define DRIVE_UNKNOWN 0
#define DRIVE_NO_ROOT_DIR 1
#define DRIVE_REMOVABLE 2
#define DRIVE_FIXED 3
#define DRIVE_REMOTE 4
#define DRIVE_CDROM 5
#define DRIVE_RAMDISK 6

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

extern "C" {

// ---------------------------------------------------------------------------
// Modules
// ---------------------------------------------------------------------------
// Loads a module. Windows searches the loaded modules by base name and then
// the search path; the host finds a module registered with
// host::RegisterModule or host::RegisterLinkedModule (host/loader.h): a name
// without a path by its base name (".DLL" added when it has no extension; a
// loaded module wins), a path by its full Windows path, case-insensitively.
// "ADVAPI32.DLL" is always there: its exports are the host's twelve registry
// functions. The first load dlopens the native library and calls its
// DllMain(instance, DLL_PROCESS_ATTACH, NULL); later loads count references.
// NULL with ERROR_MOD_NOT_FOUND for an unknown or unloadable module (an
// empty name too; ERROR_INVALID_PARAMETER for NULL), and with
// ERROR_DLL_INIT_FAILED when DllMain answers FALSE (DllMain then gets
// DLL_PROCESS_DETACH and the library is unloaded, as on Windows).
HMODULE WINAPI LoadLibraryA(LPCSTR fileName);
// Drops one reference; the last calls DllMain(DLL_PROCESS_DETACH, NULL) and
// unloads the library. A linked module stays. FALSE with
// ERROR_INVALID_HANDLE for a handle that names no loaded module.
BOOL WINAPI FreeLibrary(HMODULE module);
// An export by name: for a loaded library, a symbol of that library itself
// (not of a library it depends on, which dlsym would also search); for a
// linked module, any symbol of the process. Ordinals are not kept: NULL with
// ERROR_PROC_NOT_FOUND, as for a missing name; so for an export hidden by
// host::HideExport or machine.ini [faults] missing_exports. An export
// replaced by host::ReplaceExport answers the replacement.
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName);
// The module's Windows path, as registered. As on Windows XP and later
// (and Wine), a path that does not fit fills the buffer's size bytes without
// a terminator, the result is size and the error ERROR_INSUFFICIENT_BUFFER;
// size 0 gives 0 and writes nothing. (Windows 95 cuts to size - 1
// characters, terminates and answers size - 1, as Wine's kernel32 tests
// record; the module takes a result of size or more for a path too long and
// never reads such a buffer.) NULL (the process's image) is not known to the host: 0
// with ERROR_MOD_NOT_FOUND.
DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);

// ---------------------------------------------------------------------------
// Process, error mode, directories
// ---------------------------------------------------------------------------
// Writes the transcript line `exit STATUS`, writes the registry's changes
// back to the machine (host::SaveRegistry), calls every loaded library's
// DllMain with DLL_PROCESS_DETACH (reserved non-NULL, as at process end),
// flushes stdio and ends the process with _exit(STATUS) (the status seen by
// the parent is its low 8 bits, as POSIX gives).
[[noreturn]] void WINAPI ExitProcess(UINT exitCode);
// Keeps the mode and returns the previous one; the host has no critical-error
// dialogs for it to suppress.
UINT WINAPI SetErrorMode(UINT mode);
DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD error);
// The system's version word from machine.ini [machine] version (decimal or
// 0x hex). Its low byte is the major version, the next byte the minor one;
// on Windows 95-family systems the two top bits are set and the rest of the
// high word is reserved (zero here). Default 0xC0000004, what Windows 95
// answers (4.0); Windows 98 answers 0xC0000A04 (4.10).
DWORD WINAPI GetVersion(void);
// Current directory as a Windows path (machine.ini [machine] cwd at start).
// Result: the length without the zero; when the buffer is too small, the size
// needed including the zero, and nothing is written.
DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer);
// Makes an existing directory current; it is kept as a full path with the
// case given, the drive letter's too ("c:\\x" is reported as written; a
// relative path keeps the current drive's spelling). FALSE with
// ERROR_INVALID_NAME for an empty path or one with a character no name may
// hold, ERROR_FILE_NOT_FOUND (missing, folder exists),
// ERROR_PATH_NOT_FOUND (folder or drive missing), ERROR_DIRECTORY (a file)
// or ERROR_FILENAME_EXCED_RANGE (more than MAX_PATH - 2 characters). The
// host keeps one current directory, not one per drive.
BOOL WINAPI SetCurrentDirectoryA(LPCSTR path);
// machine.ini [machine] windows (default C:\WINDOWS) and system (default
// C:\WINDOWS\SYSTEM), with GetCurrentDirectoryA's contract for the size.
// Emulation for tests only: [machine] windows_text and system_text, when
// present, are reported verbatim instead (not made full paths, so they may
// lack a drive letter, as "\WINDOWS" or "WINDOWS"; empty gives the failure
// result 0). The host itself keeps using windows and system for win.ini and
// the rest. Windows always reports a full path with a drive.
UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size);
UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size);
// Names: every call below that takes a file or folder name refuses one with
// a wildcard (* ?), one of < > | " or a control character, or a colon past
// the drive's, with ERROR_INVALID_NAME, as Windows does (a double-byte
// character's trail byte is never taken for one). A folder of the path that
// cannot be listed fails the call with the system's error as Windows reports
// it (ERROR_ACCESS_DENIED, ERROR_READ_FAULT for an I/O error ...), not as a
// missing name.
//
// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_ARCHIVE for a file,
// with FILE_ATTRIBUTE_READONLY when its owner may not write it (by the mode
// bits) and FILE_ATTRIBUTE_HIDDEN when _lcreat made it hidden (kept in an
// extended attribute of the file; where the file system has none, a hidden
// file reads as a plain one). INVALID_FILE_ATTRIBUTES with
// ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND, the latter also for a file's
// name followed by a backslash ("f.txt\\"), or the error of an attribute
// that cannot be read.
DWORD WINAPI GetFileAttributesA(LPCSTR path);
// Creates one folder; its parent must exist (ERROR_PATH_NOT_FOUND), and an
// existing one gives ERROR_ALREADY_EXISTS. The security argument is
// ignored.
BOOL WINAPI CreateDirectoryA(LPCSTR path, void* security);
// Removes an empty folder. FALSE with ERROR_INVALID_NAME for an empty path,
// ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND when it is missing, ERROR_DIR_NOT_EMPTY when it holds
// anything, ERROR_DIRECTORY for a file, ERROR_SHARING_VIOLATION for the
// current directory (the process holds it open), ERROR_ACCESS_DENIED
// otherwise (a drive root).
BOOL WINAPI RemoveDirectoryA(LPCSTR path);
// Removes a file; its bytes are free again on a limited disk. FALSE with
// ERROR_INVALID_NAME for a name ending in a backslash, ERROR_FILE_NOT_FOUND
// or ERROR_PATH_NOT_FOUND when it is missing,
// ERROR_ACCESS_DENIED for a folder, a read-only file, or a path whose opening
// the faults refuse (fail_open), ERROR_SHARING_VIOLATION for a file a handle
// of _lopen or _lcreat holds open (whatever its sharing flags: none of them
// lets a file be deleted). Removals are not counted as opens.
BOOL WINAPI DeleteFileA(LPCSTR path);

// ---------------------------------------------------------------------------
// Files by handle
// ---------------------------------------------------------------------------
// Files by handle. Handles are multiples of 4 from 0x10 and never reused;
// (HANDLE)(INT_PTR)hfile is the same file for SetEndOfFile, as on Windows.
// Every call goes through the system call table and its faults
// (host/syscalls.h).
//
// _lopen: opens an existing file with OF_READ, OF_WRITE or OF_READWRITE;
// access mode 3 opens it for neither (every read and write of the handle is
// refused), as Windows does. The sharing flags hold while the handle is
// open, as on Windows NT and Wine: OF_SHARE_EXCLUSIVE denies other opens
// reading and writing, OF_SHARE_DENY_WRITE writing, OF_SHARE_DENY_READ
// reading, OF_SHARE_DENY_NONE and OF_SHARE_COMPAT nothing; an open that
// wants what an open handle denies, or denies what one has, fails with
// ERROR_SHARING_VIOLATION. HFILE_ERROR with ERROR_INVALID_NAME (a name
// ending in a backslash, see Names), ERROR_FILE_NOT_FOUND /
// ERROR_PATH_NOT_FOUND, or ERROR_ACCESS_DENIED for a folder, a read-only
// file opened for writing, or an open made to fail.
HFILE WINAPI _lopen(LPCSTR path, int mode);
// Creates or truncates a file, open for reading and writing and sharing
// both; attribute 1 makes a new file read-only (its handle still writes), 2
// hidden. An existing read-only file cannot be truncated
// (ERROR_ACCESS_DENIED), nor one a handle keeps from writing
// (ERROR_SHARING_VIOLATION); a name ending in a backslash is
// ERROR_INVALID_NAME. A file that cannot be made hidden is not created
// (ERROR_DISK_FULL, ERROR_WRITE_FAULT ...): an existing one keeps its bytes.
HFILE WINAPI _lcreat(LPCSTR path, int attributes);
// Reads up to count bytes from the position; fewer at the end, 0 there.
// (UINT)HFILE_ERROR for a bad handle, a handle opened for writing only, or a
// read made to fail (ERROR_READ_FAULT).
UINT WINAPI _lread(HFILE file, LPVOID buffer, UINT count);
// Writes count bytes at the position. count 0 ends the file at the position
// (longer or shorter), as _lwrite always has. A write that would grow a file
// past the drive's free space writes nothing and fails with ERROR_DISK_FULL,
// as WriteFile does on a full disk; (UINT)HFILE_ERROR for every failure.
UINT WINAPI _lwrite(HFILE file, LPCSTR buffer, UINT count);
// Moves the position (FILE_BEGIN, FILE_CURRENT, FILE_END) and returns it;
// past the end is allowed, before the start fails with ERROR_NEGATIVE_SEEK.
LONG WINAPI _llseek(HFILE file, LONG offset, int origin);
// 0, or HFILE_ERROR with ERROR_INVALID_HANDLE; a close made to fail leaves
// the handle open.
HFILE WINAPI _lclose(HFILE file);
// Ends the file at its position; growing it takes disk space, shrinking it
// gives space back.
BOOL WINAPI SetEndOfFile(HANDLE file);

// ---------------------------------------------------------------------------
// Memory
// ---------------------------------------------------------------------------
// Global memory. A GMEM_FIXED block's handle is its address, as on Windows
// (GlobalLock gives the handle back); the host maps fixed blocks below 2^32
// so that the handle fits a DWORD, as on 32-bit Windows, and a fixed block
// of 0 bytes has an address too. A moveable block's handle is a small number
// below 2^32, never reused. Memory without GMEM_ZEROINIT holds 0xCD bytes.
// A moveable block of 0 bytes has a handle but nothing to lock (GlobalLock
// gives NULL with ERROR_DISCARDED, as for a discarded block).
HGLOBAL WINAPI GlobalAlloc(UINT flags, size_t bytes);
// The block's memory; a moveable block counts its locks.
LPVOID WINAPI GlobalLock(HGLOBAL memory);
// TRUE while a moveable block stays locked; FALSE with NO_ERROR when the
// last lock goes, FALSE with ERROR_NOT_LOCKED when it was not locked.
BOOL WINAPI GlobalUnlock(HGLOBAL memory);
// NULL when freed (locked or not, as on Windows NT); the handle itself with
// ERROR_INVALID_HANDLE when it names no block.
HGLOBAL WINAPI GlobalFree(HGLOBAL memory);

// ---------------------------------------------------------------------------
// Code pages
// ---------------------------------------------------------------------------
// Whether byte is a lead byte of the machine's ANSI code page (lead bytes
// as USER32's character functions take them, winapi/user32.h).
BOOL WINAPI IsDBCSLeadByte(BYTE byte);
UINT WINAPI GetACP(void);
UINT WINAPI GetOEMCP(void);

// ---------------------------------------------------------------------------
// Profiles (win.ini)
// ---------------------------------------------------------------------------
// Writes key=value into section of win.ini in the Windows directory,
// straight to the file (Windows caches and flushes later): sections and keys
// match case-insensitively (the first section of a name), a key is replaced
// where it stands (keeping the file's spelling of the key), a new key goes
// after the section's last non-blank line, a missing section is appended at
// the end; new lines end in CR LF and all other lines stay byte for byte. A
// NULL value removes the key, a NULL key the section. The key is taken
// without the blanks around it (" load" is "load"), as Windows takes it. The
// file is created when missing, except by a removal, which leaves a missing
// file missing. Written through _lopen/_lwrite, so the host's faults apply;
// a write that fails leaves the file as it was (FALSE).
BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);

// ---------------------------------------------------------------------------
// Drives
// ---------------------------------------------------------------------------
// The machine's drives are its drive folders (DIR/c, DIR/d ...) and the
// drives machine.ini [drives] names (kinds and sizes; see the README, "The
// machine directory"). A drive named without a folder has no medium in it
// (an empty floppy drive, a CD-ROM drive without a disc): it exists for
// GetLogicalDrives and GetDriveTypeA, and GetDiskFreeSpaceExA fails for it
// with ERROR_NOT_READY.
//
// Bit 0 for A, bit 1 for B ... for every drive.
DWORD WINAPI GetLogicalDrives(void);
// DRIVE_FIXED, DRIVE_REMOVABLE, DRIVE_REMOTE or DRIVE_CDROM for a root
// ("C:\", also "C:" or "c:\"); DRIVE_NO_ROOT_DIR for a drive the machine
// lacks or a text that is not a drive's root (Wine answers for any folder);
// for NULL, the type of the current directory's drive, as on Windows.
UINT WINAPI GetDriveTypeA(LPCSTR rootPath);
// The drive's bytes as [drives] gives them. While machine.ini [faults]
// disk_free (host::SetDiskFree) limits writes, the free bytes are what the
// limit still lets the drive take, so that what a program measures is what
// it can write; the total is at least that. Any of the three outputs may be
// NULL. The directory may be any folder, full or relative to the current
// directory ("\\" is the current drive's root); NULL is the current drive.
// FALSE with ERROR_PATH_NOT_FOUND for a drive the machine lacks or an empty
// or UNC path, ERROR_NOT_READY for a drive without a medium,
// ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND for a missing folder (as for
// a missing file: its parent is there or not), ERROR_DIRECTORY for a path
// that names a file, ERROR_INVALID_NAME for a file's name followed by a
// backslash or a path with a wildcard (Wine's answers, as Windows NT gives
// them).
BOOL WINAPI GetDiskFreeSpaceExA(LPCSTR directory, PULARGE_INTEGER freeToCaller,
                                PULARGE_INTEGER totalBytes, PULARGE_INTEGER totalFreeBytes);

// ---------------------------------------------------------------------------
// Environment
// ---------------------------------------------------------------------------
// The variables are machine.ini [environment] (NAME=VALUE; names without
// regard to case); there are no others, not even PATH unless listed. The
// length without the zero when the value fits in size; else the size needed
// with the zero, and nothing written. 0 with ERROR_ENVVAR_NOT_FOUND for a
// variable the machine lacks.
DWORD WINAPI GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);

// ---------------------------------------------------------------------------
// File information and searches
// ---------------------------------------------------------------------------
// GetFileExInfoStandard only: attributes as GetFileAttributesA gives them,
// the size, and the last write time (also given as the creation and last
// access times, which the machine does not keep). FALSE with the errors of
// GetFileAttributesA.
BOOL WINAPI GetFileAttributesExA(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID information);
// The machine's local time is UTC: the time is copied unchanged. (Windows
// 95 keeps FAT times in local time; the host has no time zone of its own,
// so that answers do not depend on the zone of the computer running it.)
BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime);
// Calendar fields of a file time (Gregorian, day of week from Sunday 0);
// FALSE with ERROR_INVALID_PARAMETER for a time with its top bit set.
BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);
// The entries of one folder whose names match the last component of
// pattern, which may hold * and ?; letter case is ignored, and dots and
// stars left at the pattern's end once a name is used up match nothing
// ("name.*" finds "name" too, "*.*" and "*.*.*" every name: Wine's rule,
// which Windows' documentation leaves open). The folder is a FAT folder of
// Windows 95: every name that is not already 8.3 has a short name
// (NAME~1.EXT, ~2 for the next that would clash, in capitals; see
// short_names.h), given in cAlternateFileName (empty for an 8.3 name), and
// a pattern finds an entry by either name ("*.htm" finds "page.html").
// Each entry's attributes are GetFileAttributesA's (hidden included).
// Entries come in byte order of their names, and "." and ".." come first
// for a folder that is not a drive's root, as Windows lists them.
// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches (a
// pattern ending in a backslash matches nothing), ERROR_PATH_NOT_FOUND
// when the folder is missing, ERROR_INVALID_NAME for a wildcard in the
// folder part, and the system's error when the folder cannot be listed
// whole or an entry's attributes cannot be read (no search is made of part
// of a folder).
HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
// The next entry; FALSE with ERROR_NO_MORE_FILES after the last, or with the
// system's error when its attributes cannot be read (it stays the next).
BOOL WINAPI FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data);
// FALSE with ERROR_INVALID_HANDLE for a handle that names no search.
BOOL WINAPI FindClose(HANDLE search);

// ---------------------------------------------------------------------------
// Private profiles (INI files)
// ---------------------------------------------------------------------------
// An INI file named without a folder is the Windows directory's, as on
// Windows; files are read through _lopen and _lread, so the host's faults
// apply, and are read as the win.ini editor writes them (sections and keys
// without regard to case, the first section of a name, ';' comment lines).
// A missing file reads as an empty one. A line ends at an LF, a CR or a CR
// LF pair (files written with CR alone read as those with CR LF do). A
// key's value is looked up with the section and key asked for trimmed of
// blanks; a section's keys and lines are listed for the section's name as
// given (Wine's rules).
//
// The value of key in section with blanks around it removed and one pair of
// enclosing quotes (" or ') stripped, or defaultValue (trailing blanks
// removed) when there is none. NULL section: the names of all sections;
// NULL key: the keys of the section (the default, as for a missing key,
// when it has none or is missing); each followed by a zero, and one more
// zero at the end. A value that does not fit is cut to size - 1 characters
// (result size - 1); a list that does not fit is cut and ended with two
// zeros (result size - 2), and so is one that fits exactly (its last zero
// in the buffer's last byte), as Windows counts it.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                      DWORD size, LPCSTR fileName);
// The lines of section that are not comments or blank, blanks around them
// removed, each followed by a zero, and one more zero at the end; cut as
// GetPrivateProfileStringA cuts lists (result size - 2). A NULL section or
// buffer gives 0 with ERROR_INVALID_PARAMETER and writes nothing (Windows
// NT's and Wine's answer; Windows 95 leaves the last error alone). Otherwise
// the last error is 0 when the file was read, whether it has the section or
// not, and the error of its opening when it could not be
// (ERROR_FILE_NOT_FOUND ...); an empty or missing section gives 0 and two
// zeros (one in a buffer of one byte).
DWORD WINAPI GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR fileName);
// The names of all sections, as GetPrivateProfileStringA with a NULL section.
DWORD WINAPI GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR fileName);

}  // extern "C"
