// GDI32.DLL: loading a font (the Windows SDK's wingdi.h).
#pragma once

#include "winapi/types.h"

extern "C" {

// Writes the transcript line `font load "NAME"` (the attempt, as the runner
// records it under Wine) and answers 1 (one font added) when the file is
// there (a name without a folder in the current directory); its content is
// not read, so any file counts as a font. 0 with ERROR_FILE_NOT_FOUND for a
// missing file, ERROR_INVALID_PARAMETER for an empty name.
int WINAPI AddFontResourceA(LPCSTR fileName);

}  // extern "C"
