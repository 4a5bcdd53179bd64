// The setup toolkit libraries' functions that the module calls, with the
// library that exports each. All take and return ANSI texts and use the
// system's standard calling convention.
#pragma once

#include "winapi.h"

extern "C" {

// msshlstf.dll: the setup frame.
// -1: abandon quietly; 0: failure; a positive value: the frame is open.
int WINAPI InitializeFrame(LPSTR commandLine);
HWND WINAPI HwndFrame(void);
HINSTANCE WINAPI HinstFrame(void);
BOOL WINAPI FSetBitmap(LPCSTR library, UINT resourceNumber);
void WINAPI TerminateFrame(void);

// msuilstf.dll: the custom-dialog pages and their stack.
// Shows page dialogNumber of library (or brings it back when it is still on
// the stack) and leaves its outcome in the symbol "DLGEVENT".
BOOL WINAPI FDoDialogExt(HWND frameWindow, LPCSTR library, UINT dialogNumber,
                         LPCSTR dialogProcedure, LPCSTR helpLibrary, UINT helpNumber,
                         LPCSTR helpProcedure);
// Removes the top count pages; -1 removes all.
BOOL WINAPI FKillNDialogs(int count);

// mscomstf.dll: symbols and messages.
// Copies the symbol's text (at most size - 1 characters, terminated) and
// returns its whole length; a result not below size means it did not fit.
int WINAPI CbGetSymbolValue(LPCSTR name, LPSTR buffer, int size);
BOOL WINAPI FSetSymbolValue(LPCSTR name, LPCSTR text);
int WINAPI DoMsgBox(LPCSTR text, LPCSTR caption, UINT style);

// msinsstf.dll: installation, directories, Program Manager.
BOOL WINAPI FInitializeInstall(HINSTANCE instance, HWND frameWindow);
BOOL WINAPI FCreateDir(LPCSTR path, int options);
BOOL WINAPI FCreateProgManGroup(LPCSTR group, LPCSTR text, int options);
BOOL WINAPI FShowProgManGroup(LPCSTR group, LPCSTR number, int options);
BOOL WINAPI FCreateProgManItem(LPCSTR group, LPCSTR item, LPCSTR command, int options);
void WINAPI TerminateInstall(void);

// msdetstf.dll: detection.
BOOL WINAPI FIsDirWritable(LPCSTR path);

}  // extern "C"
