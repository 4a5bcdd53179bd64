// The Win32 subset that the setup module and the stand-in toolkit call, as
// provided on Linux by the host layer. On Windows the same code includes the
// real <windows.h> (platform/win32/winapi.h); this header must keep the names,
// types, constants and behaviour of the real declarations.
//
// Handles: HWND, HINSTANCE, HGLOBAL and HKEY values handed out by the host
// layer are small integers cast to pointers, so that they fit 32 bits as they
// do on Windows (code that keeps a handle in a DWORD, as the language list
// block does, works unchanged). HFILE is an int, and a HFILE converts to a
// HANDLE by a cast, as on Windows.
//
// Every file operation (files by handle, attributes, folder creation) goes
// through the host's system call table (host/syscalls.h), and the registry
// through its Registry faults, so that a test can make the Nth call fail.
//
// The behaviour of each function, and where the host departs from Windows, is
// documented beside its declaration. The conformance program
// (tests/conformance, README) makes the same calls natively and under Wine
// and compares the answers; tests/conformance/departures.txt lists where
// they may differ, and why.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY
#define FAR
#define NEAR
#define PASCAL

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef int64_t LONGLONG;
typedef uint32_t ULONG;
typedef int INT;
typedef unsigned int UINT;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef char CHAR;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef LONG* PLONG;
typedef void* HANDLE;
typedef int HFILE;
typedef LONG LSTATUS;
typedef DWORD REGSAM;
typedef int INT;
typedef WORD ATOM;

struct HWND__;
struct HINSTANCE__;
struct HKEY__;
struct HICON__;
struct HCURSOR__;
struct HBRUSH__;
struct HMENU__;
typedef HWND__* HWND;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef HKEY__* HKEY;
typedef HKEY* PHKEY;
typedef HICON__* HICON;
typedef HCURSOR__* HCURSOR;
typedef HBRUSH__* HBRUSH;
typedef HMENU__* HMENU;
typedef HANDLE HGLOBAL;

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(p) ((((ULONG_PTR)(p)) >> 16) == 0)

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(WINAPI* FARPROC)();

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};
typedef FILETIME* PFILETIME;
struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
};
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

struct POINT {
  LONG x;
  LONG y;
};
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
typedef RECT* LPRECT;
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

typedef uint64_t ULONGLONG;
typedef UINT* PUINT;
union ULARGE_INTEGER {
  struct {
    DWORD LowPart;
    DWORD HighPart;
  } u;
  ULONGLONG QuadPart;
};
typedef ULARGE_INTEGER* PULARGE_INTEGER;
typedef FILETIME* LPFILETIME;
struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};
typedef SYSTEMTIME* LPSYSTEMTIME;
enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard, GetFileExMaxInfoLevel };
struct WIN32_FILE_ATTRIBUTE_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
};
struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
};
typedef WIN32_FIND_DATAA* LPWIN32_FIND_DATAA;
// The fixed part of a version resource, as VerQueryValueA("\\") gives it.
struct VS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};

// ---------------------------------------------------------------------------
// Messages and constants
// ---------------------------------------------------------------------------
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

#define SEM_FAILCRITICALERRORS 0x0001

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)

#define OF_READ 0x0000
#define OF_WRITE 0x0001
#define OF_READWRITE 0x0002
#define OF_SHARE_COMPAT 0x0000
#define OF_SHARE_EXCLUSIVE 0x0010
#define OF_SHARE_DENY_WRITE 0x0020
#define OF_SHARE_DENY_READ 0x0030
#define OF_SHARE_DENY_NONE 0x0040
#define HFILE_ERROR ((HFILE)-1)
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080

#define EWX_REBOOT 0x00000002

// LZCopy's errors (lzexpand.h).
#define LZERROR_BADINHANDLE (-1)
#define LZERROR_BADOUTHANDLE (-2)
#define LZERROR_READ (-3)
#define LZERROR_WRITE (-4)
#define LZERROR_GLOBALLOC (-5)
#define LZERROR_GLOBLOCK (-6)
#define LZERROR_BADVALUE (-7)
#define LZERROR_UNKNOWNALG (-8)

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_TOO_MANY_OPEN_FILES 4L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_NOT_READY 21L
#define ERROR_WRITE_FAULT 29L
#define ERROR_READ_FAULT 30L
#define ERROR_SEEK 25L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_HANDLE_EOF 38L
#define ERROR_FILE_EXISTS 80L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_NEGATIVE_SEEK 131L
#define ERROR_BAD_PATHNAME 161L
#define ERROR_DISCARDED 157L
#define ERROR_NOT_LOCKED 158L
#define NO_ERROR 0L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_INVALID_NAME 123L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_PROC_NOT_FOUND 127L
#define ERROR_FILENAME_EXCED_RANGE 206L
#define ERROR_DIRECTORY 267L
#define ERROR_DLL_INIT_FAILED 1114L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_TLW_WITH_WSCHILD 1406L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_NOACCESS 998L
#define ERROR_BADKEY 1010L
#define ERROR_CANTREAD 1012L
#define ERROR_KEY_DELETED 1018L
#define ERROR_CHILD_MUST_BE_VOLATILE 1021L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_DISK_FULL 112L
#define ERROR_MORE_DATA 234L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_BAD_FORMAT 11L
#define ERROR_INVALID_DATA 13L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_INVALID_DRIVE 15L
#define ERROR_ENVVAR_NOT_FOUND 203L
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L

#define DRIVE_UNKNOWN 0
#define DRIVE_NO_ROOT_DIR 1
#define DRIVE_REMOVABLE 2
#define DRIVE_FIXED 3
#define DRIVE_REMOTE 4
#define DRIVE_CDROM 5
#define DRIVE_RAMDISK 6

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define VS_FFI_SIGNATURE 0xFEEF04BDL
#define ERROR_DIR_NOT_EMPTY 145L

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000)
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002)
#define HKEY_USERS ((HKEY)(ULONG_PTR)0x80000003)
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)0x80000005)
#define HKEY_DYN_DATA ((HKEY)(ULONG_PTR)0x80000006)
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7
#define REG_OPTION_NON_VOLATILE 0x00000000
#define REG_OPTION_VOLATILE 0x00000001
#define REG_CREATED_NEW_KEY 0x00000001
#define REG_OPENED_EXISTING_KEY 0x00000002

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_MINIMIZE 0x20000000L
#define WS_DISABLED 0x08000000L
#define CW_USEDEFAULT ((int)0x80000000)

extern "C" {

// ---------------------------------------------------------------------------
// Modules
// ---------------------------------------------------------------------------

// Loads a module. Windows searches the loaded modules by base name and then
// the search path; the host finds a module registered with
// host::RegisterModule or host::RegisterLinkedModule (host/loader.h): a name
// without a path by its base name (".DLL" added when it has no extension; a
// loaded module wins), a path by its full Windows path, case-insensitively.
// "ADVAPI32.DLL" is always there: its exports are the host's twelve registry
// functions. The first load dlopens the native library and calls its
// DllMain(instance, DLL_PROCESS_ATTACH, NULL); later loads count references.
// NULL with ERROR_MOD_NOT_FOUND for an unknown or unloadable module (an
// empty name too; ERROR_INVALID_PARAMETER for NULL), and with
// ERROR_DLL_INIT_FAILED when DllMain answers FALSE (DllMain then gets
// DLL_PROCESS_DETACH and the library is unloaded, as on Windows).
HMODULE WINAPI LoadLibraryA(LPCSTR fileName);
// Drops one reference; the last calls DllMain(DLL_PROCESS_DETACH, NULL) and
// unloads the library. A linked module stays. FALSE with
// ERROR_INVALID_HANDLE for a handle that names no loaded module.
BOOL WINAPI FreeLibrary(HMODULE module);
// An export by name: for a loaded library, a symbol of that library itself
// (not of a library it depends on, which dlsym would also search); for a
// linked module, any symbol of the process. Ordinals are not kept: NULL with
// ERROR_PROC_NOT_FOUND, as for a missing name; so for an export hidden by
// host::HideExport or machine.ini [faults] missing_exports. An export
// replaced by host::ReplaceExport answers the replacement.
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName);
// The module's Windows path, as registered. As on Windows XP and later
// (and Wine), a path that does not fit fills the buffer's size bytes without
// a terminator, the result is size and the error ERROR_INSUFFICIENT_BUFFER;
// size 0 gives 0 and writes nothing. (Windows 95 cuts to size - 1
// characters, terminates and answers size - 1, as Wine's kernel32 tests
// record; the module takes a result of size or more for a path too long and
// never reads such a buffer.) NULL (the process's image) is not known to the host: 0
// with ERROR_MOD_NOT_FOUND.
DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);

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
// Process, error mode, directories
// ---------------------------------------------------------------------------
// Writes the transcript line `exit STATUS`, writes the registry's changes
// back to the machine (host::SaveRegistry), calls every loaded library's
// DllMain with DLL_PROCESS_DETACH (reserved non-NULL, as at process end),
// flushes stdio and ends the process with _exit(STATUS) (the status seen by
// the parent is its low 8 bits, as POSIX gives).
[[noreturn]] void WINAPI ExitProcess(UINT exitCode);
// Keeps the mode and returns the previous one; the host has no critical-error
// dialogs for it to suppress.
UINT WINAPI SetErrorMode(UINT mode);
DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD error);
// The system's version word from machine.ini [machine] version (decimal or
// 0x hex). Its low byte is the major version, the next byte the minor one;
// on Windows 95-family systems the two top bits are set and the rest of the
// high word is reserved (zero here). Default 0xC0000004, what Windows 95
// answers (4.0); Windows 98 answers 0xC0000A04 (4.10).
DWORD WINAPI GetVersion(void);
// Current directory as a Windows path (machine.ini [machine] cwd at start).
// Result: the length without the zero; when the buffer is too small, the size
// needed including the zero, and nothing is written.
DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer);
// Makes an existing directory current; it is kept as a full path with the
// case given, the drive letter's too ("c:\\x" is reported as written; a
// relative path keeps the current drive's spelling). FALSE with
// ERROR_INVALID_NAME for an empty path or one with a character no name may
// hold, ERROR_FILE_NOT_FOUND (missing, folder exists),
// ERROR_PATH_NOT_FOUND (folder or drive missing), ERROR_DIRECTORY (a file)
// or ERROR_FILENAME_EXCED_RANGE (more than MAX_PATH - 2 characters). The
// host keeps one current directory, not one per drive.
BOOL WINAPI SetCurrentDirectoryA(LPCSTR path);
// machine.ini [machine] windows (default C:\WINDOWS) and system (default
// C:\WINDOWS\SYSTEM), with GetCurrentDirectoryA's contract for the size.
// Emulation for tests only: [machine] windows_text and system_text, when
// present, are reported verbatim instead (not made full paths, so they may
// lack a drive letter, as "\WINDOWS" or "WINDOWS"; empty gives the failure
// result 0). The host itself keeps using windows and system for win.ini and
// the rest. Windows always reports a full path with a drive.
UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size);
UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size);
// Names: every call below that takes a file or folder name refuses one with
// a wildcard (* ?), one of < > | " or a control character, or a colon past
// the drive's, with ERROR_INVALID_NAME, as Windows does (a double-byte
// character's trail byte is never taken for one). A folder of the path that
// cannot be listed fails the call with the system's error as Windows reports
// it (ERROR_ACCESS_DENIED, ERROR_READ_FAULT for an I/O error ...), not as a
// missing name.
//
// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_ARCHIVE for a file,
// with FILE_ATTRIBUTE_READONLY when its owner may not write it (by the mode
// bits) and FILE_ATTRIBUTE_HIDDEN when _lcreat made it hidden (kept in an
// extended attribute of the file; where the file system has none, a hidden
// file reads as a plain one). INVALID_FILE_ATTRIBUTES with
// ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND, the latter also for a file's
// name followed by a backslash ("f.txt\\"), or the error of an attribute
// that cannot be read.
DWORD WINAPI GetFileAttributesA(LPCSTR path);
// Creates one folder; its parent must exist (ERROR_PATH_NOT_FOUND), and an
// existing one gives ERROR_ALREADY_EXISTS. The security argument is
// ignored.
BOOL WINAPI CreateDirectoryA(LPCSTR path, void* security);
// Removes an empty folder. FALSE with ERROR_INVALID_NAME for an empty path,
// ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND when it is missing, ERROR_DIR_NOT_EMPTY when it holds
// anything, ERROR_DIRECTORY for a file, ERROR_SHARING_VIOLATION for the
// current directory (the process holds it open), ERROR_ACCESS_DENIED
// otherwise (a drive root).
BOOL WINAPI RemoveDirectoryA(LPCSTR path);
// Removes a file; its bytes are free again on a limited disk. FALSE with
// ERROR_INVALID_NAME for a name ending in a backslash, ERROR_FILE_NOT_FOUND
// or ERROR_PATH_NOT_FOUND when it is missing,
// ERROR_ACCESS_DENIED for a folder, a read-only file, or a path whose opening
// the faults refuse (fail_open), ERROR_SHARING_VIOLATION for a file a handle
// of _lopen or _lcreat holds open (whatever its sharing flags: none of them
// lets a file be deleted). Removals are not counted as opens.
BOOL WINAPI DeleteFileA(LPCSTR path);

// ---------------------------------------------------------------------------
// Files by handle
// ---------------------------------------------------------------------------
// Files by handle. Handles are multiples of 4 from 0x10 and never reused;
// (HANDLE)(INT_PTR)hfile is the same file for SetEndOfFile, as on Windows.
// Every call goes through the system call table and its faults
// (host/syscalls.h).
//
// _lopen: opens an existing file with OF_READ, OF_WRITE or OF_READWRITE;
// access mode 3 opens it for neither (every read and write of the handle is
// refused), as Windows does. The sharing flags hold while the handle is
// open, as on Windows NT and Wine: OF_SHARE_EXCLUSIVE denies other opens
// reading and writing, OF_SHARE_DENY_WRITE writing, OF_SHARE_DENY_READ
// reading, OF_SHARE_DENY_NONE and OF_SHARE_COMPAT nothing; an open that
// wants what an open handle denies, or denies what one has, fails with
// ERROR_SHARING_VIOLATION. HFILE_ERROR with ERROR_INVALID_NAME (a name
// ending in a backslash, see Names), ERROR_FILE_NOT_FOUND /
// ERROR_PATH_NOT_FOUND, or ERROR_ACCESS_DENIED for a folder, a read-only
// file opened for writing, or an open made to fail.
HFILE WINAPI _lopen(LPCSTR path, int mode);
// Creates or truncates a file, open for reading and writing and sharing
// both; attribute 1 makes a new file read-only (its handle still writes), 2
// hidden. An existing read-only file cannot be truncated
// (ERROR_ACCESS_DENIED), nor one a handle keeps from writing
// (ERROR_SHARING_VIOLATION); a name ending in a backslash is
// ERROR_INVALID_NAME. A file that cannot be made hidden is not created
// (ERROR_DISK_FULL, ERROR_WRITE_FAULT ...): an existing one keeps its bytes.
HFILE WINAPI _lcreat(LPCSTR path, int attributes);
// Reads up to count bytes from the position; fewer at the end, 0 there.
// (UINT)HFILE_ERROR for a bad handle, a handle opened for writing only, or a
// read made to fail (ERROR_READ_FAULT).
UINT WINAPI _lread(HFILE file, LPVOID buffer, UINT count);
// Writes count bytes at the position. count 0 ends the file at the position
// (longer or shorter), as _lwrite always has. A write that would grow a file
// past the drive's free space writes nothing and fails with ERROR_DISK_FULL,
// as WriteFile does on a full disk; (UINT)HFILE_ERROR for every failure.
UINT WINAPI _lwrite(HFILE file, LPCSTR buffer, UINT count);
// Moves the position (FILE_BEGIN, FILE_CURRENT, FILE_END) and returns it;
// past the end is allowed, before the start fails with ERROR_NEGATIVE_SEEK.
LONG WINAPI _llseek(HFILE file, LONG offset, int origin);
// 0, or HFILE_ERROR with ERROR_INVALID_HANDLE; a close made to fail leaves
// the handle open.
HFILE WINAPI _lclose(HFILE file);
// Ends the file at its position; growing it takes disk space, shrinking it
// gives space back.
BOOL WINAPI SetEndOfFile(HANDLE file);
// Copies source to destination from the source's start to the
// destination's current position. A source in the SZDD format of COMPRESS.EXE
// (magic "SZDD" 88 F0 27 33, method 'A') is expanded; any other is copied
// unchanged. Result: the number of bytes written, or an LZERROR_* value
// (a read failure LZERROR_READ, a write failure or full disk
// LZERROR_WRITE, a bad handle LZERROR_BADINHANDLE/LZERROR_BADOUTHANDLE, an
// SZDD file of another method LZERROR_UNKNOWNALG). Reads and writes go
// through _lread and _lwrite, so the host's faults apply. Both handles stay
// open (Wine closes the source after expanding it; the host does not, and
// the module closes both itself).
LONG WINAPI LZCopy(HFILE source, HFILE destination);

// ---------------------------------------------------------------------------
// Memory
// ---------------------------------------------------------------------------
// Global memory. A GMEM_FIXED block's handle is its address, as on Windows
// (GlobalLock gives the handle back); the host maps fixed blocks below 2^32
// so that the handle fits a DWORD, as on 32-bit Windows, and a fixed block
// of 0 bytes has an address too. A moveable block's handle is a small number
// below 2^32, never reused. Memory without GMEM_ZEROINIT holds 0xCD bytes.
// A moveable block of 0 bytes has a handle but nothing to lock (GlobalLock
// gives NULL with ERROR_DISCARDED, as for a discarded block).
HGLOBAL WINAPI GlobalAlloc(UINT flags, size_t bytes);
// The block's memory; a moveable block counts its locks.
LPVOID WINAPI GlobalLock(HGLOBAL memory);
// TRUE while a moveable block stays locked; FALSE with NO_ERROR when the
// last lock goes, FALSE with ERROR_NOT_LOCKED when it was not locked.
BOOL WINAPI GlobalUnlock(HGLOBAL memory);
// NULL when freed (locked or not, as on Windows NT); the handle itself with
// ERROR_INVALID_HANDLE when it names no block.
HGLOBAL WINAPI GlobalFree(HGLOBAL memory);

// ---------------------------------------------------------------------------
// Characters in the machine's code pages
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
BOOL WINAPI IsDBCSLeadByte(BYTE byte);
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
UINT WINAPI GetACP(void);
UINT WINAPI GetOEMCP(void);

// ---------------------------------------------------------------------------
// Profiles, fonts, system
// ---------------------------------------------------------------------------
// Writes key=value into section of win.ini in the Windows directory,
// straight to the file (Windows caches and flushes later): sections and keys
// match case-insensitively (the first section of a name), a key is replaced
// where it stands (keeping the file's spelling of the key), a new key goes
// after the section's last non-blank line, a missing section is appended at
// the end; new lines end in CR LF and all other lines stay byte for byte. A
// NULL value removes the key, a NULL key the section. The key is taken
// without the blanks around it (" load" is "load"), as Windows takes it. The
// file is created when missing, except by a removal, which leaves a missing
// file missing. Written through _lopen/_lwrite, so the host's faults apply;
// a write that fails leaves the file as it was (FALSE).
BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);
// Writes the transcript line `font load "NAME"` (the attempt, as the runner
// records it under Wine) and answers 1 (one font added) when the file is
// there (a name without a folder in the current directory); its content is
// not read, so any file counts as a font. 0 with ERROR_FILE_NOT_FOUND for a
// missing file, ERROR_INVALID_PARAMETER for an empty name.
int WINAPI AddFontResourceA(LPCSTR fileName);
// Windows starts the restart and returns TRUE; the process ends when the
// system closes it. The host writes the transcript line `restart`, answers
// TRUE and ends nothing.
BOOL WINAPI ExitWindowsEx(UINT flags, DWORD reason);
// The English name of a language id from ICU (uloc_getLocaleForLCID, its
// language and country, then the display name in English: 0x409 is
// "English (United States)", 0x40A "Spanish (Spain)" without its sort
// order; 0 is "Language Neutral", 0x7F "Invariant Language", as Windows
// names them), in the ANSI code page. Copies at most size - 1 characters and
// the zero; the result is the name's length when it fits, else the size it
// needs with its zero (so a buffer of exactly the name's length answers one
// more), as documented. An id ICU does not know gives 0 and writes nothing.
// ICU's names may differ from Windows' own, which changed between versions
// (0x804: ICU "Chinese (China)", Windows XP "Chinese (PRC)").
DWORD WINAPI VerLanguageNameA(DWORD language, LPSTR buffer, DWORD size);

// ---------------------------------------------------------------------------
// Drives
// ---------------------------------------------------------------------------
// The machine's drives are its drive folders (DIR/c, DIR/d ...) and the
// drives machine.ini [drives] names (kinds and sizes; see the README, "The
// machine directory"). A drive named without a folder has no medium in it
// (an empty floppy drive, a CD-ROM drive without a disc): it exists for
// GetLogicalDrives and GetDriveTypeA, and GetDiskFreeSpaceExA fails for it
// with ERROR_NOT_READY.
//
// Bit 0 for A, bit 1 for B ... for every drive.
DWORD WINAPI GetLogicalDrives(void);
// DRIVE_FIXED, DRIVE_REMOVABLE, DRIVE_REMOTE or DRIVE_CDROM for a root
// ("C:\", also "C:" or "c:\"); DRIVE_NO_ROOT_DIR for a drive the machine
// lacks or a text that is not a drive's root (Wine answers for any folder);
// for NULL, the type of the current directory's drive, as on Windows.
UINT WINAPI GetDriveTypeA(LPCSTR rootPath);
// The drive's bytes as [drives] gives them. While machine.ini [faults]
// disk_free (host::SetDiskFree) limits writes, the free bytes are what the
// limit still lets the drive take, so that what a program measures is what
// it can write; the total is at least that. Any of the three outputs may be
// NULL. The directory may be any folder, full or relative to the current
// directory ("\\" is the current drive's root); NULL is the current drive.
// FALSE with ERROR_PATH_NOT_FOUND for a drive the machine lacks or an empty
// or UNC path, ERROR_NOT_READY for a drive without a medium,
// ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND for a missing folder (as for
// a missing file: its parent is there or not), ERROR_DIRECTORY for a path
// that names a file, ERROR_INVALID_NAME for a file's name followed by a
// backslash or a path with a wildcard (Wine's answers, as Windows NT gives
// them).
BOOL WINAPI GetDiskFreeSpaceExA(LPCSTR directory, PULARGE_INTEGER freeToCaller,
                                PULARGE_INTEGER totalBytes, PULARGE_INTEGER totalFreeBytes);

// ---------------------------------------------------------------------------
// Environment
// ---------------------------------------------------------------------------
// The variables are machine.ini [environment] (NAME=VALUE; names without
// regard to case); there are no others, not even PATH unless listed. The
// length without the zero when the value fits in size; else the size needed
// with the zero, and nothing written. 0 with ERROR_ENVVAR_NOT_FOUND for a
// variable the machine lacks.
DWORD WINAPI GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);

// ---------------------------------------------------------------------------
// File information and searches
// ---------------------------------------------------------------------------
// GetFileExInfoStandard only: attributes as GetFileAttributesA gives them,
// the size, and the last write time (also given as the creation and last
// access times, which the machine does not keep). FALSE with the errors of
// GetFileAttributesA.
BOOL WINAPI GetFileAttributesExA(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID information);
// The machine's local time is UTC: the time is copied unchanged. (Windows
// 95 keeps FAT times in local time; the host has no time zone of its own,
// so that answers do not depend on the zone of the computer running it.)
BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime);
// Calendar fields of a file time (Gregorian, day of week from Sunday 0);
// FALSE with ERROR_INVALID_PARAMETER for a time with its top bit set.
BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);
// The entries of one folder whose names match the last component of
// pattern, which may hold * and ?; letter case is ignored, and dots and
// stars left at the pattern's end once a name is used up match nothing
// ("name.*" finds "name" too, "*.*" and "*.*.*" every name: Wine's rule,
// which Windows' documentation leaves open). The folder is a FAT folder of
// Windows 95: every name that is not already 8.3 has a short name
// (NAME~1.EXT, ~2 for the next that would clash, in capitals; see
// short_names.h), given in cAlternateFileName (empty for an 8.3 name), and
// a pattern finds an entry by either name ("*.htm" finds "page.html").
// Each entry's attributes are GetFileAttributesA's (hidden included).
// Entries come in byte order of their names, and "." and ".." come first
// for a folder that is not a drive's root, as Windows lists them.
// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches (a
// pattern ending in a backslash matches nothing), ERROR_PATH_NOT_FOUND
// when the folder is missing, ERROR_INVALID_NAME for a wildcard in the
// folder part, and the system's error when the folder cannot be listed
// whole or an entry's attributes cannot be read (no search is made of part
// of a folder).
HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
// The next entry; FALSE with ERROR_NO_MORE_FILES after the last, or with the
// system's error when its attributes cannot be read (it stays the next).
BOOL WINAPI FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data);
// FALSE with ERROR_INVALID_HANDLE for a handle that names no search.
BOOL WINAPI FindClose(HANDLE search);

// ---------------------------------------------------------------------------
// Private profiles (INI files)
// ---------------------------------------------------------------------------
// An INI file named without a folder is the Windows directory's, as on
// Windows; files are read through _lopen and _lread, so the host's faults
// apply, and are read as the win.ini editor writes them (sections and keys
// without regard to case, the first section of a name, ';' comment lines).
// A missing file reads as an empty one. A line ends at an LF, a CR or a CR
// LF pair (files written with CR alone read as those with CR LF do). A
// key's value is looked up with the section and key asked for trimmed of
// blanks; a section's keys and lines are listed for the section's name as
// given (Wine's rules).
//
// The value of key in section with blanks around it removed and one pair of
// enclosing quotes (" or ') stripped, or defaultValue (trailing blanks
// removed) when there is none. NULL section: the names of all sections;
// NULL key: the keys of the section (the default, as for a missing key,
// when it has none or is missing); each followed by a zero, and one more
// zero at the end. A value that does not fit is cut to size - 1 characters
// (result size - 1); a list that does not fit is cut and ended with two
// zeros (result size - 2), and so is one that fits exactly (its last zero
// in the buffer's last byte), as Windows counts it.
DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                      DWORD size, LPCSTR fileName);
// The lines of section that are not comments or blank, blanks around them
// removed, each followed by a zero, and one more zero at the end; cut as
// GetPrivateProfileStringA cuts lists (result size - 2). A NULL section or
// buffer gives 0 with ERROR_INVALID_PARAMETER and writes nothing (Windows
// NT's and Wine's answer; Windows 95 leaves the last error alone). Otherwise
// the last error is 0 when the file was read, whether it has the section or
// not, and the error of its opening when it could not be
// (ERROR_FILE_NOT_FOUND ...); an empty or missing section gives 0 and two
// zeros (one in a buffer of one byte).
DWORD WINAPI GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR fileName);
// The names of all sections, as GetPrivateProfileStringA with a NULL section.
DWORD WINAPI GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR fileName);

// ---------------------------------------------------------------------------
// Version resources (version.dll)
// ---------------------------------------------------------------------------
// A file's version resource, found in a 32-bit or 64-bit PE image (a DLL or
// program) read through the host's system call table: the image's .rsrc
// section, then the resource
// directory's entry of type 16 (RT_VERSION), its entry of id 1 (a version
// resource of any other id does not count, as on Windows) and its first
// language. The size a caller gives GetFileVersionInfoA: twice the
// resource's and 4, as Windows NT answers, the room VerQueryValueA converts
// texts into; LastError 0. 0 with ERROR_INVALID_PARAMETER for a NULL name,
// ERROR_BAD_PATHNAME for an empty one, ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND for a missing file, the error of a file that cannot
// be opened or read (ERROR_ACCESS_DENIED, ERROR_READ_FAULT ...), and
// ERROR_RESOURCE_DATA_NOT_FOUND for any other file without the resource, a
// file that is not a PE image too, as Windows NT and Wine answer (Windows 95
// answers ERROR_FILE_NOT_FOUND there). *handle (when given) is set to 0.
DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle);
// Copies the version resource's first size bytes (at most its whole size)
// and, when size leaves room for it after the block's own length, the mark
// "FE2X" there, as Windows NT does; LastError 0. FALSE with the errors of
// GetFileVersionInfoSizeA, or ERROR_INVALID_DATA for a NULL data.
BOOL WINAPI GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD size, LPVOID data);
// A value of a 32-bit version block by its path of keys, compared ignoring
// letter case: "\" (also "" and NULL) its VS_FIXEDFILEINFO and its size,
// "\VarFileInfo\Translation" the languages and code pages (4 bytes each),
// "\StringFileInfo\040904B0\NAME" a text; empty keys (doubled or missing
// backslashes) are skipped. Binary values are pointers into the block. A
// text is converted from UTF-16 to the ANSI code page and *length is its
// bytes with its zero; Windows NT writes it after the block and its mark, in
// the room GetFileVersionInfoSizeA asked for, and so does the host when
// GetFileVersionInfoA filled this buffer with that room; for any other
// buffer the host keeps the text in its own memory, for as long as the
// process runs, and writes nothing into the block. The block's own length
// (its first WORD) bounds the walk, as on Windows, so the block must be
// whole. FALSE for a NULL block or buffer, and for a 16-bit block; a path
// that is not found gives FALSE, *length 0 and ERROR_RESOURCE_TYPE_NOT_FOUND.
BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length);

// ---------------------------------------------------------------------------
// Registry (ADVAPI32.DLL)
// ---------------------------------------------------------------------------
// The registry is the machine's registry.reg (REGEDIT4: [KEY] lines with the
// root's full name, "Name"="text", @= for the default value, dword:,
// hex: and hex(N): data, lines continued with a backslash, [-KEY] and
// "Name"=- removals), read at the first call after OpenMachine. A line that
// cannot be read is reported on stderr (file and line) and skipped.
//
// Changes are written back to registry.reg as REGEDIT4 text when the
// process ends (returning from main, exit, or ExitProcess), and only when
// something changed: an untouched registry leaves the file byte for byte as
// it was. The text written has every key (values first, subkeys after, in
// their enumeration order) and CR LF line ends; comments of the old file are
// not kept, key classes and volatile keys are not written, and keys of the
// classes root appear under HKEY_LOCAL_MACHINE\Software\Classes.
//
// Keys and value names are case-insensitive (ANSI code page) and keep the
// case they were first written with; the predefined roots always exist, and
// HKEY_CLASSES_ROOT is the key HKEY_LOCAL_MACHINE\Software\Classes, as on
// Windows 95. Key paths are read as Wine's server reads them: a leading
// backslash is ERROR_BAD_PATHNAME (below the classes root leading
// backslashes are skipped, as Windows NT does), a run of backslashes counts
// as one and trailing ones are dropped; a trail byte with a backslash's code
// is part of its name. Access masks, security attributes and reserved
// arguments are not checked. Key handles are small numbers from 0x100, never
// reused; a handle to a key that was deleted answers ERROR_KEY_DELETED.
//
// Every call of the twelve functions below counts as one Registry call for
// the faults (host/syscalls.h), whatever its arguments, RegCloseKey
// included; a call made to fail does nothing and answers
// ERROR_ACCESS_DENIED (a close made to fail leaves the key open).
//
// Lengths and sizes are in bytes of the ANSI text, as Windows 95 keeps its
// registry; Windows NT reports some of them in UTF-16 (RegQueryInfoKeyA's
// longest value data of a string), which differs for text that is not
// plain single-byte.

// *result is NULL on failure (ERROR_FILE_NOT_FOUND, ERROR_INVALID_HANDLE,
// ERROR_BAD_PATHNAME, ERROR_INVALID_PARAMETER for a NULL result). A NULL or
// empty subKey opens a predefined root as the root itself and any other key
// as a new handle.
LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
// RegOpenKeyExA, except that a NULL or empty subKey gives key itself back,
// whatever it is, and a NULL result is ERROR_INVALID_PARAMETER.
LSTATUS WINAPI RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result);
// Opens subKey below key, making it and every missing key above it (each
// made key volatile with REG_OPTION_VOLATILE; ERROR_CHILD_MUST_BE_VOLATILE
// for a lasting key below a volatile one). The key made last takes the
// class. *disposition: REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY. A
// NULL or empty subKey gives a new handle to key. A NULL result is
// ERROR_BADKEY, as Windows answers; a name of the path longer than 255
// characters is ERROR_INVALID_PARAMETER, and no key of the path is made
// (RegCreateKeyA and RegSetValueA too).
LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className,
                               DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                               PHKEY result, LPDWORD disposition);
// RegCreateKeyExA without a class, lasting; a NULL result is
// ERROR_INVALID_PARAMETER.
LSTATUS WINAPI RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
// *type and *dataSize as Windows sets them; REG_SZ data includes its zero as
// stored. A buffer too small gives ERROR_MORE_DATA with the size needed, and
// nothing is written; data NULL gives the size. A missing value clears
// *type to REG_NONE, as Windows 95 does (Wine's registry tests record it;
// NT leaves any value there). A string value stored
// without its zero gets one after the data when the buffer has room (not
// counted in *dataSize), as Windows NT does. A missing value (or a missing
// default value) is ERROR_FILE_NOT_FOUND; data without dataSize, or a
// reserved pointer, ERROR_INVALID_PARAMETER.
LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD dataSize);
// The default value of subKey below key (of key itself when subKey is NULL
// or empty), as RegQueryValueExA reads it: *size is the size in bytes with
// the terminating zero. A key without a default value reads as an empty
// text ("" and *size 1). *size is taken as a DWORD, as Windows takes it, so
// a negative one is a very large buffer. The host departs from Windows for
// a buffer of no room: an empty text answers ERROR_MORE_DATA with *size 1
// (Wine writes its zero anyway). ERROR_FILE_NOT_FOUND when subKey does not
// exist.
LSTATUS WINAPI RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, PLONG size);
// Stores a value of any type (replacing one of the same name), its bytes as
// given: a string whose size leaves out its zero is stored without one, as
// Windows 95 stores it. (Windows NT, and Wine, add the zero when the byte
// after the block is zero and store the bytes as given when it is not; the
// host never reads past the caller's block.) data NULL with a size is
// ERROR_NOACCESS; a value name longer than 16,383 characters is
// ERROR_INVALID_PARAMETER.
LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type,
                              const BYTE* data, DWORD dataSize);
// Sets the default value of subKey below key (made when missing; key itself
// for a NULL or empty subKey) to the text data, up to and with its zero; the
// size given is not used, as on Windows. Only REG_SZ, and a non-NULL data,
// are accepted (ERROR_INVALID_PARAMETER).
LSTATUS WINAPI RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD size);
// Deletes subKey below key (key itself for an empty subKey) as Wine and
// Windows NT do: only a key without subkeys can go (ERROR_ACCESS_DENIED
// otherwise, as for a root); Windows 95 would delete the whole tree. A NULL
// subKey is ERROR_INVALID_PARAMETER. Handles to the key stay valid handles
// of a deleted key.
LSTATUS WINAPI RegDeleteKeyA(HKEY key, LPCSTR subKey);
// The name of subkey number index, in the order of their upper-case names.
// ERROR_NO_MORE_ITEMS (259) past the last; ERROR_MORE_DATA, writing nothing,
// when the name and its zero do not fit size bytes.
LSTATUS WINAPI RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD size);
// Counts of the key: subkeys, longest subkey name and longest subkey class
// (without zero), values, longest value name, longest value data; the
// security descriptor size is 0 (as Wine answers) and the last write time
// the key's last change in this run (or creation, or the reading of
// registry.reg). The class, as Windows copies it: with className NULL,
// *classSize is its length; with *classSize 0 nothing is written and 0
// stays; a class that does not fit with its zero is cut to *classSize - 1
// bytes and terminated, *classSize becomes that length and the answer is
// ERROR_MORE_DATA (the counts are filled all the same); a class given
// without its size is ERROR_INVALID_PARAMETER.
LSTATUS WINAPI RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD reserved,
                                LPDWORD subkeys, LPDWORD maxSubkeyName, LPDWORD maxClassName,
                                LPDWORD values, LPDWORD maxValueName, LPDWORD maxValueData,
                                LPDWORD securitySize, PFILETIME lastWrite);
// ERROR_SUCCESS (also for a predefined root) or ERROR_INVALID_HANDLE.
LSTATUS WINAPI RegCloseKey(HKEY key);

}  // extern "C"
