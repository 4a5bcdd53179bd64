// What the module tells the rest of the system: a font loaded, a message to
// every top-level window, a restart. Natively each is a transcript line.

#include <sys/stat.h>

#include <string>

#include "host/machine.h"
#include "shown_lines.h"
#include "transcript.h"
#include "window_table.h"
#include "winapi.h"

extern "C" {

int WINAPI AddFontResourceA(LPCSTR fileName) {
  if (fileName == nullptr || *fileName == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  TranscriptLine(FontLoadLine(fileName));
  // A font file must be there (a name without a folder is looked for in
  // the current directory); what it holds is not read.
  struct stat info;
  std::string native = host::NativePath(fileName);
  if (native.empty() || stat(native.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  return 1;  // the number of fonts the file added
}

LRESULT WINAPI SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT /*flags*/, UINT /*timeout*/, DWORD_PTR* result) {
  if (window == HWND_BROADCAST) {
    TranscriptLine(BroadcastLine(message));
    // The host's windows all answer at once, so none is given up after the
    // timeout.
    for (HWND top : host::windows::TopLevelWindows())
      if (host::windows::Find(top) != nullptr) SendMessageA(top, message, wParam, lParam);
    if (result != nullptr) *result = 0;
    return TRUE;
  }
  if (host::windows::Find(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  LRESULT answer = SendMessageA(window, message, wParam, lParam);
  if (result != nullptr) *result = static_cast<DWORD_PTR>(answer);
  return TRUE;
}

BOOL WINAPI ExitWindowsEx(UINT /*flags*/, DWORD /*reason*/) {
  // Windows starts the restart and returns; the process ends later, when
  // the system closes it. Natively the request is recorded and nothing ends.
  TranscriptLine(kRestartLine);
  return TRUE;
}

}  // extern "C"
