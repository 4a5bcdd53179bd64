#include "installer/error_box.h"

#include "winapi.h"

void ShowInstallerError(const char* text) { MessageBoxA(NULL, text, "ERROR", MB_OK); }
