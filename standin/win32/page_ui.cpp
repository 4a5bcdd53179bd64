// msuilstf.dll on Windows: a page is a real dialog, made from the page's
// template in the custom-dialog library with the procedure the module names,
// and the toolkit waits in a message loop until one of its buttons ends it
// (page_window.h). A page stays a window while it is on the stack: brought
// back, it is shown again as it was. Only the page being waited for is
// visible, with its caption drawn active; the pages below it are hidden.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/page_ui.h"
#include "win32/page_window.h"

namespace {

std::vector<HWND>& PageWindows() {
  static std::vector<HWND> windows;
  return windows;
}

LONG_PTR& WaitCounter() {
  static LONG_PTR counter = 0;
  return counter;
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

// Pages sit in the middle of the frame, whatever its size, as a setup
// program's dialogs do.
void CentreInFrame(HWND window, HWND frameWindow) {
  RECT frame;
  RECT page;
  if (!GetClientRect(frameWindow, &frame) || !GetWindowRect(window, &page)) return;
  int width = page.right - page.left;
  int height = page.bottom - page.top;
  SetWindowPos(window, nullptr, (frame.right - width) / 2, (frame.bottom - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreatePage(const StandinPage& page, HWND frameWindow, int number, const char* procedure) {
  HMODULE library = LoadLibraryA(page.library.c_str());
  if (library == nullptr) {
    std::fprintf(stderr, "toolkit: cannot load the page library %s\n", page.library.c_str());
    return nullptr;
  }
  auto dialogProc =
      reinterpret_cast<DLGPROC>(reinterpret_cast<void*>(GetProcAddress(library, procedure)));
  if (dialogProc == nullptr) {
    std::fprintf(stderr, "toolkit: %s has no page procedure %s\n", page.library.c_str(), procedure);
    return nullptr;
  }
  HWND window = CreateDialogParamA(library, MAKEINTRESOURCEA(number), frameWindow, dialogProc, 0);
  if (window == nullptr) {
    std::fprintf(stderr, "toolkit: %s has no page %d\n", page.library.c_str(), number);
    return nullptr;
  }
  SetPropA(window, kPageNumberProperty, reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(number)));
  CentreInFrame(window, frameWindow);
  return window;
}

// Runs the thread's messages until the page posts its end; the pressed
// button's id, or 0 when a quit message came first (it is put back for the
// module's own pump, which ends the run).
int RunPage(HWND window) {
  SetPropA(window, kPageWaitProperty, reinterpret_cast<HANDLE>(++WaitCounter()));
  int button = 0;
  MSG message;
  for (;;) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    if (message.message == PageEndMessage() && message.hwnd == window) {
      button = static_cast<int>(message.wParam);
      break;
    }
    if (!IsDialogMessageA(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  RemovePropA(window, kPageWaitProperty);
  return button;
}

// A page's caption is drawn as active while the page is the one the user
// works in; a child window is never activated by the system itself.
void ShowCurrent(HWND window, bool current) {
  SendMessageA(window, WM_NCACTIVATE, current ? TRUE : FALSE, 0);
}

// The keyboard goes to the page shown: to its edit field, else its default
// button. A page brought back, or reactivated after its help, has lost it.
void FocusPage(HWND window) {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window, focus)) return;
  HWND target = GetDlgItem(window, kPageEditField);
  if (target == nullptr) {
    LRESULT id = SendMessageA(window, DM_GETDEFID, 0, 0);
    if (HIWORD(id) == DC_HASDEFID) target = GetDlgItem(window, LOWORD(id));
  }
  if (target == nullptr) target = GetNextDlgTabItem(window, nullptr, FALSE);
  if (target != nullptr) SetFocus(target);
}

// Where the help goes: over the page that asked, a little down and to the
// right, so that both captions show.
constexpr int kHelpOffset = 24;

// The Help button: the help page is shown in front of the page and waits
// for its OK like a page; then it goes and the page is reactivated.
void ShowHelp(const StandinPage& page, HWND pageWindow, HWND frameWindow) {
  HWND help = CreatePage(page, frameWindow, kHelpPage, "FHelpDlgProc");
  if (help == nullptr) return;
  RECT asking;
  GetWindowRect(pageWindow, &asking);
  MapWindowPoints(nullptr, frameWindow, reinterpret_cast<POINT*>(&asking), 2);
  SetWindowPos(help, HWND_TOP, asking.left + kHelpOffset, asking.top + kHelpOffset, 0, 0,
               SWP_NOSIZE | SWP_SHOWWINDOW);
  EnableWindow(pageWindow, FALSE);
  ShowCurrent(pageWindow, false);
  ShowCurrent(help, true);
  SetFocus(GetDlgItem(help, kHelpOkButton));
  UpdateWindow(help);
  RunPage(help);
  EnableWindow(pageWindow, TRUE);
  DestroyWindow(help);
}

}  // namespace

std::string WaitForPageOutcome(StandinPage& page, HWND frameWindow) {
  HWND window = static_cast<HWND>(page.ui);
  if (window == nullptr) {
    window = CreatePage(page, frameWindow, page.number, page.procedure.c_str());
    if (window == nullptr) return "EXIT";
    if (page.has_edit) {
      HWND edit = GetDlgItem(window, kPageEditField);
      SetWindowTextA(edit, page.edit_text.c_str());
      // The caret goes to the end of the text ("EditFocus" is "END").
      SetFocus(edit);
      SendMessageA(edit, EM_SETSEL, page.edit_text.size(), page.edit_text.size());
    }
    page.ui = window;
    PageWindows().push_back(window);
  }
  for (HWND other : PageWindows()) {
    if (other != window) ShowWindow(other, SW_HIDE);
  }
  ShowWindow(window, SW_SHOW);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(GetAncestor(window, GA_ROOT));
  ShowCurrent(window, true);
  FocusPage(window);
  UpdateWindow(window);

  int button = RunPage(window);
  ShowCurrent(window, false);
  if (page.has_edit) page.edit_text = WindowText(GetDlgItem(window, kPageEditField));
  switch (button) {
    case kPageExitButton:
      return "EXIT";
    case kPageBackButton:
      return "BACK";
    case kPageHelpButton:
      ShowHelp(page, window, frameWindow);
      return "REACTIVATE";
    case kPageContinueButton:
      return "CONTINUE";
    default:
      return "EXIT";
  }
}

void ClosePageUi(StandinPage& page) {
  HWND window = static_cast<HWND>(page.ui);
  if (window == nullptr) return;
  std::vector<HWND>& windows = PageWindows();
  windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
  DestroyWindow(window);
  page.ui = nullptr;
}
