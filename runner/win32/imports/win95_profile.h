// WriteProfileStringA as Windows 95 does it, for the module under Wine.
// Wine's own rewrites the whole of win.ini and drops its blank lines; Windows
// 95 edits the file in place: sections and keys found case-insensitively, a
// key replaced where it stands, a missing key added after the last line of
// its section that is not blank, a missing section appended at the end of
// the file; new lines end in CR LF and every other line stays byte for byte.
#pragma once

#include <windows.h>

#include <string>

BOOL WINAPI Win95WriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value);
