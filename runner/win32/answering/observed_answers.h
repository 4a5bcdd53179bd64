// setuphost.exe --record FILE: the answers of a run, as the runner sees them
// given on the main thread, whoever gives them (its own answering thread or
// the person at the screen):
//
// - a page ends when its procedure posts the toolkit's end message with the
//   pressed button (page_window.h); the edit field's text is written when it
//   differs from what the toolkit put there or the page last ended with;
// - a module dialog's button is clicked (WM_COMMAND, BN_CLICKED, sent by a
//   button or posted by the runner); a list selection is written when it
//   differs from what the dialog selected itself;
// - a message box is answered when it goes (the module's boxes have OK only).
//
// The hooks of transcript_hooks.cpp hand over what they see.
#pragma once

#include <windows.h>

#include "runner/answer_recorder.h"

void RecordAnswersTo(const AnswerRecorder* recorder);

// A message sent to a window of the main thread; fromOtherThread when the
// runner's answering thread sent it.
void ObserveSentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        bool fromOtherThread);
// A message the main thread takes from its queue.
void ObserveTakenMessage(const MSG& message);
// A module dialog has been initialised: what it shows from now on is its own.
void ObserveDialogInitialised(HWND dialog);
