// Whole files of the machine directory that the host reads and writes for
// itself (machine.ini, registry.reg), through the system call table, so that
// its faults reach them as they reach the module's own calls.
#pragma once

#include <string>

namespace host::sys {

// The file's bytes; false with errno set when it cannot be opened or read.
bool ReadWholeFile(const std::string& nativePath, std::string* content);

// Replaces the file with content: written whole beside it (PATH.new), then
// renamed over it, so that a failure leaves the old file as it was and no
// PATH.new behind. False with errno set.
bool ReplaceWholeFile(const std::string& nativePath, const std::string& content);

}  // namespace host::sys
