// The registry functions of ADVAPI32.DLL, on keys below HKCU\Software\Conform.
#include <cstring>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "registry";

std::string Status(LONG status) { return Number(status); }

std::string Opened(LONG status, HKEY key) {
  return Status(status) + (status == ERROR_SUCCESS ? (key != nullptr ? " key" : " NULL") : "");
}

void Keys() {
  HKEY key = nullptr;
  DWORD disposition = 0;
  for (int round = 1; round <= 2; ++round) {
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Conform", 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, &disposition);
    Observe(kArea, "RegCreateKeyExA", "round " + Number(round),
            Opened(status, key) + " disposition " + Number(disposition));
    RegCloseKey(key);
  }
  const char* creates[] = {"Software\\Conform\\A\\B", "Software\\Conform\\C",
                           "Software\\\\Conform\\D", "Software\\Conform\\E\\"};
  for (const char* path : creates) {
    key = nullptr;
    LONG status = RegCreateKeyA(HKEY_CURRENT_USER, path, &key);
    Observe(kArea, "RegCreateKeyA", Quote(path), Opened(status, key));
    if (status == ERROR_SUCCESS) RegCloseKey(key);
  }
  const char* opens[] = {
      "Software\\Conform",      "SOFTWARE\\conform\\a",       "Software\\\\Conform",
      "Software\\Conform\\\\A", "Software\\Conform\\",        "\\Software\\Conform",
      "Software\\Conform\\Z",   "Software\\Conform\\A\\B\\C", ""};
  for (const char* path : opens) {
    key = nullptr;
    LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
    Observe(kArea, "RegOpenKeyExA", Quote(path), Opened(status, key));
    if (status == ERROR_SUCCESS && key != HKEY_CURRENT_USER) RegCloseKey(key);
  }
  Observe(kArea, "RegCloseKey", "not a key", Status(RegCloseKey(reinterpret_cast<HKEY>(0x7654))));
}

void Values(HKEY key) {
  const DWORD number = 0x12345678;
  const BYTE binary[] = {1, 2, 3};
  Observe(kArea, "RegSetValueExA", "string",
          Status(RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 4)));
  Observe(kArea, "RegSetValueExA", "string without zero",
          Status(RegSetValueExA(key, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("xyz"), 3)));
  Observe(kArea, "RegSetValueExA", "dword",
          Status(RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                sizeof number)));
  Observe(kArea, "RegSetValueExA", "binary",
          Status(RegSetValueExA(key, "Bytes", 0, REG_BINARY, binary, sizeof binary)));
  const char* names[] = {"Text", "text", "Bare", "Number", "Bytes", "Missing"};
  const DWORD sizes[] = {0, 3, 4, 16};
  for (const char* name : names) {
    DWORD type = 99, size = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    Observe(kArea, "RegQueryValueExA", Quote(name) + " no data",
            Status(status) + " type " + Number(type) + " size " + Number(size));
    for (DWORD offered : sizes) {
      Buffer data(16);
      type = 99;
      size = offered;
      status =
          RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
      Observe(
          kArea, "RegQueryValueExA", Quote(name) + " size " + Number(offered),
          Status(status) + " type " + Number(type) + " size " + Number(size) + " " + data.Shown(6));
    }
  }
}

void DefaultValues(HKEY key) {
  Observe(kArea, "RegSetValueA", "\"A\"", Status(RegSetValueA(key, "A", REG_SZ, "first", 0)));
  Observe(kArea, "RegSetValueA", "\"New\"", Status(RegSetValueA(key, "New", REG_SZ, "made", 99)));
  Observe(kArea, "RegSetValueA", "REG_DWORD",
          Status(RegSetValueA(key, "A", REG_DWORD, "first", 0)));
  const char* subKeys[] = {"A", "New", "C", "Missing", ""};
  const LONG sizes[] = {0, 5, 6, 32};
  for (const char* subKey : subKeys) {
    for (LONG offered : sizes) {
      Buffer data(32);
      LONG size = offered;
      LONG status = RegQueryValueA(key, subKey, data.data(), &size);
      Observe(kArea, "RegQueryValueA", Quote(subKey) + " size " + Number(offered),
              Status(status) + " size " + Number(size) + " " + data.Shown(7));
    }
  }
}

void Enumeration(HKEY key) {
  const DWORD sizes[] = {1, 2, 4, 64};
  for (DWORD index = 0; index < 7; ++index) {
    for (DWORD size : sizes) {
      Buffer name(64);
      LONG status = RegEnumKeyA(key, index, name.data(), size);
      Observe(kArea, "RegEnumKeyA", Number(index) + " size " + Number(size),
              Status(status) + " " + name.Shown(4));
    }
  }
  DWORD subkeys = 99, maxSubkey = 99, maxClass = 99, values = 99, maxValueName = 99,
        maxValueData = 99;
  LONG status = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &maxSubkey, &maxClass,
                                 &values, &maxValueName, &maxValueData, nullptr, nullptr);
  Observe(kArea, "RegQueryInfoKeyA", "counts",
          Status(status) + " subkeys " + Number(subkeys) + " longest " + Number(maxSubkey) +
              " values " + Number(values) + " longest name " + Number(maxValueName) +
              " longest data " + Number(maxValueData));
}

void ClassesRoot() {
  HKEY made = nullptr;
  LONG status = RegCreateKeyA(HKEY_CLASSES_ROOT, ".conform", &made);
  Observe(kArea, "RegCreateKeyA", "HKCR \".conform\"", Opened(status, made));
  RegSetValueA(made, nullptr, REG_SZ, "conform.file", 0);
  RegCloseKey(made);
  HKEY seen = nullptr;
  status = RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.conform", &seen);
  Observe(kArea, "RegOpenKeyA", "HKLM \"Software\\Classes\\.conform\"", Opened(status, seen));
  Buffer data(32);
  LONG size = 32;
  status = RegQueryValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.conform", data.data(), &size);
  Observe(kArea, "RegQueryValueA", "HKLM \"Software\\Classes\\.conform\"",
          Status(status) + " " + (status == ERROR_SUCCESS ? data.Text() : "\"\""));
  if (seen != nullptr) RegCloseKey(seen);
  Observe(kArea, "RegDeleteKeyA", "HKCR \".conform\"",
          Status(RegDeleteKeyA(HKEY_CLASSES_ROOT, ".conform")));
}

void Removal() {
  const char* paths[] = {"Software\\Conform\\A", "Software\\Conform\\A\\B", "Software\\Conform\\A",
                         "Software\\Conform\\A", "Software\\Conform\\C",    "Software\\Conform\\D",
                         "Software\\Conform\\E", "Software\\Conform\\New",  "Software\\Conform"};
  for (const char* path : paths)
    Observe(kArea, "RegDeleteKeyA", Quote(path), Status(RegDeleteKeyA(HKEY_CURRENT_USER, path)));
}

}  // namespace

void RunRegistry() {
  Keys();
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Conform", &key) != ERROR_SUCCESS) return;
  Values(key);
  DefaultValues(key);
  Enumeration(key);
  RegCloseKey(key);
  ClassesRoot();
  Removal();
}

}  // namespace conformance
