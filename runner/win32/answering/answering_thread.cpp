#include "answering_thread.h"

#include <cstdlib>
#include <set>
#include <string>

#include "page_window.h"
#include "phases.h"
#include "runner/expected_answers.h"
#include "runner/front_end.h"
#include "screenshots.h"
#include "shown_windows.h"

namespace {

// How long a run may take in all, unless SETUPHOST_TIMEOUT says otherwise.
constexpr DWORD kDefaultTimeoutSeconds = 120;
constexpr DWORD kPollMilliseconds = 20;
constexpr UINT kSendTimeoutMilliseconds = 10000;

AnsweringSettings settings;
DWORD timeoutSeconds = kDefaultTimeoutSeconds;
// Set while the answering thread types into a page's edit field.
volatile LONG typing = 0;

struct Shown {
  enum class Kind { None, Page, MessageBox, Dialog } kind = Kind::None;
  HWND window = nullptr;
  int page = 0;
  LONG_PTR wait = 0;
  std::string dialog;
};

struct Search {
  LONG_PTR lastWait;
  const std::set<HWND>* answered;
  Shown found;
};

BOOL CALLBACK FindWaitingPage(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  auto wait = reinterpret_cast<LONG_PTR>(GetPropA(window, kPageWaitProperty));
  if (wait > search->lastWait && IsWindowVisible(window)) {
    search->found.kind = Shown::Kind::Page;
    search->found.window = window;
    search->found.page =
        static_cast<int>(reinterpret_cast<LONG_PTR>(GetPropA(window, kPageNumberProperty)));
    search->found.wait = wait;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindWaitingWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (!IsWindowVisible(window)) return TRUE;
  FindWaitingPage(window, data);
  if (search->found.kind != Shown::Kind::None) return FALSE;
  EnumChildWindows(window, FindWaitingPage, data);
  if (search->found.kind != Shown::Kind::None) return FALSE;
  if (search->answered->count(window) != 0) return TRUE;
  if (IsMessageBox(window)) {
    search->found.kind = Shown::Kind::MessageBox;
    search->found.window = window;
    return FALSE;
  }
  if (IsModuleDialog(window) && WaitsForUser(DialogName(window))) {
    search->found.kind = Shown::Kind::Dialog;
    search->found.window = window;
    search->found.dialog = DialogName(window);
    return FALSE;
  }
  return TRUE;
}

void Press(HWND dialog, int button) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void SendOrStop(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMilliseconds,
                           &result)) {
    StopRun("setuphost: the module does not answer its windows");
  }
}

void AnswerPage(const Shown& shown) {
  // The help page is part of "reactivate": it is read and closed.
  if (shown.page == kHelpPage) {
    Press(shown.window, kHelpOkButton);
    return;
  }
  const Answer& answer = NextPageAnswer(*settings.answers, shown.page);
  if (answer.has_text) {
    HWND edit = GetDlgItem(shown.window, kPageEditField);
    if (edit == nullptr) StopForMissingEditField(answer);
    InterlockedExchange(&typing, 1);
    SendOrStop(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.text.c_str()));
    InterlockedExchange(&typing, 0);
  }
  // REACTIVATE is the Help button: the help is shown, the page comes back.
  int button = PageButtonOfOutcome(answer.outcome);
  if (GetDlgItem(shown.window, button) == nullptr) {
    StopRun("setuphost: page " + std::to_string(shown.page) + " has no button for '" +
            answer.source + "'");
  }
  Press(shown.window, button);
}

void AnswerMessageBox(const Shown& shown) {
  NextMessageBoxAnswer(*settings.answers, WindowText(MessageBoxText(shown.window)),
                       WindowText(shown.window));
  Press(shown.window, IDOK);
}

void AnswerDialog(const Shown& shown) {
  const Answer& answer = NextDialogAnswer(*settings.answers, shown.dialog);
  if (answer.select != Answer::kNoSelection) {
    HWND list = FindWindowExA(shown.window, nullptr, "ListBox", nullptr);
    if (list == nullptr) StopRun("setuphost: dialog " + shown.dialog + " has no list to select in");
    SendOrStop(list, LB_SETCURSEL, static_cast<WPARAM>(answer.select), 0);
  }
  if (GetDlgItem(shown.window, answer.button) == nullptr) {
    StopRun("setuphost: dialog " + shown.dialog + " has no button " +
            std::to_string(answer.button));
  }
  Press(shown.window, answer.button);
}

DWORD WINAPI AnswerThread(LPVOID) {
  DWORD start = GetTickCount();
  LONG_PTR lastWait = 0;
  std::set<HWND> answered;
  for (;;) {
    Sleep(kPollMilliseconds);
    if (!settings.interactive && GetTickCount() - start > timeoutSeconds * 1000) {
      StopRun("setuphost: the run took longer than " + std::to_string(timeoutSeconds) +
              " seconds; it stands still");
    }
    Search search{lastWait, &answered, Shown{}};
    EnumThreadWindows(settings.mainThread, FindWaitingWindow, reinterpret_cast<LPARAM>(&search));
    const Shown& shown = search.found;
    switch (shown.kind) {
      case Shown::Kind::Page:
        lastWait = shown.wait;
        MarkPhase("page " + std::to_string(shown.page) + " shown");
        Screenshot(shown.window, "page-" + std::to_string(shown.page));
        if (!settings.interactive) AnswerPage(shown);
        MarkPhase("page " + std::to_string(shown.page) + " answered");
        break;
      case Shown::Kind::MessageBox:
        answered.insert(shown.window);
        MarkPhase("message box shown");
        Screenshot(shown.window, "msgbox");
        if (!settings.interactive) AnswerMessageBox(shown);
        MarkPhase("message box answered");
        break;
      case Shown::Kind::Dialog:
        answered.insert(shown.window);
        MarkPhase("dialog " + shown.dialog + " shown");
        Screenshot(shown.window, "dialog-" + shown.dialog);
        if (!settings.interactive) AnswerDialog(shown);
        MarkPhase("dialog " + shown.dialog + " answered");
        break;
      case Shown::Kind::None:
        break;
    }
  }
}

}  // namespace

void StartAnsweringThread(const AnsweringSettings& given) {
  settings = given;
  if (const char* timeout = std::getenv("SETUPHOST_TIMEOUT")) {
    int seconds = std::atoi(timeout);
    if (seconds > 0) timeoutSeconds = static_cast<DWORD>(seconds);
  }
  HANDLE answering = CreateThread(nullptr, 0, AnswerThread, nullptr, 0, nullptr);
  if (answering == nullptr) StopRun("setuphost: cannot start the answering thread");
}

bool AnsweringThreadTypes() { return InterlockedCompareExchange(&typing, 0, 0) != 0; }
