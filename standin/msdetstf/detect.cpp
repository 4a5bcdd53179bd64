// msdetstf.dll: detection.
#include <cstring>
#include <string>

#include "core/calls.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

bool IsWritableDirectory(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

// Characters that no directory name may hold (the drive's colon aside).
bool HasBadCharacters(const char* path) {
  for (const char* c = path; *c != '\0'; c = CharNextA(c)) {
    if (std::strchr("*?<>|\"", *c) != nullptr) return true;
    if (*c == ':' && c != path + 1) return true;
  }
  return false;
}

// A directory is writable when it exists and is not read-only, or when it
// can be created: its nearest existing parent is a writable directory.
bool DirectoryIsWritable(const char* path) {
  if (HasBadCharacters(path)) return false;
  std::string candidate = path;
  for (;;) {
    DWORD attributes = GetFileAttributesA(candidate.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return IsWritableDirectory(attributes);
    size_t backslash = candidate.find_last_of('\\');
    if (backslash == std::string::npos) return false;
    if (backslash == 2 && candidate[1] == ':') {
      if (candidate.size() == 3) return false;  // the drive's root is missing
      candidate.resize(3);
    } else {
      candidate.resize(backslash);
    }
  }
}

}  // namespace

extern "C" BOOL WINAPI FIsDirWritable(LPCSTR path) {
  if (ToolkitCallFails("FIsDirWritable", {CallArg(path)})) return FALSE;
  BOOL writable = path != nullptr && *path != '\0' && DirectoryIsWritable(path);
  TranscriptLine("dir writable " + CallArg(path) + (writable ? " yes" : " no"));
  return static_cast<BOOL>(ToolkitResult("FIsDirWritable", writable));
}
