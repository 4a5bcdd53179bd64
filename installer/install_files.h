// The installation proper: files, system.ini, win.ini, the font.
#pragma once

#include "winapi.h"

// 1 when the installation ran to its end; 0 when it stopped (a message box
// has said why).
int InstallFiles(HINSTANCE instance);
