// The installer's own dialogs, from the module's resources (installer/setup.rc).
#pragma once

#include "winapi.h"

// Template names and numbers of the resource script.
constexpr const char kLanguageDialog[] = "INSTALL_DLG";
constexpr const char kProgressDialog[] = "COPY_DLG";
constexpr int kFinishDialog = 1;
// Controls.
constexpr int kLanguageListBox = 4;
constexpr int kProgressText = 1;
constexpr int kInstallButton = 1;
constexpr int kCancelButton = 2;
constexpr int kRestartButton = 1;
constexpr int kReturnButton = 2;

// The language dialog's results: Install, Cancel.
constexpr INT_PTR kLanguageInstall = 1;
constexpr INT_PTR kLanguageCancel = 2;

// The system's name of a language, as the list box shows it: 50 characters
// fit.
constexpr int kLanguageNameChars = 50;
// The language shown for an entry without a usable identifier (US English).
constexpr int kDefaultLanguageId = 1033;

// The Program Manager group made by the finish dialog.
constexpr const char kProgManGroup[] = "Kyroth";
// Options of the group and item calls.
constexpr int kProgManGroupOptions = 0;
constexpr int kProgManShowNumber = 1;
constexpr int kProgManItemOptions = 1024;

// Places a window relative to the screen centre: (screen - window) / 2 on
// each axis, rounded toward zero, then 10 pixels left of and above that when
// nearCentre is nonzero, right of and below it otherwise. The size stays.
void CenterDialog(HWND window, BOOL nearCentre);

// The Program Manager item name for a model index: 0 "Kyroth", 2 "M5
// Kyroth", every other value "Kyroth 3".
const char* ProgManItemName(int model);

INT_PTR CALLBACK LanguageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FinishDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
