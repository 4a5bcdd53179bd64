// Internal to the host layer: the fields of compiled resources (a .res file
// and the dialog templates and string tables in it), read from untrusted
// bytes. Every read is checked against the end of the bytes given; a read
// that does not fit fails and leaves the position where it was.
//
// Words and double words are little-endian. Texts are UTF-16, converted to
// the machine's ANSI code page as Windows' A functions give them (best fit
// where the code page has no such character, '?' where it has none at all).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "winapi.h"

namespace host::res {

// A resource's type or name, or a dialog's class, menu or a control's text:
// an ordinal (0xFFFF followed by the number) or a text.
struct ResourceName {
  bool isOrdinal = false;
  int ordinal = 0;
  std::string text;
  // The name as the transcript shows it: the text, or the ordinal in decimal.
  std::string Display() const;
  // Whether a name given to a Win32 call (MAKEINTRESOURCE(n), "NAME" or
  // "#n", as FindResource reads them) names this one. Texts compare without
  // regard to letter case.
  bool Matches(LPCSTR name) const;
};

class FieldReader {
 public:
  FieldReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

  size_t Position() const { return position_; }
  size_t Remaining() const { return size_ - position_; }
  bool Skip(size_t count);
  // Moves to the next multiple of 4 from the start of the bytes; false when
  // that lies past the end.
  bool AlignTo4();

  bool Byte(uint8_t* value);
  bool Word(uint16_t* value);
  bool Short(int* value);  // a signed 16-bit value
  bool Dword(uint32_t* value);
  // A zero-terminated UTF-16 text.
  bool Text(std::string* text);
  // count UTF-16 characters, without a terminator.
  bool CountedText(size_t count, std::string* text);
  // An ordinal (0xFFFF, then the number) or a zero-terminated text.
  bool NameOrOrdinal(ResourceName* name);

 private:
  const uint8_t* bytes_;
  size_t size_;
  size_t position_ = 0;
};

}  // namespace host::res
