// The toolkit session: the setup frame, and the one fatal-error path of the
// whole module. Every toolkit operation that reports failure ends the run
// through SetupErrorExit; callers never see a failure result.
#pragma once

#include "winapi.h"

// Fatal codes: an operation failed; a quit message arrived.
constexpr int SetupErrorFail = 1024;
constexpr int SetupErrorQuit = 1025;

// The current directory when the session started, ANSI, ending in a
// backslash: 255 characters fit.
constexpr int kSourceDirectorySize = 256;

// The frame value from InitializeFrame; greater than zero while open.
extern int SessionFrame;
extern char SourceDirectory[kSourceDirectorySize];
extern BOOL ErrorInProgress;
// The registry library loaded at run time, released when the session ends.
extern HMODULE RegistryLibrary;

// Opens the frame. The frame value on success; 0 when already open or on
// failure; -1 when the frame asks to abandon quietly.
int StartSetupSession(LPSTR commandLine);
void EndSetupSession();
// Shows the setup-failed page (once), ends the session and the process with
// status 0. The code is accepted for the caller's record only.
[[noreturn]] void SetupErrorExit(int code);
// Handles every message waiting in the thread's queue; a quit message ends
// the run through SetupErrorExit.
void PumpPendingMessages();
