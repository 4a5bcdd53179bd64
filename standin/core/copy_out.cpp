#include "core/copy_out.h"

#include <climits>
#include <cstring>

int CopyOut(const std::string& text, LPSTR buffer, int size) {
  if (buffer != nullptr && size > 0) {
    size_t copied = text.size() < static_cast<size_t>(size) ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
  }
  return text.size() > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}
