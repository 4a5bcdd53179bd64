#include "toolkit/session.h"

#include <cstring>

#include "toolkit/dialog_driver.h"
#include "toolkit/toolkit_api.h"

int SessionFrame;
char SourceDirectory[kSourceDirectorySize];
BOOL ErrorInProgress;
HMODULE RegistryLibrary;

namespace {

// Makes SourceDirectory end in a backslash. The last character is found by a
// step back through the code page, so that the trail byte of a double-byte
// character never counts as one. A directory that fills the buffer keeps its
// 255 characters without the backslash: only its drive prefix is ever used.
void EndSourceDirectoryWithBackslash() {
  size_t length = std::strlen(SourceDirectory);
  if (length == 0) return;
  const char* last = CharPrevA(SourceDirectory, SourceDirectory + length);
  if (*last == '\\') return;
  if (length + 1 >= sizeof SourceDirectory) return;
  SourceDirectory[length] = '\\';
  SourceDirectory[length + 1] = '\0';
}

}  // namespace

int StartSetupSession(LPSTR commandLine) {
  if (SessionFrame > 0) return 0;

  int frame = InitializeFrame(commandLine);
  if (frame == -1) return -1;
  if (frame == 0 || !FInitializeInstall(HinstFrame(), HwndFrame())) {
    EndSetupSession();
    return 0;
  }
  SessionFrame = frame;

  // A current directory on a drive that is not ready must not bring up the
  // system's critical-error box.
  UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  SourceDirectory[0] = '\0';
  DWORD length = GetCurrentDirectoryA(sizeof SourceDirectory, SourceDirectory);
  if (length >= sizeof SourceDirectory) SourceDirectory[0] = '\0';
  SetErrorMode(previousMode);

  OemToCharA(SourceDirectory, SourceDirectory);
  EndSourceDirectoryWithBackslash();
  return SessionFrame;
}

void EndSetupSession() {
  TerminateFrame();
  TerminateInstall();
  if (RegistryLibrary != nullptr) {
    FreeLibrary(RegistryLibrary);
    RegistryLibrary = nullptr;
  }
}

void SetupErrorExit(int code) {
  (void)code;
  // The page calls below are checked themselves: a failure inside them comes
  // back here, and the flag sends that nested call straight to the end.
  if (!ErrorInProgress) {
    ErrorInProgress = TRUE;
    PopAllDialogs();
    ShowPage(kSetupFailedPage);
    PopDialogs(1);
  }
  EndSetupSession();
  ExitProcess(0);
}

void PumpPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) SetupErrorExit(SetupErrorQuit);
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
