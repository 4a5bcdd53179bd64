// setuphost.exe --screenshots DIR: a picture of the screen just before each
// waiting window is answered. The runner cannot take it itself under Wine in
// a way that shows what the display shows, so it asks the script that runs
// it (scripts/setuphost-wine), which watches DIR:
//
//   the runner writes DIR\NN-KIND.request holding the number of transcript
//   lines written so far, and waits until the file is gone; the script then
//   has saved DIR\NN-KIND.png (KIND: page-100, dialog-INSTALL_DLG, msgbox).
#pragma once

#include <windows.h>

#include <string>

// No folder: no screenshots.
void TakeScreenshotsInto(const std::string& folder, const std::string& transcript);
// Asks for the picture of the screen with `window` waiting and waits for it
// (at most a few seconds). kind names the window.
void Screenshot(HWND window, const std::string& kind);
