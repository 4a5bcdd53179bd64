// The registry library bound at run time, and the failed step of the
// registry helpers.
#include "support/registry_helpers.h"
#include "support/registry_library.h"
#include "toolkit/session.h"
#include "toolkit/toolkit_api.h"

namespace {

constexpr char kRegistryLibraryName[] = "ADVAPI32.DLL";

constexpr const char* kEntryNames[kRegistryEntryCount] = {
    "RegCloseKey",      "RegCreateKeyA",  "RegDeleteKeyA",   "RegOpenKeyA",
    "RegQueryValueA",   "RegSetValueA",   "RegCreateKeyExA", "RegOpenKeyExA",
    "RegQueryValueExA", "RegSetValueExA", "RegEnumKeyA",     "RegQueryInfoKeyA",
};

// One slot per entry point, null until bound. A release leaves them as they
// are; BoundRegistryEntry does not hand them out without a library.
FARPROC EntryPoints[kRegistryEntryCount];

}  // namespace

int LoadRegistryLibrary() {
  if (RegistryLibrary != nullptr) return 1;
  RegistryLibrary = LoadLibraryA(kRegistryLibraryName);
  if (RegistryLibrary == nullptr) return 0;
  bool complete = true;
  for (int entry = 0; entry < kRequiredRegistryEntries; ++entry) {
    EntryPoints[entry] = GetProcAddress(RegistryLibrary, kEntryNames[entry]);
    if (EntryPoints[entry] == nullptr) complete = false;
  }
  if (!complete) {
    FreeLibrary(RegistryLibrary);
    RegistryLibrary = nullptr;
    return 0;
  }
  // An older system's library may lack these; the helpers that need one
  // then fail when called.
  for (int entry = kRequiredRegistryEntries; entry < kRegistryEntryCount; ++entry)
    EntryPoints[entry] = GetProcAddress(RegistryLibrary, kEntryNames[entry]);
  return 1;
}

void ReleaseRegistryLibrary() {
  if (RegistryLibrary == nullptr) return;
  FreeLibrary(RegistryLibrary);
  RegistryLibrary = nullptr;
}

FARPROC BoundRegistryEntry(RegistryEntry entry) {
  return RegistryLibrary == nullptr ? nullptr : EntryPoints[entry];
}

void FailRegistryStep(const char* context) {
  EercErrorHandler(kRegistryErrorCode, TRUE, context, nullptr, nullptr);
  SetupErrorExit(SetupErrorFail);
}

void CheckRegistryStep(LSTATUS status, const char* context) {
  if (status != ERROR_SUCCESS) FailRegistryStep(context);
}
