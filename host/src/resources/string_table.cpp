#include "resources/string_table.h"

#include "resources/resource_fields.h"

namespace host::res {

int StringBlockOf(unsigned id) { return static_cast<int>((id & 0xFFFF) / kStringsPerBlock + 1); }

bool FindBlockString(const uint8_t* block, size_t size, unsigned id, std::string* text) {
  FieldReader in(block, size);
  for (unsigned i = 0; i < id % kStringsPerBlock; ++i) {
    uint16_t count = 0;
    if (!in.Word(&count) || !in.Skip(size_t{count} * 2)) return false;
  }
  uint16_t count = 0;
  return in.Word(&count) && in.CountedText(count, text);
}

}  // namespace host::res
