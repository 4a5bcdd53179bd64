// What the module tells the rest of the system: a message to every
// top-level window, a restart. Natively each is a transcript line.

#include "shown_lines.h"
#include "transcript.h"
#include "user32/window_table.h"
#include "winapi.h"

extern "C" {

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
