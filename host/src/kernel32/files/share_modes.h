// What the sharing records of share_modes.cpp tell the other file calls.
#pragma once

struct stat;

namespace host {

// Whether a handle opened by _lopen or _lcreat holds the file. Such handles
// never let the file be deleted under them: Windows refuses DeleteFileA on a
// file open anywhere with ERROR_SHARING_VIOLATION.
bool HeldOpen(const struct stat& file);

}  // namespace host
