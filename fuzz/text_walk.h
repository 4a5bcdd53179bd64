// The model the text targets check against: a text's characters in the
// machine's ANSI code page, a lead byte taking the byte after it unless that
// byte ends the text.
#pragma once

#include <string>
#include <vector>

#include "winapi.h"

namespace fuzz {

// The byte offsets where the characters of a zero-terminated text begin.
inline std::vector<size_t> CharacterStarts(const char* text) {
  std::vector<size_t> starts;
  for (size_t i = 0; text[i] != '\0';) {
    starts.push_back(i);
    i += IsDBCSLeadByte(static_cast<BYTE>(text[i])) && text[i + 1] != '\0' ? 2 : 1;
  }
  return starts;
}

// The width of the character starting at text (0 at the terminator).
inline size_t CharacterWidthAt(const char* text) {
  if (*text == '\0') return 0;
  return IsDBCSLeadByte(static_cast<BYTE>(*text)) && text[1] != '\0' ? 2 : 1;
}

}  // namespace fuzz
