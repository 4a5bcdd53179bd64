#include "toolkit/dialog_driver.h"

#include <cstring>

#include "toolkit/session.h"
#include "toolkit/symbols.h"
#include "toolkit/toolkit_api.h"

namespace {

constexpr int kEventSize = 256;

struct EventResult {
  const char* text;
  int result;
};

// In the order the outcome is compared.
constexpr EventResult kEvents[] = {
    {"EXIT", DialogExit},
    {"REACTIVATE", DialogReactivate},
    {"CONTINUE", DialogContinue},
    {"BACK", DialogBack},
};

}  // namespace

int ShowCustomDialog(const char* library, UINT number, const char* procedure, UINT helpNumber,
                     const char* helpProcedure) {
  if (!FDoDialogExt(HwndFrame(), library, number, procedure, library, helpNumber, helpProcedure)) {
    SetupErrorExit(SetupErrorFail);
  }
  PumpPendingMessages();

  char event[kEventSize];
  ReadSymbol("DLGEVENT", event, kEventSize - 1);
  for (const EventResult& candidate : kEvents) {
    if (std::strcmp(event, candidate.text) == 0) return candidate.result;
  }
  return DialogContinue;
}

int ShowPage(const CustomPage& page) {
  return ShowCustomDialog(page.library, page.number, page.procedure, page.helpNumber,
                          page.helpProcedure);
}

void PopDialogs(int count) {
  if (!FKillNDialogs(count)) SetupErrorExit(SetupErrorFail);
  PumpPendingMessages();
}

void PopAllDialogs() { PopDialogs(-1); }
