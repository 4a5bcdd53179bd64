// Conversion between the machine's code pages and UCS-4 through iconv, for
// the functions that convert text (code_pages.cpp).
#pragma once

#include <iconv.h>

#include <string>

namespace host {

// iconv's name of a Windows code page.
std::string IconvName(unsigned codePage);
// Converts bytes with an open descriptor. Returns false unless the whole
// input converted; *incomplete tells whether it ended in the middle of a
// character.
bool Convert(iconv_t cd, const std::string& in, std::string* out, bool* incomplete = nullptr);
// One UCS-4 (native byte order) character from a string of 4 bytes.
char32_t Ucs4(const std::string& bytes);

}  // namespace host
