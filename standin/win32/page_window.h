// How a toolkit page shows itself as a window on Windows, shared by the page
// code of msuilstf.dll (page_ui.cpp), the page procedures of mscuistf.dll
// (page_procs.cpp) and whoever answers the pages (the Windows runner):
//
// - A page is a dialog made from template N of the custom-dialog library.
//   Its window property kPageNumberProperty holds N.
// - While the toolkit waits for the user's outcome, the property
//   kPageWaitProperty holds a number that grows with every wait (a page
//   brought back waits anew under a new number); otherwise it is absent.
// - The page procedure ends the wait by posting kPageEndMessageName (a
//   registered message) to the page, with the button's id as wParam.
#pragma once

#include <windows.h>

#include "mscuistf/page_buttons.h"

constexpr const char kPageNumberProperty[] = "SetupPage";
constexpr const char kPageWaitProperty[] = "SetupPageWait";
constexpr const char kPageEndMessageName[] = "KyrothSetupPageEnd";

inline UINT PageEndMessage() {
  static UINT message = RegisterWindowMessageA(kPageEndMessageName);
  return message;
}
