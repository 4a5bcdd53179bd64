// ADVAPI32.DLL: the registry (the Windows SDK's winreg.h).
#pragma once

#include "winapi/types.h"

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000)
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002)
#define HKEY_USERS ((HKEY)(ULONG_PTR)0x80000003)
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)0x80000005)
#define HKEY_DYN_DATA ((HKEY)(ULONG_PTR)0x80000006)
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7
#define REG_OPTION_NON_VOLATILE 0x00000000
#define REG_OPTION_VOLATILE 0x00000001
#define REG_CREATED_NEW_KEY 0x00000001
#define REG_OPENED_EXISTING_KEY 0x00000002

extern "C" {

// ---------------------------------------------------------------------------
// Registry
// ---------------------------------------------------------------------------
// The registry is the machine's registry.reg (REGEDIT4: [KEY] lines with the
// root's full name, "Name"="text", @= for the default value, dword:,
// hex: and hex(N): data, lines continued with a backslash, [-KEY] and
// "Name"=- removals), read at the first call after OpenMachine. A line that
// cannot be read is reported on stderr (file and line) and skipped.
//
// Changes are written back to registry.reg as REGEDIT4 text when the
// process ends (returning from main, exit, or ExitProcess), and only when
// something changed: an untouched registry leaves the file byte for byte as
// it was. The text written has every key (values first, subkeys after, in
// their enumeration order) and CR LF line ends; comments of the old file are
// not kept, key classes and volatile keys are not written, and keys of the
// classes root appear under HKEY_LOCAL_MACHINE\Software\Classes.
//
// Keys and value names are case-insensitive (ANSI code page) and keep the
// case they were first written with; the predefined roots always exist, and
// HKEY_CLASSES_ROOT is the key HKEY_LOCAL_MACHINE\Software\Classes, as on
// Windows 95. Key paths are read as Wine's server reads them: a leading
// backslash is ERROR_BAD_PATHNAME (below the classes root leading
// backslashes are skipped, as Windows NT does), a run of backslashes counts
// as one and trailing ones are dropped; a trail byte with a backslash's code
// is part of its name. Access masks, security attributes and reserved
// arguments are not checked. Key handles are small numbers from 0x100, never
// reused; a handle to a key that was deleted answers ERROR_KEY_DELETED.
//
// Every call of the twelve functions below counts as one Registry call for
// the faults (host/syscalls.h), whatever its arguments, RegCloseKey
// included; a call made to fail does nothing and answers
// ERROR_ACCESS_DENIED (a close made to fail leaves the key open).
//
// Lengths and sizes are in bytes of the ANSI text, as Windows 95 keeps its
// registry; Windows NT reports some of them in UTF-16 (RegQueryInfoKeyA's
// longest value data of a string), which differs for text that is not
// plain single-byte.

// *result is NULL on failure (ERROR_FILE_NOT_FOUND, ERROR_INVALID_HANDLE,
// ERROR_BAD_PATHNAME, ERROR_INVALID_PARAMETER for a NULL result). A NULL or
// empty subKey opens a predefined root as the root itself and any other key
// as a new handle.
LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
// RegOpenKeyExA, except that a NULL or empty subKey gives key itself back,
// whatever it is, and a NULL result is ERROR_INVALID_PARAMETER.
LSTATUS WINAPI RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result);
// Opens subKey below key, making it and every missing key above it (each
// made key volatile with REG_OPTION_VOLATILE; ERROR_CHILD_MUST_BE_VOLATILE
// for a lasting key below a volatile one). The key made last takes the
// class. *disposition: REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY. A
// NULL or empty subKey gives a new handle to key. A NULL result is
// ERROR_BADKEY, as Windows answers; a name of the path longer than 255
// characters is ERROR_INVALID_PARAMETER, and no key of the path is made
// (RegCreateKeyA and RegSetValueA too).
LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className,
                               DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                               PHKEY result, LPDWORD disposition);
// RegCreateKeyExA without a class, lasting; a NULL result is
// ERROR_INVALID_PARAMETER.
LSTATUS WINAPI RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
// *type and *dataSize as Windows sets them; REG_SZ data includes its zero as
// stored. A buffer too small gives ERROR_MORE_DATA with the size needed, and
// nothing is written; data NULL gives the size. A missing value clears
// *type to REG_NONE, as Windows 95 does (Wine's registry tests record it;
// NT leaves any value there). A string value stored
// without its zero gets one after the data when the buffer has room (not
// counted in *dataSize), as Windows NT does. A missing value (or a missing
// default value) is ERROR_FILE_NOT_FOUND; data without dataSize, or a
// reserved pointer, ERROR_INVALID_PARAMETER.
LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD dataSize);
// The default value of subKey below key (of key itself when subKey is NULL
// or empty), as RegQueryValueExA reads it: *size is the size in bytes with
// the terminating zero. A key without a default value reads as an empty
// text ("" and *size 1). *size is taken as a DWORD, as Windows takes it, so
// a negative one is a very large buffer. The host departs from Windows for
// a buffer of no room: an empty text answers ERROR_MORE_DATA with *size 1
// (Wine writes its zero anyway). ERROR_FILE_NOT_FOUND when subKey does not
// exist.
LSTATUS WINAPI RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, PLONG size);
// Stores a value of any type (replacing one of the same name), its bytes as
// given: a string whose size leaves out its zero is stored without one, as
// Windows 95 stores it. (Windows NT, and Wine, add the zero when the byte
// after the block is zero and store the bytes as given when it is not; the
// host never reads past the caller's block.) data NULL with a size is
// ERROR_NOACCESS; a value name longer than 16,383 characters is
// ERROR_INVALID_PARAMETER.
LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type,
                              const BYTE* data, DWORD dataSize);
// Sets the default value of subKey below key (made when missing; key itself
// for a NULL or empty subKey) to the text data, up to and with its zero; the
// size given is not used, as on Windows. Only REG_SZ, and a non-NULL data,
// are accepted (ERROR_INVALID_PARAMETER).
LSTATUS WINAPI RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD size);
// Deletes subKey below key (key itself for an empty subKey) as Wine and
// Windows NT do: only a key without subkeys can go (ERROR_ACCESS_DENIED
// otherwise, as for a root); Windows 95 would delete the whole tree. A NULL
// subKey is ERROR_INVALID_PARAMETER. Handles to the key stay valid handles
// of a deleted key.
LSTATUS WINAPI RegDeleteKeyA(HKEY key, LPCSTR subKey);
// The name of subkey number index, in the order of their upper-case names.
// ERROR_NO_MORE_ITEMS (259) past the last; ERROR_MORE_DATA, writing nothing,
// when the name and its zero do not fit size bytes.
LSTATUS WINAPI RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD size);
// Counts of the key: subkeys, longest subkey name and longest subkey class
// (without zero), values, longest value name, longest value data; the
// security descriptor size is 0 (as Wine answers) and the last write time
// the key's last change in this run (or creation, or the reading of
// registry.reg). The class, as Windows copies it: with className NULL,
// *classSize is its length; with *classSize 0 nothing is written and 0
// stays; a class that does not fit with its zero is cut to *classSize - 1
// bytes and terminated, *classSize becomes that length and the answer is
// ERROR_MORE_DATA (the counts are filled all the same); a class given
// without its size is ERROR_INVALID_PARAMETER.
LSTATUS WINAPI RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD reserved,
                                LPDWORD subkeys, LPDWORD maxSubkeyName, LPDWORD maxClassName,
                                LPDWORD values, LPDWORD maxValueName, LPDWORD maxValueData,
                                LPDWORD securitySize, PFILETIME lastWrite);
// ERROR_SUCCESS (also for a predefined root) or ERROR_INVALID_HANDLE.
LSTATUS WINAPI RegCloseKey(HKEY key);

}  // extern "C"
