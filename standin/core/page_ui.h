// The one platform-dependent part of the stand-in toolkit: how a page and the
// frame appear to the user. Natively the host's user agent answers
// (standin/native/); on Windows they are real windows that a person, or the
// runner acting as one, clicks (standin/win32/).
#pragma once

#include <string>

#include "winapi.h"

struct StandinPage {
  int number = 0;
  std::string library;    // "mscuistf.dll"
  std::string procedure;  // "FEditDlgProc" ...
  bool has_edit = false;  // the destination page's edit field
  std::string edit_text;  // what the edit field holds now
  void* ui = nullptr;     // the platform's own data (a window on Windows)
};

// Shows the page (first time) or brings it back as it was, waits for the
// user and returns the outcome text ("CONTINUE", "EXIT", "BACK",
// "REACTIVATE"). page.edit_text holds what the user left in the edit field.
std::string WaitForPageOutcome(StandinPage& page, HWND frameWindow);
// The page has been removed from the stack.
void ClosePageUi(StandinPage& page);

// The toolkit's own instance (HinstFrame answers it).
HINSTANCE ToolkitInstance();
// The frame window opened by InitializeFrame, and its end.
HWND CreateFrameWindow(HINSTANCE toolkitInstance);
void DestroyFrameWindow(HWND frame);
// The frame shows bitmap `number` of `library` from now on.
void ShowFrameBitmap(HWND frame, const std::string& library, int number);
