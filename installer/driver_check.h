// Whether the printer uses a driver that is already registered.
#pragma once

#include "winapi.h"

// True when the printer's registered driver has another name than the
// printer and is itself registered: nothing needs installing.
BOOL IsPrinterDriverInstalled(const char* printerName);
