// The machine's code pages as KERNEL32 reports them.

#include "machine/machine_internal.h"
#include "winapi.h"

extern "C" {

BOOL WINAPI IsDBCSLeadByte(BYTE byte) { return host::IsAnsiLeadByte(byte) ? TRUE : FALSE; }

UINT WINAPI GetACP(void) { return host::Config().acp; }
UINT WINAPI GetOEMCP(void) { return host::Config().oemcp; }

}  // extern "C"
