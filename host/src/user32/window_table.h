// Internal to the host layer: the table of windows of the process and the
// thread's message queue.
//
// Every window, whether made by CreateWindowExA, by the dialog functions or
// by host code, is one Window in this table, found by its handle. A window's
// procedure (WNDPROC) is what SendMessageA and DispatchMessageA call. A
// dialog is a window whose proc is the dialog manager's window procedure,
// which in turn calls the window's dialogProc; the table only keeps the
// fields such a manager needs (dialogProc, dialogResult, dialogEnded,
// messageResult) and does not interpret them.
//
// Handles are even numbers from 0x10002 upward and are never reused in a
// run, so a stale handle is never taken for a newer window. HWND_BROADCAST
// (0xffff) is never a window.
//
// Lifetime: a Window* from Find stays valid only until the next call of a
// window procedure (which may destroy windows); look the handle up again
// after sending a message.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "winapi.h"

namespace host::windows {

struct Window {
  HWND handle = nullptr;
  std::string className;  // as registered (or given, for built-in classes)
  std::string text;       // caption, or the control's text
  WNDPROC proc = nullptr;
  DLGPROC dialogProc = nullptr;  // null for a window that is not a dialog
  HWND parent = nullptr;         // set for a child window (WS_CHILD)
  HWND owner = nullptr;          // set for an owned top-level window
  int id = 0;                    // control id of a child window
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};  // screen coordinates
  HINSTANCE instance = nullptr;
  // List box contents and selection (-1: none).
  std::vector<std::string> listItems;
  int listSelection = -1;
  LONG_PTR userData = 0;
  // For the dialog manager.
  INT_PTR dialogResult = 0;
  bool dialogEnded = false;
  LRESULT messageResult = 0;
  std::shared_ptr<void> dialogData;  // the manager's own per-dialog state
  // Set while DestroyWindow runs for it; no message is sent after
  // WM_NCDESTROY.
  bool destroying = false;
};

// What CreateTableWindow needs; the rest of Window starts empty.
struct WindowShape {
  std::string className;
  std::string text;
  WNDPROC proc = nullptr;
  DLGPROC dialogProc = nullptr;
  HWND parent = nullptr;  // parent for WS_CHILD, owner otherwise
  int id = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};
  HINSTANCE instance = nullptr;
  LPVOID createParam = nullptr;  // CREATESTRUCTA::lpCreateParams
};

// The window, or null when the handle names none (or one being destroyed
// past WM_NCDESTROY).
Window* Find(HWND window);

// Makes a window with an arbitrary proc. With sendCreate, sends WM_NCCREATE
// and WM_CREATE as CreateWindowExA does (a FALSE answer to WM_NCCREATE or -1
// to WM_CREATE destroys the window again and gives null); without it the
// caller sends what its kind of window expects (WM_INITDIALOG ...).
HWND CreateTableWindow(const WindowShape& shape, bool sendCreate);

// The procedure registered for a class name (case-insensitive): the
// application's classes and the built-in "STATIC", "BUTTON", "EDIT" and
// "LISTBOX". Null when none.
WNDPROC ClassProc(const std::string& className);

// Top-level windows (no parent) in creation order.
std::vector<HWND> TopLevelWindows();
// Direct children in creation order.
std::vector<HWND> Children(HWND window);
// The child with this control id, or null.
HWND ChildById(HWND parent, int id);

// The built-in list box's procedure: LB_ADDSTRING, LB_INSERTSTRING,
// LB_DELETESTRING, LB_RESETCONTENT, LB_SETCURSEL, LB_GETCURSEL, LB_GETTEXT,
// LB_GETTEXTLEN, LB_GETCOUNT over Window::listItems (LBS_SORT keeps them
// sorted case-insensitively), everything else to DefWindowProcA.
LRESULT CALLBACK ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Drops every window, class and queued message.
void Reset();

}  // namespace host::windows

namespace host {

// Destroys every window and forgets the window classes (a part of ResetHost).
void ResetWindows();

}  // namespace host
