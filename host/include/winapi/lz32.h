// LZ32.DLL: copying files that may be compressed (the Windows SDK's lzexpand.h).
#pragma once

#include "winapi/types.h"

// LZCopy's errors (lzexpand.h).
#define LZERROR_BADINHANDLE (-1)
#define LZERROR_BADOUTHANDLE (-2)
#define LZERROR_READ (-3)
#define LZERROR_WRITE (-4)
#define LZERROR_GLOBALLOC (-5)
#define LZERROR_GLOBLOCK (-6)
#define LZERROR_BADVALUE (-7)
#define LZERROR_UNKNOWNALG (-8)

extern "C" {

// Copies source to destination from the source's start to the
// destination's current position. A source in the SZDD format of COMPRESS.EXE
// (magic "SZDD" 88 F0 27 33, method 'A') is expanded; any other is copied
// unchanged. Result: the number of bytes written, or an LZERROR_* value
// (a read failure LZERROR_READ, a write failure or full disk
// LZERROR_WRITE, a bad handle LZERROR_BADINHANDLE/LZERROR_BADOUTHANDLE, an
// SZDD file of another method LZERROR_UNKNOWNALG). Reads and writes go
// through _lread and _lwrite, so the host's faults apply. Both handles stay
// open (Wine closes the source after expanding it; the host does not, and
// the module closes both itself).
LONG WINAPI LZCopy(HFILE source, HFILE destination);

}  // extern "C"
