// Loading the setup module and the toolkit as the system loader would.
#pragma once

#include <string>

#include "winapi.h"

namespace host {

// Makes LoadLibraryA(windowsPath) load the native shared library nativeFile:
// the library is opened, its DllMain(instance, DLL_PROCESS_ATTACH, NULL) runs,
// and GetModuleFileNameA(instance) answers windowsPath.
void RegisterModule(const std::string& windowsPath, const std::string& nativeFile);

// An instance handle for code that is linked into the process rather than
// loaded (the runner, the stand-in toolkit); GetModuleFileNameA answers
// windowsPath for it.
HINSTANCE RegisterLinkedModule(const std::string& windowsPath);

}  // namespace host
