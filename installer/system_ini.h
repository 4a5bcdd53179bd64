// Registering the virtual device driver kyr.386 in the [386Enh] section of
// system.ini.
#pragma once

#include "winapi.h"

// The line buffer of the rewrite: a movable, zero-initialised memory block.
constexpr int kSystemIniLineSize = 1000;
// The device line, with its line break and terminating zero.
constexpr int kDeviceLineSize = 260;

// Writes text without its terminating zero. Returns the number of bytes
// written, or -1 when the write failed.
int WriteText(const char* text, HFILE file);

// True when line is at least 9 characters long and ends exactly in "kyr.386"
// with a carriage return and line feed (case-sensitive): a device line of an
// earlier installation, which the rewrite removes.
BOOL IsDeviceLine(const char* line);

// "device=" + destination + "\kyr.386" + carriage return and line feed, in
// line (size bytes). False, with line empty, when it does not fit.
BOOL BuildDeviceLine(char* line, int size, const char* destination);

// Rewrites system.ini (target, open for writing at its start) from its
// backup (source, open for reading at its start, length bytes long): every
// line is copied unchanged except device lines, which are dropped, and
// deviceLine follows every line whose first 8 characters are "[386Enh]". The
// final piece without a line break is kept, and target is cut where the new
// content ends. buffer (size bytes) holds one line at a time; a longer line
// is still copied whole, and still counts as a device line when it ends like
// one. False when any read, seek or write failed: target is then partly
// written and must be put back.
BOOL RewriteSystemIni(HFILE source, LONG length, HFILE target, const char* deviceLine, char* buffer,
                      int size);
