#include "truncated_copy.h"

#include <cstring>

namespace machine_ini {

size_t CopyTruncated(const std::string& text, char* buffer, size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  size_t copied = text.size() < size ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  return copied;
}

}  // namespace machine_ini
