// The installer's own error messages: a message box without owner, caption
// "ERROR", one OK button.
#pragma once

void ShowInstallerError(const char* text);
