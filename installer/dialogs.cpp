#include "installer/dialogs.h"

#include "installer/control_file.h"
#include "installer/installer_state.h"
#include "toolkit/checked_ops.h"
#include "toolkit/toolkit_api.h"

namespace {

// How far from the exact centre CenterDialog places a window, in pixels.
constexpr int kCentreOffset = 10;

// Steps over one zero-terminated list entry.
const char* NextEntry(const char* entry) {
  while (*entry != 0) ++entry;
  return entry + 1;
}

// Fills the list box with the system's name of every language entry, in
// list order, so that a list position is an index of LanguageList. An entry
// whose identifier field is missing (or does not fit its buffer) shows the
// default language rather than whatever the previous entry left.
void FillLanguageList(HWND dialog) {
  if (LanguageList == nullptr) return;
  for (const char* entry = LanguageList; *entry != 0; entry = NextEntry(entry)) {
    char text[kLanguageIdSize];
    int language = kDefaultLanguageId;
    if (GetListFieldBounded(text, sizeof text, entry, 2)) ParseLanguageId(text, &language);
    text[0] = 0;
    VerLanguageNameA(static_cast<DWORD>(language), text, kLanguageNameChars + 1);
    text[kLanguageNameChars] = 0;
    SendDlgItemMessageA(dialog, kLanguageListBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
}

// The group, its window and the control program's item, then the end of the
// toolkit frame: the same for both finish buttons.
void CreateProgramGroup() {
  CreateProgManGroupChecked(kProgManGroup, "", kProgManGroupOptions);
  ShowProgManGroupChecked(kProgManGroup, kProgManShowNumber, kProgManGroupOptions);
  CreateProgManItemChecked(kProgManGroup, ProgManItemName(SelectedModel), ControlProgramPath, "",
                           kProgManItemOptions);
  TerminateFrame();
}

}  // namespace

void CenterDialog(HWND window, BOOL nearCentre) {
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT rect{};
  GetWindowRect(window, &rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  int offset = nearCentre ? -kCentreOffset : kCentreOffset;
  MoveWindow(window, (screenWidth - width) / 2 + offset, (screenHeight - height) / 2 + offset,
             width, height, TRUE);
}

const char* ProgManItemName(int model) {
  switch (model) {
    case 0:
      return "Kyroth";
    case 2:
      return "M5 Kyroth";
    default:
      return "Kyroth 3";
  }
}

INT_PTR CALLBACK LanguageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CenterDialog(dialog, TRUE);
      FillLanguageList(dialog);
      SendDlgItemMessageA(dialog, kLanguageListBox, LB_SETCURSEL,
                          static_cast<WPARAM>(SelectedLanguage), 0);
      // The list is the one control that takes input before a button, so it
      // starts with the focus.
      SetFocus(GetDlgItem(dialog, kLanguageListBox));
      return FALSE;
    case WM_COMMAND:
      if (wParam == kInstallButton) {
        SelectedLanguage =
            static_cast<int>(SendDlgItemMessageA(dialog, kLanguageListBox, LB_GETCURSEL, 0, 0));
        EndDialog(dialog, kLanguageInstall);
      } else if (wParam == kCancelButton) {
        EndDialog(dialog, kLanguageCancel);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_QUIT:
      // Sent by the wizard once the files are copied.
      EndDialog(dialog, 1);
      return TRUE;
    case WM_INITDIALOG:
      CenterDialog(dialog, TRUE);
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK FinishDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CenterDialog(dialog, TRUE);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kRestartButton:
          EndDialog(dialog, 1);
          CreateProgramGroup();
          ExitWindowsEx(EWX_REBOOT, 0);
          break;
        case kReturnButton:
          EndDialog(dialog, 1);
          CreateProgramGroup();
          break;
        default:
          break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}
