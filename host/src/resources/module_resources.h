// Internal to the host layer: the compiled resources a native module
// carries, found through its instance handle.
//
// The build compiles a module's resource script with the same resource
// compiler as the Windows build (cmake/native-resources.cmake) and embeds the
// resource file's bytes into the module as
//   extern "C" const unsigned char HostResources[];
//   extern "C" const unsigned long HostResourcesSize;
// so that the host's dialogs are made from the very templates the Windows
// DLL carries: the same controls, ids, texts and styles, and a control that
// a template lacks exists on neither.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dialog_template.h"
#include "resource_file.h"
#include "winapi.h"

namespace host::res {

struct ModuleResources {
  std::vector<ResourceEntry> entries;
  std::vector<DialogTemplate> dialogs;  // every RT_DIALOG entry, read

  // The dialog that a Win32 call names (see ResourceName::Matches), or null.
  const DialogTemplate* FindDialog(LPCSTR name) const;
  // String id of the string tables, as LoadStringA finds it; false when no
  // block holds it.
  bool FindString(unsigned id, std::string* text) const;
};

// Reads a whole resource file and its dialog templates. False with a
// message when the file or a template is damaged.
bool ReadModuleResources(const uint8_t* bytes, size_t size, ModuleResources* resources,
                         std::string* error);

// The resources of the module behind instance: those registered for it, else
// the module's HostResources symbols (GetProcAddress; for a module linked
// into the process, the process's symbols); for a NULL instance, the process
// image's own. Read once per resource file. Null when the module carries
// none; a file that does not read is reported on standard error and also
// gives null.
const ModuleResources* ResourcesOf(HINSTANCE instance);

// Makes instance carry the resource file bytes (for code linked into the
// process, such as the module's objects inside a test). The bytes must live
// as long as the registration; null removes it.
void RegisterResources(HINSTANCE instance, const unsigned char* bytes, size_t size);

// Forgets registrations and the files read (part of the host's reset).
void ResetResources();

}  // namespace host::res

namespace host {
// Forgets the dialog manager's state: the focus, registered and read
// resources. Part of resetting the host between tests.
void ResetDialogs();
}  // namespace host
