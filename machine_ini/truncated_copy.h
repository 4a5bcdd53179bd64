// Handing a text back into a caller's buffer of a given size, as Windows and
// the setup toolkit do it: at most size - 1 bytes and a terminating zero.
#pragma once

#include <cstddef>
#include <string>

namespace machine_ini {

// Copies at most size - 1 bytes of text and a zero into buffer, and returns
// the bytes copied (without the zero). Nothing is written, and 0 returned,
// when buffer is null or size is 0. Each caller makes its own result of it
// (the whole length, the bytes copied ...).
size_t CopyTruncated(const std::string& text, char* buffer, size_t size);

}  // namespace machine_ini
