// The module's load-time entry and its one export, kyrInstall, which the
// system's printer installation calls once the driver files are in place.
#include <cstring>

#include "installer/dialogs.h"
#include "installer/driver_check.h"
#include "installer/installer_state.h"
#include "installer/wizard.h"
#include "toolkit/checked_ops.h"
#include "toolkit/session.h"
#include "toolkit/toolkit_api.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reason;
  (void)reserved;
  ModuleInstance = instance;
  return TRUE;
}

// Result: 1 when nothing was installed (the driver is already installed, the
// frame did not open, or the printer name is longer than 31 characters); 0
// after the wizard has run. printerName is the caller's writable text; it is
// given back as it came.
extern "C" int WINAPI kyrInstall(HWND parentWindow, HINSTANCE instance, LPSTR printerName,
                                 int showState) {
  (void)instance;
  (void)showState;

  // A name that does not fit PrinterName would match the wrong model, or
  // none; it is refused before anything is shown or changed.
  if (std::strlen(printerName) >= sizeof PrinterName) return 1;
  std::strcpy(PrinterName, printerName);

  if (IsPrinterDriverInstalled(PrinterName)) return 1;

  // The frame starts with an empty command line.
  printerName[0] = '\0';
  if (StartSetupSession(printerName) <= 0) return 1;
  std::strcpy(printerName, PrinterName);

  FrameWindow = HwndFrame();
  SetFrameBitmapChecked(kCustomDialogLibrary, 1);
  SetWindowTextA(parentWindow, kInstallCaption);
  SelectedLanguage = 0;
  SelectedModel = 0;

  if (RunWizard(parentWindow)) {
    DialogBoxParamA(ModuleInstance, MAKEINTRESOURCEA(kFinishDialog), FrameWindow, FinishDialogProc,
                    0);
  } else {
    TerminateFrame();
  }
  return 0;
}
