// Registry helpers for installer code, with the toolkit layer's fail-fast
// rule. They call the registry through entry points bound by name from
// "ADVAPI32.DLL" at run time (LoadRegistryLibrary), not through the imports
// that the installed-driver check uses.
//
// A registry call that answers anything but ERROR_SUCCESS is a failed step:
// the toolkit's error handler hears code 104 and a text naming the step
// ("CreateRegKey", "DeleteAllSubKeys:open" ...), then the run ends through
// SetupErrorExit. A helper called while no library is loaded, or one that
// needs an optional entry point the library lacks, fails the same way with
// the text of its first step; nothing is ever called through a missing entry
// point.
//
// The plain family works below the classes root (HKEY_CLASSES_ROOT); the Ex
// family below a root the caller passes, an open key or a predefined root.
// Key paths are relative to that root. Every key a helper opens is closed
// again before it returns.
#pragma once

#include "winapi.h"

// The error handler's code for every registry failure.
constexpr int kRegistryErrorCode = 104;

// Loads "ADVAPI32.DLL" into RegistryLibrary and binds its entry points:
// 1 when the library and its six required entry points (RegCloseKey,
// RegCreateKeyA, RegDeleteKeyA, RegOpenKeyA, RegQueryValueA, RegSetValueA)
// are there, else 0 with nothing loaded. The six optional ones
// (RegCreateKeyExA, RegOpenKeyExA, RegQueryValueExA, RegSetValueExA,
// RegEnumKeyA, RegQueryInfoKeyA) may be missing. While a library is loaded,
// a second call answers 1 and loads nothing more, so one release frees it.
int LoadRegistryLibrary();
// Frees the library; nothing when none is loaded. EndSetupSession does the
// same.
void ReleaseRegistryLibrary();

// Creates the key (and the keys above it), or opens it when present.
void CreateRegKey(const char* keyPath);
void CreateRegKeyEx(HKEY root, const char* keyPath);

// Stores valueText as the default (unnamed) string value of the key,
// created when missing. The two differ only in the text a failure reports.
void CreateRegKeyValue(const char* keyPath, const char* valueText);
void SetRegKeyValue(const char* keyPath, const char* valueText);

// Stores dataSize bytes of data as value valueName of type valueType in an
// existing key; a missing key ends the run at the open step.
void CreateRegKeyValueEx(HKEY root, const char* keyPath, const char* valueName, DWORD valueType,
                         const void* data, DWORD dataSize);
void SetRegKeyValueEx(HKEY root, const char* keyPath, const char* valueName, DWORD valueType,
                      const void* data, DWORD dataSize);

// 1 when the key can be opened, else 0; nothing is reported. 0 too while no
// library is loaded.
int DoesRegKeyExist(const char* keyPath);
int DoesRegKeyExistEx(HKEY root, const char* keyPath);

// The key's default value as text in buffer (bufferSize bytes, terminator
// included): an empty text for a missing key. A value that does not fit
// with its terminator ends the run: through the failed read, or through the
// "Buffer Overflow" message when the read itself succeeded; a bufferSize of
// 0 or less holds no value at all and ends the run that way at once,
// writing nothing.
char* GetRegKeyValue(const char* keyPath, char* buffer, LONG bufferSize);
// Value valueName of the key: its type in *valueType and its bytes in data
// (dataSize bytes). ERROR_SUCCESS, or ERROR_BADKEY (1010) for a missing key
// without anything opened. A value larger than dataSize ends the run.
LONG GetRegKeyValueEx(HKEY root, const char* keyPath, const char* valueName, DWORD* valueType,
                      void* data, DWORD dataSize);

// Deletes the key with every key below it; a missing key is no error. A
// failure anywhere ends the run, after keys already deleted are gone.
void DeleteAllSubKeys(const char* keyPath);
void DeleteAllSubKeysEx(HKEY root, const char* keyPath);
// The worker of both: deletes keyPath below root, deepest keys first.
// 1 when done, 0 on failure; an open or enumeration failure is reported to
// the error handler ("DeleteAllSubKeys:open", "DeleteAllSubKeys:enum"), a
// failed key query or allocation is not. It never ends the run itself, and
// does not notice a delete that fails.
int DeleteKeyTree(HKEY root, const char* keyPath);
