// The window of the system's printer installation that the module takes as
// its parent: the Add Printer wizard, as it waits while the printer maker's
// setup program runs. It sits in the middle of the screen with its picture,
// its text and its buttons greyed. The setup frame opens over it; when the
// wizard is activated again while the frame is shown (a dialog it owns has
// gone), it hides instead of coming to the front and covering the frame.
#pragma once

#include <windows.h>

#include <string>

HWND CreatePrinterWizardWindow(HINSTANCE instance, const std::string& printer);
