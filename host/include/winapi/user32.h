// USER32.DLL: windows, messages and the thread's queue, dialogs and message
// boxes, characters, system metrics, broadcasts and the restart (the Windows
// SDK's winuser.h).
#pragma once

#include "winapi/types.h"

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
typedef MSG* LPMSG;
struct CREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
};
typedef CREATESTRUCTA* LPCREATESTRUCTA;
struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
};

#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_WININICHANGE 0x001A
#define WM_SETTINGCHANGE WM_WININICHANGE
#define WM_SHOWWINDOW 0x0018
#define WM_FONTCHANGE 0x001D
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_KEYFIRST 0x0100
#define WM_KEYLAST 0x0108
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_USER 0x0400

#define LB_ADDSTRING 0x0180
#define LB_INSERTSTRING 0x0181
#define LB_DELETESTRING 0x0182
#define LB_RESETCONTENT 0x0184
#define LB_SETCURSEL 0x0186
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_ERR (-1)
#define LB_ERRSPACE (-2)
#define LBS_NOTIFY 0x0001L
#define LBS_SORT 0x0002L

#define HWND_BROADCAST ((HWND)(ULONG_PTR)0xffff)
#define SMTO_NORMAL 0x0000
#define SMTO_ABORTIFHUNG 0x0002

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

#define MB_OK 0x00000000L
#define MB_ICONHAND 0x00000010L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define IDOK 1
#define IDCANCEL 2

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXICON 11
#define SM_CYICON 12

#define RDW_INVALIDATE 0x0001
#define RDW_ERASE 0x0004
#define RDW_UPDATENOW 0x0100
#define RDW_ALLCHILDREN 0x0080

#define EWX_REBOOT 0x00000002

#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_MINIMIZE 0x20000000L
#define WS_DISABLED 0x08000000L
#define CW_USEDEFAULT ((int)0x80000000)

extern "C" {

// ---------------------------------------------------------------------------
// Windows, messages and the thread's queue
// ---------------------------------------------------------------------------
// Registers a window class by name (case-insensitive) and returns its atom
// (0xC000 upward); 0 with ERROR_CLASS_ALREADY_EXISTS for a name the same
// instance took. Classes belong to the instance that registers them, so
// another module may register the same name; CreateWindowExA takes the class
// its instance argument registered, else the built-in one of the name, as
// Windows looks, else (where Windows would fail) the first of the name. Built-in classes:
// "STATIC", "BUTTON", "EDIT" (DefWindowProcA) and "LISTBOX" (LB_* messages).
ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass);
// Creates a window of a class (name or atom), sends WM_NCCREATE and
// WM_CREATE with a CREATESTRUCTA as Windows does, and fails (NULL, with
// ERROR_INVALID_WINDOW_HANDLE as Wine sets it) when the first answers FALSE
// or the second -1; such a window is sent WM_NCDESTROY alone, not
// WM_DESTROY, as on Windows. An unknown class is ERROR_CANNOT_FIND_WND_CLASS.
// A WS_CHILD window needs a parent (ERROR_TLW_WITH_WSCHILD without one); its
// menu argument is its control id; other windows are owned by `parent`.
// Child coordinates are relative to the parent. Nothing is drawn.
HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param);
// Destroys the window's owned windows first, then sends WM_DESTROY to it,
// destroys its children and sends WM_NCDESTROY; the window's posted messages
// leave the queue. Handles are never reused.
BOOL WINAPI DestroyWindow(HWND window);
// TRUE for a window that exists (also while it receives WM_DESTROY).
BOOL WINAPI IsWindow(HWND window);
// WM_NCCREATE (TRUE), WM_SETTEXT, WM_GETTEXT (at most wParam - 1
// characters and the zero; the count copied), WM_GETTEXTLENGTH and WM_CLOSE
// (destroys the window) as on Windows; every other message answers 0.
LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sends WM_SETTEXT, as Windows does. The host also writes the transcript
// line `caption "TEXT"` (not for a window that does not exist).
BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text);
// Sends WM_GETTEXT: at most size - 1 characters and the zero; the result is
// the number copied. size <= 0 writes nothing and gives 0.
int WINAPI GetWindowTextA(HWND window, LPSTR text, int size);
// Sets or clears WS_VISIBLE (SW_HIDE hides, any other command shows), sends
// WM_SHOWWINDOW when that changes, and answers whether the window was
// visible before.
BOOL WINAPI ShowWindow(HWND window, int command);
// Nothing is drawn natively: TRUE for an existing window.
BOOL WINAPI UpdateWindow(HWND window);
// Nothing is drawn natively: TRUE for an existing window or NULL (the
// desktop), FALSE with ERROR_INVALID_WINDOW_HANDLE otherwise.
BOOL WINAPI RedrawWindow(HWND window, const RECT* update, void* region, UINT flags);
// Calls the window's procedure and returns its answer (0 with
// ERROR_INVALID_WINDOW_HANDLE for no window). HWND_BROADCAST calls every
// top-level window (no WS_CHILD), owned ones included, and answers 1.
LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// As SendMessageA, with *result set to the answer. Windows gives up a window
// that does not answer within the timeout; the host's windows answer at
// once, so it never does. HWND_BROADCAST writes the transcript line
// `broadcast MSG` (MSG in decimal), calls every top-level window, sets
// *result to 0 and answers TRUE.
LRESULT WINAPI SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT flags, UINT timeout, DWORD_PTR* result);
// Queues a message for the window (NULL: a thread message; HWND_BROADCAST:
// one for each top-level window). The host runs one thread, so there is one
// queue.
BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Raises the quit flag, as Windows does; no message is queued. WM_QUIT
// (hwnd NULL, wParam the last exit code given) is retrieved once no posted
// message matches the filter, whatever the filter.
void WINAPI PostQuitMessage(int exitCode);
// The first queued message that matches: window NULL any, (HWND)-1 thread
// messages only, a window its own and its children's; filterMin/filterMax
// both 0 (or min above max) any number. PM_REMOVE takes it from the queue.
// Then the quit flag (see PostQuitMessage). Never waits.
BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT remove);
// There is no keyboard natively: TRUE for every message of the keyboard
// range (WM_KEYFIRST to WM_KEYLAST: WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR ...),
// as Windows answers whatever it translates, but no WM_CHAR is generated;
// FALSE for anything else.
BOOL WINAPI TranslateMessage(const MSG* msg);
// Calls the procedure of msg->hwnd; a thread message (hwnd NULL) goes
// nowhere and answers 0.
LRESULT WINAPI DispatchMessageA(const MSG* msg);

// ---------------------------------------------------------------------------
// Dialogs from the module's compiled resources, and message boxes
// ---------------------------------------------------------------------------
INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam);
HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam);
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);
HWND WINAPI GetDlgItem(HWND dialog, int id);
BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size);
LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
// Gives window the focus; the window that had it before, or NULL. NULL and
// no change for a handle that is not a window (ERROR_INVALID_WINDOW_HANDLE)
// or a window that is, or lies in, a disabled or minimised window; NULL
// itself takes the focus away. A window whose top-level window is not the
// active one activates it first, as Windows does, and the activation moves
// the focus as the default answers to WM_ACTIVATE move it: to the top-level
// window itself (DefWindowProc), or for a dialog back to the control that
// had it when the dialog lost the activation; the result is the window that
// had the focus after that, so the top-level window itself for a plain one
// (Wine's and Windows' answer). The host sends no focus or activation
// messages, and only SetFocus activates a window.
HWND WINAPI SetFocus(HWND window);
// The window that has the focus (NULL when none); declared here for tests of
// the dialogs, as in the Win32 headers.
HWND WINAPI GetFocus(void);
BOOL WINAPI GetWindowRect(HWND window, LPRECT rect);
BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// SM_CXSCREEN and SM_CYSCREEN from machine.ini [machine] screen (default
// 1024x768); SM_CXICON and SM_CYICON 32, what every display driver of the
// time reports; 0 for any other index, as Windows answers an unknown one (the
// host does not know Windows' other metrics).
int WINAPI GetSystemMetrics(int index);
// Writes the transcript line `msgbox "TEXT" "CAPTION" STYLE` (STYLE in
// decimal; a NULL caption is "Error", as Windows shows it), then asks
// host::User().AnswerMessageBox and returns the button id it gives.
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// ---------------------------------------------------------------------------
// Characters in the machine's ANSI code page
// ---------------------------------------------------------------------------
// Characters of the machine's ANSI code page (machine.ini [machine] acp),
// whose lead bytes come from iconv: a byte that iconv finds incomplete on
// its own is a lead byte (for 932: 81-9F and E0-FC, as on Windows).
//
// CharNextA: the next character; a lead byte before the zero is a character
// of its own; at the zero, the zero.
LPSTR WINAPI CharNextA(LPCSTR current);
// The start of the character before current, found by stepping from start;
// start itself when current is at or before it.
LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR current);
// Converts from the OEM code page (oemcp) to the ANSI one (acp) through
// iconv; source and destination may be the same buffer. A character the ANSI
// code page lacks takes a best fit, as on Windows: Windows' own, from the ANSI
// code page's table in Windows' format (c_1252.nls, as Wine installs them in
// /usr/share/wine/nls), the broken bar for a vertical line, '8' for the
// infinity sign. A machine without those tables takes glibc's
// transliteration instead (box drawing '+', '-', '|'; alpha 'a'), its first
// character where it spells one out, else '?'. The result is never longer
// than the source. FALSE for a NULL argument.
BOOL WINAPI OemToCharA(LPCSTR source, LPSTR destination);
// Upper-cases in place: single-byte characters by Unicode's simple mapping
// (through ICU) where the capital exists in the code page; double-byte
// characters stay. A pointer whose high word is zero is one character, and
// its capital is returned in the low word, as on Windows.
LPSTR WINAPI CharUpperA(LPSTR text);

// ---------------------------------------------------------------------------
// Restarting the system
// ---------------------------------------------------------------------------
// Windows starts the restart and returns TRUE; the process ends when the
// system closes it. The host writes the transcript line `restart`, answers
// TRUE and ends nothing.
BOOL WINAPI ExitWindowsEx(UINT flags, DWORD reason);

}  // extern "C"
