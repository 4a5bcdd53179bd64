#include "core/copy_out.h"

#include <climits>

#include "truncated_copy.h"

int CopyOut(const std::string& text, LPSTR buffer, int size) {
  if (size > 0) machine_ini::CopyTruncated(text, buffer, static_cast<size_t>(size));
  return text.size() > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}
