// Custom-dialog pages: shown through the toolkit, their outcome read back as
// a small number.
#pragma once

#include "winapi.h"

enum DialogResult {
  DialogContinue = 0,
  DialogExit = 1,
  DialogReactivate = 2,
  DialogBack = 3,
};

// A page of the custom-dialog library with its help.
struct CustomPage {
  const char* library;
  UINT number;
  const char* procedure;
  UINT helpNumber;
  const char* helpProcedure;
};

constexpr CustomPage kWelcomePage = {"mscuistf.dll", 100, "FInfoDlgProc", 900, "FHelpDlgProc"};
constexpr CustomPage kQuitPage = {"mscuistf.dll", 200, "FQuitDlgProc", 900, "FHelpDlgProc"};
constexpr CustomPage kDestinationPage = {"mscuistf.dll", 300, "FEditDlgProc", 900, "FHelpDlgProc"};
constexpr CustomPage kSetupFailedPage = {"mscuistf.dll", 400, "FInfo0DlgProc", 0, nullptr};
constexpr CustomPage kUnwritableDirPage = {"mscuistf.dll", 6400, "FInfo0DlgProc", 0, ""};

// Shows a page (the library serves as its help library too), handles the
// pending messages and turns the outcome left in "DLGEVENT" into a
// DialogResult: "EXIT", "REACTIVATE", "CONTINUE", "BACK" (case-sensitive);
// any other text counts as DialogContinue.
int ShowCustomDialog(const char* library, UINT number, const char* procedure, UINT helpNumber,
                     const char* helpProcedure);
int ShowPage(const CustomPage& page);
// Removes the top count pages from the toolkit's stack.
void PopDialogs(int count);
void PopAllDialogs();
