// What the installation's thread shows, written into the transcript as it
// happens: hooks on the thread's messages (WH_CALLWNDPROC, WH_CALLWNDPROCRET)
// see the caption of the parent window, each module dialog shown, each list
// entry added and text written into a module dialog, and each message box.
// The same hooks, and one on the messages the thread takes from its queue
// (WH_GETMESSAGE), hand what they see to the record of the answers given
// (observed_answers.h).
#pragma once

#include <windows.h>

// Hooks the calling thread; parent is the window the module takes as its
// parent, whose caption the transcript follows.
void InstallTranscriptHooks(HWND parent);
