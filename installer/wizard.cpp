#include "installer/wizard.h"

#include "installer/control_file.h"
#include "installer/dialogs.h"
#include "installer/install_files.h"
#include "installer/installer_state.h"
#include "toolkit/checked_ops.h"
#include "toolkit/dialog_driver.h"
#include "toolkit/session.h"
#include "toolkit/symbols.h"

namespace {

enum class WizardState { Welcome, DestinationReset, Destination, CheckDir, ReadControl, Copy };

WizardState OnWelcome() {
  if (ShowPage(kWelcomePage) == DialogContinue) {
    PopDialogs(1);
    return WizardState::DestinationReset;
  }
  ConfirmQuit();
  return WizardState::Welcome;
}

WizardState OnDestinationReset() {
  WriteSymbol("EditTextIn", DestinationDir);
  WriteSymbol("EditFocus", "END");
  return WizardState::Destination;
}

WizardState OnDestination() {
  int result = ShowPage(kDestinationPage);
  ReadSymbol("EditTextOut", DestinationDir, kDestinationDirSize);
  switch (result) {
    case DialogContinue:
      return WizardState::CheckDir;
    case DialogReactivate:
      return WizardState::Destination;
    case DialogBack:
      PopDialogs(1);
      return WizardState::Welcome;
    default:
      ConfirmQuit();
      return WizardState::DestinationReset;
  }
}

WizardState OnCheckDir() {
  if (!IsDirWritable(DestinationDir)) {
    ShowUnwritableDirNotice();
    return WizardState::Destination;
  }
  PopDialogs(1);
  return WizardState::ReadControl;
}

WizardState OnReadControl(HWND parentWindow) {
  UpdateWindow(parentWindow);
  if (ReadControlFile(ModuleInstance, parentWindow, PrinterName) == 0) {
    return WizardState::Welcome;
  }
  return WizardState::Copy;
}

// The progress window stays up while the files are copied; no message loop
// runs meanwhile, so it is ended by sending it the quit message directly.
int OnCopy(HWND parentWindow) {
  CopyDialog =
      CreateDialogParamA(ModuleInstance, kProgressDialog, parentWindow, ProgressDialogProc, 0);
  int ok = InstallFiles(ModuleInstance);
  SendMessageA(CopyDialog, WM_QUIT, 0, 0);
  UpdateWindow(FrameWindow);
  return ok;
}

}  // namespace

int RunWizard(HWND parentWindow) {
  WizardState state = WizardState::Welcome;
  for (;;) {
    switch (state) {
      case WizardState::Welcome:
        state = OnWelcome();
        break;
      case WizardState::DestinationReset:
        state = OnDestinationReset();
        break;
      case WizardState::Destination:
        state = OnDestination();
        break;
      case WizardState::CheckDir:
        state = OnCheckDir();
        break;
      case WizardState::ReadControl:
        state = OnReadControl(parentWindow);
        break;
      case WizardState::Copy:
        return OnCopy(parentWindow);
    }
  }
}

void ConfirmQuit() {
  for (;;) {
    switch (ShowPage(kQuitPage)) {
      case DialogContinue:
        PopDialogs(1);
        return;
      case DialogExit:
        EndSetupSession();
        ExitProcess(0);
      default:
        break;
    }
  }
}

void ShowUnwritableDirNotice() {
  while (ShowPage(kUnwritableDirPage) == DialogReactivate) {
  }
  PopDialogs(1);
}
