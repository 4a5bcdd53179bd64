// The system's version word.

#include "machine/machine_internal.h"
#include "winapi.h"

extern "C" DWORD WINAPI GetVersion(void) { return host::Config().version; }
