// The installed-driver check: reads the local machine's printer and driver
// branches directly. Every registry failure, and every name that does not fit
// its buffer, makes the check false, so the installation runs.
#include "installer/driver_check.h"

namespace {

constexpr char kPrintersBranch[] = "System\\CurrentControlSet\\control\\Print\\Printers";
constexpr char kDriversBranch[] =
    "System\\CurrentControlSet\\control\\Print\\Environments\\Windows 4.0\\Drivers";
constexpr char kDriverValue[] = "Printer Driver";
constexpr int kKeyPathSize = 256;
constexpr int kDriverNameSize = 32;

// path = branch + "\" + name; false when it does not fit kKeyPathSize bytes.
bool BuildKeyPath(char* path, const char* branch, const char* name) {
  int used = 0;
  for (const char* p = branch; *p != 0; ++p) path[used++] = *p;
  path[used++] = '\\';
  for (const char* p = name; *p != 0; ++p) {
    if (used == kKeyPathSize - 1) return false;
    path[used++] = *p;
  }
  path[used] = 0;
  return true;
}

bool TextEquals(const char* a, const char* b) {
  while (*a != 0 && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

// Reads the printer's driver name into driver; false when the value is
// missing or does not fit kDriverNameSize bytes with its terminating zero.
bool ReadDriverName(HKEY printer, char* driver) {
  driver[0] = 0;
  DWORD size = kDriverNameSize;
  if (RegQueryValueExA(printer, kDriverValue, NULL, NULL, reinterpret_cast<LPBYTE>(driver),
                       &size) != ERROR_SUCCESS) {
    driver[0] = 0;
    return false;
  }
  // The value's type is not examined; its data becomes a text here.
  if (size < static_cast<DWORD>(kDriverNameSize)) {
    driver[size] = 0;
  } else if (driver[kDriverNameSize - 1] != 0) {
    driver[0] = 0;
    return false;
  }
  return true;
}

}  // namespace

BOOL IsPrinterDriverInstalled(const char* printerName) {
  static_assert(sizeof kDriversBranch + kDriverNameSize <= kKeyPathSize);
  char path[kKeyPathSize];
  char driver[kDriverNameSize];
  if (!BuildKeyPath(path, kPrintersBranch, printerName)) return FALSE;
  HKEY printer = NULL;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &printer) != ERROR_SUCCESS ||
      printer == NULL) {
    return FALSE;
  }
  if (ReadDriverName(printer, driver) && driver[0] != 0 && !TextEquals(driver, printerName)) {
    RegCloseKey(printer);
    HKEY registered = NULL;
    if (BuildKeyPath(path, kDriversBranch, driver) &&
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &registered) == ERROR_SUCCESS &&
        registered != NULL) {
      RegCloseKey(registered);
      return TRUE;
    }
    return FALSE;
  }
  RegCloseKey(printer);
  return FALSE;
}
