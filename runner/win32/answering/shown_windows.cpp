// What the runner knows the windows of a run by: the module's dialogs, the
// system's message boxes and the texts they show.
#include "shown_windows.h"

#include <vector>

#include "transcript.h"

std::string WindowText(HWND window) {
  char text[1024];
  int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}

std::string ClassName(HWND window) {
  char name[64];
  int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, static_cast<size_t>(length > 0 ? length : 0));
}

bool IsDialogWindow(HWND window) { return ClassName(window) == "#32770"; }

namespace {
HMODULE setupModule = nullptr;
// A message box's text control: 0xFFFF on Windows, 100 on Wine.
constexpr int kMessageBoxTextIds[] = {0xFFFF, 100};
}  // namespace

void SetSetupModule(HMODULE module) { setupModule = module; }

bool IsModuleDialog(HWND window) {
  if (window == nullptr || setupModule == nullptr || !IsDialogWindow(window)) return false;
  return reinterpret_cast<HMODULE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) == setupModule;
}

// The text control of a message box, if window is one: a top-level dialog
// of the system's own (user32's instance, or none on Wine) with the text
// control that message boxes have.
HWND MessageBoxText(HWND window) {
  static HMODULE system = GetModuleHandleA("user32.dll");
  auto instance = reinterpret_cast<HMODULE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  if (!IsDialogWindow(window) || (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0 ||
      (instance != system && instance != nullptr)) {
    return nullptr;
  }
  for (int id : kMessageBoxTextIds) {
    HWND text = GetDlgItem(window, id);
    if (text != nullptr && ClassName(text) == "Static") return text;
  }
  return nullptr;
}

bool IsMessageBox(HWND window) { return MessageBoxText(window) != nullptr; }

// The module's dialogs by their template, known from the caption.
std::string DialogName(HWND dialog) {
  std::string caption = WindowText(dialog);
  if (caption == "Printers") return "INSTALL_DLG";
  if (caption == "Copying") return "COPY_DLG";
  if (caption == "Finish Setup ") return "1";
  return TranscriptQuote(caption);
}

// The modal dialogs of the module, which wait for the user.
bool WaitsForUser(const std::string& name) { return name == "INSTALL_DLG" || name == "1"; }

// The style of a message box as the box shows it: its buttons, its icon and
// its default button.
UINT MessageBoxStyle(HWND box) {
  auto has = [box](int id) {
    HWND button = GetDlgItem(box, id);
    return button != nullptr && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE) != 0;
  };
  struct Buttons {
    std::vector<int> ids;
    UINT style;
  };
  const Buttons sets[] = {
      {{IDABORT, IDRETRY, IDIGNORE}, MB_ABORTRETRYIGNORE},
      {{IDYES, IDNO, IDCANCEL}, MB_YESNOCANCEL},
      {{IDYES, IDNO}, MB_YESNO},
      {{IDRETRY, IDCANCEL}, MB_RETRYCANCEL},
      {{IDOK, IDCANCEL}, MB_OKCANCEL},
      {{IDOK}, MB_OK},
  };
  UINT style = MB_OK;
  std::vector<int> shown = {IDOK};
  for (const Buttons& set : sets) {
    bool all = true;
    for (int id : set.ids) all = all && has(id);
    if (all) {
      style = set.style;
      shown = set.ids;
      break;
    }
  }
  for (size_t i = 0; i < shown.size(); ++i) {
    HWND button = GetDlgItem(box, shown[i]);
    if ((GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) {
      style |= static_cast<UINT>(i) * MB_DEFBUTTON2;
      break;
    }
  }
  struct Icon {
    LPCSTR id;
    UINT style;
  };
  const Icon icons[] = {{IDI_HAND, MB_ICONHAND},
                        {IDI_QUESTION, MB_ICONQUESTION},
                        {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                        {IDI_ASTERISK, MB_ICONASTERISK}};
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    LONG childStyle = GetWindowLongA(child, GWL_STYLE);
    if (ClassName(child) != "Static" || (childStyle & SS_TYPEMASK) != SS_ICON ||
        (childStyle & WS_VISIBLE) == 0) {
      continue;
    }
    HICON shownIcon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    for (const Icon& icon : icons) {
      if (shownIcon != nullptr && shownIcon == LoadIconA(nullptr, icon.id)) style |= icon.style;
    }
  }
  return style;
}
