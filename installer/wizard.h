// The installation wizard's page flow.
#pragma once

#include "winapi.h"

// Walks the pages from the welcome page to the end of the installation and
// returns the installation's result (nonzero: installed). Leaving by the quit
// page, or any toolkit failure, ends the process instead.
int RunWizard(HWND parentWindow);

// The quit page: Continue goes back to where the user was; Exit ends the
// session and the process.
void ConfirmQuit();
// Tells the user that the destination cannot be written.
void ShowUnwritableDirNotice();
