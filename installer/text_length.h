// The length of a zero-terminated text, as the installer's fixed buffers
// count it.
#pragma once

#include <cstring>

inline int TextLength(const char* text) { return static_cast<int>(std::strlen(text)); }
