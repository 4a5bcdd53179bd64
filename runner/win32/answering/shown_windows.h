// What the runner knows the windows of a run by: the module's dialogs, the
// system's message boxes and the texts they show.
#pragma once

#include <windows.h>

#include <string>

std::string WindowText(HWND window);
std::string ClassName(HWND window);
bool IsDialogWindow(HWND window);

// The module loaded for the run; its dialogs are the ones from its resources.
void SetSetupModule(HMODULE module);
// A dialog from the module's own resources.
bool IsModuleDialog(HWND window);

// The text control of a message box, if window is one; null otherwise.
HWND MessageBoxText(HWND window);
bool IsMessageBox(HWND window);

// The module's dialogs by their template ("INSTALL_DLG", "COPY_DLG", "1"),
// known from the caption.
std::string DialogName(HWND dialog);
// The modal dialogs of the module, which wait for the user.
bool WaitsForUser(const std::string& name);

// The style of a message box as the box shows it: its buttons, its icon and
// its default button.
UINT MessageBoxStyle(HWND box);
