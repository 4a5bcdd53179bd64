// Frame, cursor and page members of the checked wrappers.
#include "toolkit/checked_wrappers.h"
#include "toolkit/fail_fast.h"
#include "toolkit/session.h"
#include "toolkit/symbols.h"
#include "toolkit/toolkit_api.h"

void SetAboutChecked(LPCSTR title, LPCSTR text) { FailUnless(FSetAbout(title, text)); }

BOOL SetFrameTitle(LPCSTR text) { return SetWindowTextA(HwndFrame(), text); }

HCURSOR ShowWaitCursor() { return HShowWaitCursor(); }

void RestoreCursorChecked(HCURSOR previous) { FailUnless(FRestoreCursor(previous)); }

BOOL SetBeepingMode(BOOL beeping) { return FSetBeepingMode(beeping); }

BOOL SetSilentMode(BOOL silent) { return FSetSilent(silent); }

void ShowCustomDialogEvent(LPCSTR library, UINT dialogNumber, LPCSTR dialogProcedure,
                           LPCSTR helpLibrary, UINT helpNumber, LPCSTR helpProcedure,
                           LPSTR eventBuffer, int eventSize) {
  FailUnless(FDoDialogExt(HwndFrame(), library, dialogNumber, dialogProcedure, helpLibrary,
                          helpNumber, helpProcedure));
  // The page leaves its outcome once its messages have been handled.
  PumpPendingMessages();
  ReadSymbol("DLGEVENT", eventBuffer, eventSize);
}
