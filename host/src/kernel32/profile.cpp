// WriteProfileStringA: win.ini in the Windows directory, edited as Windows
// edits it: sections and keys found case-insensitively, a key replaced where
// it stands, a missing key added at the end of its section, a missing
// section appended at the end of the file; new lines end in CR LF and every
// other line stays byte for byte. The file is read and written through the
// host's file calls, so their faults apply.

#include <string>

#include "machine/machine_internal.h"
#include "profile_text.h"
#include "winapi.h"

namespace host {
namespace {

bool ReadWhole(HFILE file, std::string* content) {
  char buffer[4096];
  for (;;) {
    UINT got = _lread(file, buffer, sizeof buffer);
    if (got == static_cast<UINT>(HFILE_ERROR)) return false;
    if (got == 0) return true;
    content->append(buffer, got);
  }
}

}  // namespace
}  // namespace host

extern "C" BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  if (section == nullptr) {
    // Windows flushes its cache for (NULL, NULL, NULL) and still answers
    // FALSE; there is no cache here.
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  // Windows takes the key without the blanks around it: " load" is "load".
  std::string trimmedKey;
  if (key != nullptr) {
    trimmedKey = key;
    size_t first = trimmedKey.find_first_not_of(" \t");
    size_t last = trimmedKey.find_last_not_of(" \t");
    trimmedKey =
        first == std::string::npos ? std::string() : trimmedKey.substr(first, last - first + 1);
    key = trimmedKey.c_str();
  }
  std::string path = host::Config().windowsDir + "\\win.ini";
  std::string content;
  HFILE file = _lopen(path.c_str(), OF_READWRITE);
  if (file == HFILE_ERROR) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return FALSE;
    // Removing from a file that does not exist leaves it missing.
    if (value == nullptr) return TRUE;
    file = _lcreat(path.c_str(), 0);
    if (file == HFILE_ERROR) return FALSE;
  } else if (!host::ReadWhole(file, &content)) {
    _lclose(file);
    return FALSE;
  }
  std::string edited = EditProfileText(content, section, key, value);
  BOOL ok = TRUE;
  if (edited != content) {
    // Written over the old content, then ended: only growth takes space.
    ok = _llseek(file, 0, FILE_BEGIN) == 0 &&
         _lwrite(file, edited.data(), static_cast<UINT>(edited.size())) == edited.size() &&
         _lwrite(file, "", 0) == 0;
  }
  _lclose(file);
  return ok;
}
