// Loading the registry library and binding its exports by name.
#include <algorithm>
#include <cctype>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "modules";

// The case of a module's path is the file system's, not the call's.
std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

void Exports(HMODULE library) {
  const char* names[] = {"RegOpenKeyExA",     "RegOpenKeyA",      "RegCreateKeyExA",
                         "RegCreateKeyA",     "RegQueryValueExA", "RegQueryValueA",
                         "RegSetValueExA",    "RegSetValueA",     "RegDeleteKeyA",
                         "RegEnumKeyA",       "RegQueryInfoKeyA", "RegCloseKey",
                         "RegNoSuchFunction", "regopenkeyexa",    ""};
  for (const char* name : names) {
    ArmError();
    FARPROC address = GetProcAddress(library, name);
    Observe(kArea, "GetProcAddress", Quote(name), address == nullptr ? "NULL" + Error() : "found");
  }
}

void FileNames(HMODULE library) {
  // "C:\windows\system32\ADVAPI32.DLL" is 32 characters.
  const DWORD sizes[] = {0, 1, 10, 31, 32, 33, MAX_PATH};
  for (DWORD size : sizes) {
    Buffer buffer(size);
    ArmError();
    DWORD result = GetModuleFileNameA(library, size == 0 ? nullptr : buffer.data(), size);
    bool shortened = result == size;
    Observe(kArea, "GetModuleFileNameA", "size " + Number(size),
            Number(result) + (shortened || result == 0 ? Error() : "") + " " +
                Upper(buffer.Shown(std::min<DWORD>(size, 34))));
  }
}

}  // namespace

void RunModules() {
  const char* missing[] = {"NOSUCH.DLL", "C:\\conform\\nosuch.dll", ""};
  for (const char* name : missing) {
    ArmError();
    HMODULE module = LoadLibraryA(name);
    Observe(kArea, "LoadLibraryA", Quote(name), module == nullptr ? "NULL" + Error() : "module");
  }
  ArmError();
  HMODULE library = LoadLibraryA("ADVAPI32.DLL");
  Observe(kArea, "LoadLibraryA", "\"ADVAPI32.DLL\"",
          library == nullptr ? "NULL" + Error() : "module");
  HMODULE again = LoadLibraryA("advapi32");
  Observe(kArea, "LoadLibraryA", "\"advapi32\"", again == library ? "same module" : "other");
  if (library == nullptr) return;
  Exports(library);
  FileNames(library);
  Observe(kArea, "FreeLibrary", "second reference", Number(FreeLibrary(again)));
  Observe(kArea, "FreeLibrary", "first reference", Number(FreeLibrary(library)));
}

}  // namespace conformance
