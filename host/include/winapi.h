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
// The declarations are split as the Windows SDK splits them, one header per
// DLL (winapi/kernel32.h, user32.h, advapi32.h, version.h, lz32.h, gdi32.h)
// over the types and error codes they share (winapi/types.h). The behaviour
// of each function, and where the host departs from Windows, is documented
// beside its declaration. The conformance program
// (tests/conformance, README) makes the same calls natively and under Wine
// and compares the answers; tests/conformance/departures.txt lists where
// they may differ, and why.
#pragma once

#include "winapi/advapi32.h"
#include "winapi/gdi32.h"
#include "winapi/kernel32.h"
#include "winapi/lz32.h"
#include "winapi/types.h"
#include "winapi/user32.h"
#include "winapi/version.h"
