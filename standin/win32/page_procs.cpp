// mscuistf.dll: the page procedures that the toolkit finds by name. A page
// ends when one of its buttons is pressed: the procedure hands the button's
// id to the toolkit's wait (page_window.h), which turns it into the page's
// outcome. Everything else is the dialog manager's default.
#include <windows.h>

#include "win32/page_window.h"

namespace {

bool IsPageButton(int id) {
  return id == kPageContinueButton || id == kPageBackButton || id == kPageExitButton ||
         id == kPageHelpButton;
}

INT_PTR PageProc(HWND page, UINT message, WPARAM wParam, bool helpPage) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;  // the default button takes the focus
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      // The help page ends with OK (or Escape); a page by its own buttons.
      // Escape on a page is its Exit button.
      if (helpPage && (id == IDOK || id == IDCANCEL)) {
        PostMessageA(page, PageEndMessage(), static_cast<WPARAM>(id), 0);
        return TRUE;
      }
      if (!helpPage && id == IDCANCEL) id = kPageExitButton;
      if (!helpPage && IsPageButton(id) && GetDlgItem(page, id) != nullptr) {
        PostMessageA(page, PageEndMessage(), static_cast<WPARAM>(id), 0);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

extern "C" {

// The welcome page.
INT_PTR CALLBACK FInfoDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  return PageProc(page, message, wParam, false);
}

// The quit confirmation.
INT_PTR CALLBACK FQuitDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  return PageProc(page, message, wParam, false);
}

// The destination page: the edit field is filled and read by the toolkit.
INT_PTR CALLBACK FEditDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  return PageProc(page, message, wParam, false);
}

// Notices with one button (setup failed, directory not writable).
INT_PTR CALLBACK FInfo0DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  return PageProc(page, message, wParam, false);
}

// The help page.
INT_PTR CALLBACK FHelpDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  return PageProc(page, message, wParam, true);
}

}  // extern "C"
