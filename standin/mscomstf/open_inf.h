// The INF file that the toolkit's INF readers read: the one FOpenInf opened
// last, else the machine's [toolkit] inf=C:\PATH\SETUP.INF. mscomstf.dll
// keeps it; msinsstf.dll's copy list reads the same file, so the path is
// exported between the stand-in's own libraries (not a toolkit function).
#pragma once

#include "winapi.h"

extern "C" {
// Copies the open INF file's Windows path like CbGetSymbolValue and returns
// its length; 0 when no INF file is open.
int WINAPI StandinOpenInfPath(LPSTR buffer, int size);
}
