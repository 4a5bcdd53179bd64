// How the toolkit's byte-count readers hand a text back.
#pragma once

#include <string>

#include "winapi.h"

// Copies at most size - 1 bytes of text and a terminating zero into buffer
// (nothing when buffer is null or size is not positive) and returns the
// whole text's length, so that a result not below size tells the caller the
// text did not fit.
int CopyOut(const std::string& text, LPSTR buffer, int size);
