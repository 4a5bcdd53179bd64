// Dialogs from the module's compiled resources: the dialog manager, dialog
// items, list box access through the dialog, the focus and window placement.
//
// A dialog is a window of the host's window table (class "#32770") whose
// procedure is the dialog manager's; that procedure calls the dialog's own
// procedure first and does the default work for what it leaves. The
// controls are the template's, in template order, and nothing else: a
// control id that the template lacks has no window, so GetDlgItem answers
// NULL for it as on Windows.
//
// Placement: the host draws no frame, so a dialog's window rectangle is its
// template's size converted from dialog units with the fixed base unit of
// host/src/dialog_template.h (a unit is 2 pixels each way), and its controls sit at
// their template positions from the dialog's top left corner. A pop-up
// dialog's template position counts from the owner's top left corner (from
// the screen's without an owner), a child dialog's from its parent's.
//
// Natively a modal dialog waits for the user agent (host/user_agent.h):
// after WM_INITDIALOG it asks AnswerShownDialog(NAME, what it shows) and applies the answer as a
// person would: it selects the list position in the dialog's list box
// (LB_SETCURSEL, then LBN_SELCHANGE to the dialog when the list box
// notifies), then clicks the button (WM_COMMAND with BN_CLICKED), and asks
// again until the dialog has ended. An answer naming a button or a list box
// the dialog does not have ends the process with a message: the run's
// answers no longer fit what the module shows.
//
// Transcript lines:
//   dialog show NAME          a dialog is created (before WM_INITDIALOG)
//   listbox ID add "TEXT"     LB_ADDSTRING to a dialog's list box
//   text ID "TEXT"            WM_SETTEXT (SetDlgItemTextA ...) to a dialog's control
//   dialog end NAME RESULT    EndDialog on a dialog
// NAME is the template's name, or its number in decimal.

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "host/dialog_view.h"
#include "host/user_agent.h"
#include "resources/module_resources.h"
#include "shown_lines.h"
#include "transcript.h"
#include "user32/window_table.h"
#include "winapi.h"

namespace host::dialogs {
namespace {

using host::windows::Find;
using host::windows::Window;

// Values of the Win32 headers that the module's subset does not declare.
constexpr char kDialogClass[] = "#32770";
constexpr DWORD kCenterStyle = 0x0800;         // DS_CENTER
constexpr DWORD kDisabledStyle = 0x08000000L;  // WS_DISABLED
constexpr DWORD kTabStopStyle = 0x00010000L;   // WS_TABSTOP
constexpr DWORD kNotifyStyle = 0x0001;         // LBS_NOTIFY
constexpr WORD kClicked = 0;                   // BN_CLICKED
constexpr WORD kSelectionChanged = 1;          // LBN_SELCHANGE
constexpr DWORD kResourceNameNotFound = 1814;  // ERROR_RESOURCE_NAME_NOT_FOUND
constexpr DWORD kResourceDataNotFound = 1812;  // ERROR_RESOURCE_DATA_NOT_FOUND
constexpr DWORD kControlIdNotFound = 1421;     // ERROR_CONTROL_ID_NOT_FOUND
// An icon control takes the size of a standard icon.
constexpr int kIconSize = 32;

// The dialog manager's state of one dialog (Window::dialogData).
struct DialogState {
  std::string name;  // as the transcript shows it
  bool modal = false;
};

HWND focusWindow = nullptr;
// The top-level window SetFocus last activated, and the control each dialog
// had the focus in when it lost the activation.
HWND activeWindow = nullptr;
std::map<HWND, HWND> dialogFocus;

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

DialogState* StateOf(Window* w) {
  return w != nullptr && w->className == kDialogClass
             ? static_cast<DialogState*>(w->dialogData.get())
             : nullptr;
}

bool IsDialogChild(Window* w) {
  return w != nullptr && w->parent != nullptr && StateOf(Find(w->parent)) != nullptr;
}

WPARAM Command(int id, WORD code) {
  return static_cast<WPARAM>(static_cast<WORD>(id)) | (static_cast<WPARAM>(code) << 16);
}

[[noreturn]] void AnswerDoesNotFit(const std::string& dialog, const std::string& what) {
  std::fprintf(stderr, "host: dialog %s has no %s, as the user's answer expects\n", dialog.c_str(),
               what.c_str());
  std::exit(3);
}

// The default work of the dialog manager for what the dialog's procedure
// leaves: closing the window means Cancel, everything else is a window's.
LRESULT DefaultDialogWork(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    SendMessageA(dialog, WM_COMMAND, Command(IDCANCEL, kClicked),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    return 0;
  }
  return DefWindowProcA(dialog, message, wParam, lParam);
}

LRESULT CALLBACK DialogWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(dialog);
  if (w == nullptr) return 0;
  DLGPROC proc = w->dialogProc;
  if (proc != nullptr) {
    w->messageResult = 0;
    INT_PTR handled = proc(dialog, message, wParam, lParam);
    w = Find(dialog);
    if (w == nullptr) return 0;
    if (handled) {
      // The messages whose answer is the procedure's result itself; for the
      // rest the answer is what it left in the message result.
      return message == WM_INITDIALOG ? handled : w->messageResult;
    }
  }
  return DefaultDialogWork(dialog, message, wParam, lParam);
}

// Every control of a dialog runs through here before its class's procedure,
// so that what the user sees in a dialog goes into the transcript.
LRESULT CALLBACK DialogControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(control);
  if (w == nullptr) return 0;
  bool inDialog = IsDialogChild(w);
  const char* text = reinterpret_cast<const char*>(lParam);
  if (inDialog && message == WM_SETTEXT)
    TranscriptLine(ControlTextLine(w->id, text != nullptr ? text : ""));
  if (inDialog && message == LB_ADDSTRING && w->className == "LISTBOX")
    TranscriptLine(ListBoxAddLine(w->id, text != nullptr ? text : ""));
  WNDPROC classProc = host::windows::ClassProc(w->className);
  return classProc != nullptr ? classProc(control, message, wParam, lParam)
                              : DefWindowProcA(control, message, wParam, lParam);
}

// Makes the dialog and its controls and sends WM_INITDIALOG. Null when the
// template is missing or a control's class is unknown (the dialog is then
// destroyed again, as Windows fails the creation).
HWND CreateFromTemplate(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC dialogProc,
                        LPARAM initParam, bool modal) {
  Window* ownerWindow = nullptr;
  if (owner != nullptr) {
    ownerWindow = Find(owner);
    if (ownerWindow == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
  }
  const res::ModuleResources* resources = res::ResourcesOf(instance);
  const res::DialogTemplate* found =
      resources != nullptr ? resources->FindDialog(templateName) : nullptr;
  if (found == nullptr) {
    SetLastError(resources == nullptr ? kResourceDataNotFound : kResourceNameNotFound);
    return nullptr;
  }
  const res::DialogTemplate& t = *found;

  int width = res::DialogUnitsToPixelsX(t.width);
  int height = res::DialogUnitsToPixelsY(t.height);
  int left = res::DialogUnitsToPixelsX(t.x);
  int top = res::DialogUnitsToPixelsY(t.y);
  if (t.style & kCenterStyle) {
    left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  } else if (ownerWindow != nullptr) {
    left += ownerWindow->rect.left;
    top += ownerWindow->rect.top;
  }

  windows::WindowShape shape;
  shape.className = kDialogClass;
  shape.text = t.caption;
  shape.proc = DialogWindowProc;
  shape.parent = owner;
  // Shown once initialised, as the dialog manager does.
  shape.style = t.style & ~static_cast<DWORD>(WS_VISIBLE);
  shape.exStyle = t.exStyle;
  shape.rect = RECT{left, top, left + width, top + height};
  shape.instance = instance;
  HWND dialog = windows::CreateTableWindow(shape, true);
  Window* w = Find(dialog);
  if (w == nullptr) return nullptr;
  auto state = std::make_shared<DialogState>();
  state->name = t.name.Display();
  state->modal = modal;
  w->dialogData = state;
  // The dialog's own procedure sees nothing before WM_INITDIALOG but what
  // its controls' creation sends.
  w->dialogProc = dialogProc;
  TranscriptLine(DialogShowLine(state->name));

  HWND firstTabStop = nullptr;
  for (const res::Control& c : t.controls) {
    WNDPROC classProc = windows::ClassProc(c.className);
    if (classProc == nullptr) {
      std::fprintf(stderr, "host: dialog %s: control %d has the unknown class %s\n",
                   state->name.c_str(), c.id, c.className.c_str());
      DestroyWindow(dialog);
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    windows::WindowShape child;
    child.className = Upper(c.className);
    child.text = c.text.isOrdinal ? std::string() : c.text.text;
    child.proc = DialogControlProc;
    child.parent = dialog;
    child.id = c.id;
    child.style = c.style | WS_CHILD;
    child.exStyle = c.exStyle;
    bool icon = c.IsIcon();
    int x = left + res::DialogUnitsToPixelsX(c.x);
    int y = top + res::DialogUnitsToPixelsY(c.y);
    int cx = icon ? kIconSize : res::DialogUnitsToPixelsX(c.width);
    int cy = icon ? kIconSize : res::DialogUnitsToPixelsY(c.height);
    child.rect = RECT{x, y, x + cx, y + cy};
    child.instance = instance;
    HWND made = windows::CreateTableWindow(child, true);
    if (made == nullptr || Find(dialog) == nullptr) {
      if (Find(dialog) != nullptr) DestroyWindow(dialog);
      return nullptr;
    }
    if (firstTabStop == nullptr && (child.style & kTabStopStyle) && !(child.style & kDisabledStyle))
      firstTabStop = made;
  }

  LRESULT focusDefault =
      SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), initParam);
  w = Find(dialog);
  if (w == nullptr) return nullptr;
  if (focusDefault && firstTabStop != nullptr) SetFocus(firstTabStop);
  if (!w->dialogEnded && ((t.style & WS_VISIBLE) || modal)) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}

HWND FirstListBox(HWND dialog) {
  for (HWND child : windows::Children(dialog)) {
    Window* c = Find(child);
    if (c != nullptr && c->className == "LISTBOX") return child;
  }
  return nullptr;
}

// Hands one answer of the user to the dialog.
void ApplyAnswer(HWND dialog, const std::string& name, const DialogAnswer& answer) {
  if (answer.select != DialogAnswer::kNoSelection) {
    HWND list = FirstListBox(dialog);
    if (list == nullptr) AnswerDoesNotFit(name, "list box");
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(answer.select), 0);
    Window* l = Find(list);
    if (l != nullptr && (l->style & kNotifyStyle))
      SendMessageA(dialog, WM_COMMAND, Command(l->id, kSelectionChanged),
                   reinterpret_cast<LPARAM>(list));
    if (Find(dialog) == nullptr || Find(dialog)->dialogEnded) return;
  }
  HWND button = GetDlgItem(dialog, answer.button);
  Window* b = Find(button);
  if (b == nullptr || b->className != "BUTTON")
    AnswerDoesNotFit(name, "button " + std::to_string(answer.button));
  if (b->style & kDisabledStyle)
    AnswerDoesNotFit(name, "enabled button " + std::to_string(answer.button));
  SendMessageA(dialog, WM_COMMAND, Command(answer.button, kClicked),
               reinterpret_cast<LPARAM>(button));
}

// The modal loop: messages already queued are handled first, then the user
// acts, until the dialog has ended. A quit message ends the loop and is
// queued again for the caller's loop, as on Windows.
INT_PTR RunModal(HWND dialog) {
  for (;;) {
    Window* w = Find(dialog);
    if (w == nullptr) return -1;
    if (w->dialogEnded) break;
    MSG msg{};
    bool quit = false;
    while (!quit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        quit = true;
      } else {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
    w = Find(dialog);
    if (w == nullptr) return -1;
    if (quit || w->dialogEnded) break;
    std::string name = StateOf(w)->name;
    ApplyAnswer(dialog, name, User().AnswerShownDialog(name, DescribeDialogWindow(dialog)));
  }
  INT_PTR result = Find(dialog)->dialogResult;
  DestroyWindow(dialog);
  return result;
}

}  // namespace

}  // namespace host::dialogs

namespace host {
void ResetDialogs() {
  dialogs::focusWindow = nullptr;
  dialogs::activeWindow = nullptr;
  dialogs::dialogFocus.clear();
  res::ResetResources();
}
}  // namespace host

using host::windows::Find;
using host::windows::Window;

extern "C" {

// DialogBoxParamA (user32): creates the dialog from the module's template,
// runs it modally and answers the EndDialog result. -1 when the template is
// missing (GetLastError ERROR_RESOURCE_NAME_NOT_FOUND) or cannot be made; 0
// when the owner is not a window.
INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam) {
  if (owner != nullptr && Find(owner) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  HWND dialog =
      host::dialogs::CreateFromTemplate(instance, templateName, owner, dialogProc, initParam, true);
  if (dialog == nullptr) return -1;
  return host::dialogs::RunModal(dialog);
}

// CreateDialogParamA (user32): the modeless dialog, initialised and shown
// when its template asks for WS_VISIBLE; null when it cannot be made.
HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam) {
  return host::dialogs::CreateFromTemplate(instance, templateName, owner, dialogProc, initParam,
                                           false);
}

// EndDialog (user32): records the result and hides the dialog. A modal
// dialog's loop then destroys it and answers the result; a modeless dialog
// stays a (hidden) window until it is destroyed, as on Windows. FALSE for a
// window that is not a dialog.
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
  Window* w = Find(dialog);
  host::dialogs::DialogState* state = host::dialogs::StateOf(w);
  if (state == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  w->dialogResult = result;
  w->dialogEnded = true;
  TranscriptLine(DialogEndLine(state->name, result));
  ShowWindow(dialog, SW_HIDE);
  return TRUE;
}

// GetDlgItem (user32): the child with this control id; NULL when there is
// none (a control the template lacks).
HWND WINAPI GetDlgItem(HWND dialog, int id) {
  if (Find(dialog) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  HWND item = host::windows::ChildById(dialog, id);
  if (item == nullptr) SetLastError(host::dialogs::kControlIdNotFound);
  return item;
}

// SetDlgItemTextA (user32): WM_SETTEXT to the control; FALSE without it.
BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) return FALSE;
  return SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

// GetDlgItemTextA (user32): at most size - 1 characters of the control's
// text, terminated; the number copied. Without the control the buffer
// becomes empty and the result is 0.
UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size) {
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) {
    if (text != nullptr && size > 0) *text = '\0';
    return 0;
  }
  if (text == nullptr || size <= 0) return 0;
  return static_cast<UINT>(
      SendMessageA(item, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text)));
}

// SendDlgItemMessageA (user32): the control's answer; 0 without the control.
LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  HWND item = GetDlgItem(dialog, id);
  return item == nullptr ? 0 : SendMessageA(item, message, wParam, lParam);
}

// SetFocus (user32), as winapi/user32.h describes it. Activation is modelled only
// as far as it moves the focus: no focus or activation message is sent.
HWND WINAPI SetFocus(HWND window) {
  using host::dialogs::activeWindow;
  using host::dialogs::dialogFocus;
  using host::dialogs::focusWindow;
  HWND previous = GetFocus();
  if (window == nullptr) {
    focusWindow = nullptr;
    return previous;
  }
  if (Find(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (window == previous) return previous;
  HWND top = window;
  for (;;) {
    Window* w = Find(top);
    if (w->style & (WS_DISABLED | WS_MINIMIZE)) return nullptr;
    if (!(w->style & WS_CHILD) || w->parent == nullptr || Find(w->parent) == nullptr) break;
    top = w->parent;
  }
  if (top != activeWindow || Find(activeWindow) == nullptr) {
    // A dialog losing the activation keeps the control of its own that had
    // the focus.
    Window* old = Find(activeWindow);
    bool inOld = false;
    for (Window* w = Find(previous); w != nullptr && (w->style & WS_CHILD); w = Find(w->parent))
      if (w->parent == activeWindow) inOld = true;
    if (old != nullptr && old->dialogProc != nullptr && inOld) dialogFocus[activeWindow] = previous;
    activeWindow = top;
    if (Find(top)->dialogProc == nullptr) {
      focusWindow = top;
    } else {
      auto saved = dialogFocus.find(top);
      if (saved != dialogFocus.end() && Find(saved->second) != nullptr) focusWindow = saved->second;
      dialogFocus.erase(top);
    }
    previous = GetFocus();
  }
  focusWindow = window;
  return previous;
}

// GetFocus (user32): the window with the focus; NULL when it has gone.
HWND WINAPI GetFocus(void) {
  return Find(host::dialogs::focusWindow) != nullptr ? host::dialogs::focusWindow : nullptr;
}

// GetWindowRect (user32): the window's rectangle in screen coordinates.
BOOL WINAPI GetWindowRect(HWND window, LPRECT rect) {
  Window* w = Find(window);
  if (w == nullptr || rect == nullptr) {
    SetLastError(w == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *rect = w->rect;
  return TRUE;
}

// MoveWindow (user32): a top-level window's position is on the screen, a
// child's from its parent's top left corner; the window's children move
// with it. The host sends no move or size messages and paints nothing.
BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL /*repaint*/) {
  Window* w = Find(window);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (w->parent != nullptr) {
    Window* parent = Find(w->parent);
    if (parent != nullptr) {
      x += parent->rect.left;
      y += parent->rect.top;
    }
  }
  LONG dx = x - w->rect.left;
  LONG dy = y - w->rect.top;
  w->rect = RECT{x, y, x + width, y + height};
  // Children keep their place inside the window.
  std::vector<HWND> moving = host::windows::Children(window);
  while (!moving.empty()) {
    HWND child = moving.back();
    moving.pop_back();
    Window* c = Find(child);
    if (c == nullptr) continue;
    c->rect.left += dx;
    c->rect.right += dx;
    c->rect.top += dy;
    c->rect.bottom += dy;
    for (HWND grandChild : host::windows::Children(child)) moving.push_back(grandChild);
  }
  return TRUE;
}

}  // extern "C"
