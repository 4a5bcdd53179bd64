// Internal to ADVAPI32's functions: what GetProcAddress hands out for them.
#pragma once

#include "winapi.h"

namespace host {

// The host's registry function of that export name of ADVAPI32.DLL, or null.
FARPROC RegistryExport(const char* name);

}  // namespace host
