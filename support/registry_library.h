// Internal to the registry helpers: the entry points LoadRegistryLibrary
// binds from "ADVAPI32.DLL", and the failed step every helper shares.
#pragma once

#include "winapi.h"

// In the order they are bound; the first six are required.
enum RegistryEntry {
  kRegCloseKey,
  kRegCreateKey,
  kRegDeleteKey,
  kRegOpenKey,
  kRegQueryValue,
  kRegSetValue,
  kRegCreateKeyEx,
  kRegOpenKeyEx,
  kRegQueryValueEx,
  kRegSetValueEx,
  kRegEnumKey,
  kRegQueryInfoKey,
  kRegistryEntryCount
};
constexpr int kRequiredRegistryEntries = kRegCreateKeyEx;

typedef LSTATUS(WINAPI* RegCloseKeyProc)(HKEY);
typedef LSTATUS(WINAPI* RegCreateKeyProc)(HKEY, LPCSTR, PHKEY);
typedef LSTATUS(WINAPI* RegDeleteKeyProc)(HKEY, LPCSTR);
typedef LSTATUS(WINAPI* RegOpenKeyProc)(HKEY, LPCSTR, PHKEY);
typedef LSTATUS(WINAPI* RegQueryValueProc)(HKEY, LPCSTR, LPSTR, PLONG);
typedef LSTATUS(WINAPI* RegSetValueProc)(HKEY, LPCSTR, DWORD, LPCSTR, DWORD);
typedef LSTATUS(WINAPI* RegOpenKeyExProc)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
typedef LSTATUS(WINAPI* RegQueryValueExProc)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
typedef LSTATUS(WINAPI* RegSetValueExProc)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
typedef LSTATUS(WINAPI* RegEnumKeyProc)(HKEY, DWORD, LPSTR, DWORD);
typedef LSTATUS(WINAPI* RegQueryInfoKeyProc)(HKEY, LPSTR, LPDWORD, LPDWORD, LPDWORD, LPDWORD,
                                             LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD,
                                             PFILETIME);

// The access masks the helpers open keys with: KEY_READ and KEY_WRITE.
constexpr REGSAM kRegistryReadAccess = 0x20019;
constexpr REGSAM kRegistryWriteAccess = 0x20006;

// The entry point's address while the library is loaded and has it; null
// otherwise.
FARPROC BoundRegistryEntry(RegistryEntry entry);

// A failed step: the error handler hears code 104 and context, then the
// run ends through SetupErrorExit.
[[noreturn]] void FailRegistryStep(const char* context);
// A failed step unless status is ERROR_SUCCESS.
void CheckRegistryStep(LSTATUS status, const char* context);

// The entry point as its own type, or null.
template <typename Proc>
Proc BoundRegistryProc(RegistryEntry entry) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(BoundRegistryEntry(entry)));
}

// The entry point as its own type, or a failed step with context when it
// cannot be called.
template <typename Proc>
Proc NeedRegistryEntry(RegistryEntry entry, const char* context) {
  Proc proc = BoundRegistryProc<Proc>(entry);
  if (proc == nullptr) FailRegistryStep(context);
  return proc;
}
