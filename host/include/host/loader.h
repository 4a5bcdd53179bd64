// Loading the setup module and the toolkit as the system loader would.
//
// Instance handles are small numbers (0x10000000 upward, one 0x10000 step per
// module), below 2^32 as on 32-bit Windows. "ADVAPI32.DLL" needs no
// registration: LoadLibraryA finds it in the system directory, and its
// GetProcAddress answers the host's registry functions (only RegOpenKeyExA,
// RegQueryValueExA and RegCloseKey exist; other names give NULL).
#pragma once

#include <string>

#include "winapi.h"

namespace host {

// Makes LoadLibraryA(windowsPath) load the native shared library nativeFile:
// at the first LoadLibraryA the library is opened, its exported
// DllMain(instance, DLL_PROCESS_ATTACH, NULL) runs, and
// GetModuleFileNameA(instance) answers windowsPath. Nothing is loaded by the
// registration itself; registering the same path again changes its file.
void RegisterModule(const std::string& windowsPath, const std::string& nativeFile);

// An instance handle for code that is linked into the process rather than
// loaded (the runner, the stand-in toolkit); GetModuleFileNameA answers
// windowsPath for it.
HINSTANCE RegisterLinkedModule(const std::string& windowsPath);

// From now on GetProcAddress answers address for export name of module (a
// base name such as "ADVAPI32.DLL", any case), so that a test can watch the
// calls a module makes through it; a null address puts the module's own
// export back. A host reset forgets every replacement.
void ReplaceExport(const std::string& module, const std::string& name, FARPROC address);

}  // namespace host
