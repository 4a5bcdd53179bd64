// Texts built in fixed buffers by the module itself. The module runs on a
// system that gives it no C run-time library of its own, so it formats what
// little it shows (messages, numbers, registry paths) here, the same on every
// build, and never writes past the buffer: a text too long is cut at its end.
#pragma once

#include "winapi.h"

// The widest decimal text of a 32-bit number: a sign, ten digits, the zero.
constexpr int kDecimalTextSize = 12;

// Writes the count pieces one after another into buffer (size bytes), cut so
// that the zero still lies inside it. Returns the length written; a size of
// 0 or less writes nothing and returns 0.
int JoinTextBounded(char* buffer, int size, const char* const* pieces, int count);

// Writes number in decimal ("-12"), cut like JoinTextBounded. Returns the
// length written.
int DecimalText(char* buffer, int size, LONG number);

// Reads a decimal number as the run-time library's conversion does: leading
// blanks and tabs, an optional sign, then digits up to the first other
// character; no digits give 0. A number beyond 32 bits gives the nearest
// 32-bit value.
LONG ReadDecimal(const char* text);
