// The sharing of files open by handle: the records of share_modes.cpp and
// what they tell the other file calls.
#pragma once

#include "winapi.h"

struct stat;

namespace host {

// Whether an open of file for the access given, with the OF_SHARE_* bits of
// shareMode, agrees with every handle open on it; then the open is added,
// and removed when the handle closes.
constexpr int kShareModeMask = 0x70;
bool ShareAllows(const struct stat& file, bool reads, bool writes, int shareMode);
void AddSharedOpen(HFILE handle, const struct stat& file, bool reads, bool writes, int shareMode);
void RemoveSharedOpen(HFILE handle);
void ResetSharedOpens();

// Whether a handle opened by _lopen or _lcreat holds the file. Such handles
// never let the file be deleted under them: Windows refuses DeleteFileA on a
// file open anywhere with ERROR_SHARING_VIOLATION.
bool HeldOpen(const struct stat& file);

}  // namespace host
