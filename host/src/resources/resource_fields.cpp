#include "resources/resource_fields.h"

#include <cstdlib>

#include "machine/machine_internal.h"

namespace host::res {
namespace {

constexpr uint16_t kOrdinalMark = 0xFFFF;

// One UTF-16 unit in the ANSI code page, as the A functions convert it.
void AppendAnsi(uint16_t unit, std::string* text) {
  if (unit < 0x80) {
    text->push_back(static_cast<char>(unit));
    return;
  }
  std::string bytes;
  if (BestFitOf(Config().acp, unit, &bytes))
    *text += bytes;
  else
    text->push_back('?');
}

}  // namespace

std::string ResourceName::Display() const { return isOrdinal ? std::to_string(ordinal) : text; }

bool ResourceName::Matches(LPCSTR name) const {
  if (name == nullptr) return false;
  if (IS_INTRESOURCE(name)) return isOrdinal && ordinal == LOWORD(name);
  if (name[0] == '#') {
    char* end = nullptr;
    long value = std::strtol(name + 1, &end, 10);
    return end != name + 1 && *end == '\0' && isOrdinal && ordinal == value;
  }
  return !isOrdinal && EqualNoCase(text, name);
}

bool FieldReader::Skip(size_t count) {
  if (count > Remaining()) return false;
  position_ += count;
  return true;
}

bool FieldReader::AlignTo4() {
  size_t aligned = (position_ + 3) & ~size_t{3};
  if (aligned > size_) return false;
  position_ = aligned;
  return true;
}

bool FieldReader::Byte(uint8_t* value) {
  if (Remaining() < 1) return false;
  *value = bytes_[position_++];
  return true;
}

bool FieldReader::Word(uint16_t* value) {
  if (Remaining() < 2) return false;
  *value = static_cast<uint16_t>(bytes_[position_] | bytes_[position_ + 1] << 8);
  position_ += 2;
  return true;
}

bool FieldReader::Short(int* value) {
  uint16_t word = 0;
  if (!Word(&word)) return false;
  *value = static_cast<int16_t>(word);
  return true;
}

bool FieldReader::Dword(uint32_t* value) {
  if (Remaining() < 4) return false;
  const uint8_t* at = bytes_ + position_;
  *value = static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
  position_ += 4;
  return true;
}

bool FieldReader::Text(std::string* text) {
  size_t start = position_;
  std::string read;
  for (;;) {
    uint16_t unit = 0;
    if (!Word(&unit)) {
      position_ = start;
      return false;
    }
    if (unit == 0) break;
    AppendAnsi(unit, &read);
  }
  *text = std::move(read);
  return true;
}

bool FieldReader::CountedText(size_t count, std::string* text) {
  if (count > Remaining() / 2) return false;
  std::string read;
  for (size_t i = 0; i < count; ++i) {
    uint16_t unit = 0;
    Word(&unit);
    AppendAnsi(unit, &read);
  }
  *text = std::move(read);
  return true;
}

bool FieldReader::NameOrOrdinal(ResourceName* name) {
  size_t start = position_;
  uint16_t first = 0;
  if (!Word(&first)) return false;
  if (first == kOrdinalMark) {
    uint16_t ordinal = 0;
    if (!Word(&ordinal)) {
      position_ = start;
      return false;
    }
    *name = ResourceName{true, ordinal, std::string()};
    return true;
  }
  position_ = start;
  ResourceName text;
  if (!Text(&text.text)) return false;
  *name = std::move(text);
  return true;
}

}  // namespace host::res
