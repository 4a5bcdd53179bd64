// setuphost.exe's second thread, the person at the screen: it waits for a
// page, a message box or a module dialog of the installation's thread to
// wait for the user, takes the next answer, checks that it names what is
// shown (expected_answers.h), types the text, selects the list entry and
// presses the button. What does not fit, or a run that stands still, stops
// the run at once. With --interactive it answers nothing: the person at the
// display clicks, and the run may take as long as they like. With
// SETUPHOST_SCREENSHOTS (a folder) it first asks for a picture of each
// waiting window (screenshots.h).
#pragma once

#include <windows.h>

#include "runner/answers.h"

struct AnsweringSettings {
  DWORD mainThread = 0;  // the installation's thread, whose windows it answers
  AnswerQueue* answers = nullptr;
  bool interactive = false;
};

// Starts the thread, which runs until the process ends; stops the run when
// it cannot. The run may take SETUPHOST_TIMEOUT seconds in all (120 without
// it), unless it is interactive.
void StartAnsweringThread(const AnsweringSettings& settings);

// True while the answering thread types into a page's edit field: the text
// the field is sent then is the user's, not the toolkit's.
bool AnsweringThreadTypes();
