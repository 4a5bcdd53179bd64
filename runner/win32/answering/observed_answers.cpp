#include "observed_answers.h"

#include <map>
#include <string>

#include "page_window.h"
#include "shown_windows.h"

namespace {

const AnswerRecorder* recorder = nullptr;
// A page's edit text as the toolkit left it, or as the page last ended with:
// the text a replay finds there without typing.
std::map<HWND, std::string> untypedText;
// A module dialog's list selection after its initialisation.
std::map<HWND, int> ownSelection;

int PageNumber(HWND window) {
  return static_cast<int>(reinterpret_cast<LONG_PTR>(GetPropA(window, kPageNumberProperty)));
}

HWND ListBoxOf(HWND dialog) { return FindWindowExA(dialog, nullptr, "ListBox", nullptr); }

void PageEnded(HWND page, int button) {
  int number = PageNumber(page);
  std::string outcome = PageOutcomeOfButton(button);
  if (number == 0 || number == kHelpPage || outcome.empty()) return;
  HWND edit = GetDlgItem(page, kPageEditField);
  std::string text;
  bool typed = false;
  if (edit != nullptr) {
    text = WindowText(edit);
    typed = text != untypedText[page];
    untypedText[page] = text;
  }
  recorder->Line(PageAnswerLine(number, typed ? &text : nullptr, outcome));
}

void DialogButtonClicked(HWND dialog, WPARAM wParam) {
  if (HIWORD(wParam) != BN_CLICKED || !IsModuleDialog(dialog)) return;
  std::string name = DialogName(dialog);
  int id = LOWORD(wParam);
  HWND control = GetDlgItem(dialog, id);
  if (!WaitsForUser(name) || control == nullptr || ClassName(control) != "Button") return;
  int select = -1;
  if (HWND list = ListBoxOf(dialog)) {
    int now = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    auto own = ownSelection.find(dialog);
    if (now >= 0 && (own == ownSelection.end() || own->second != now)) select = now;
  }
  recorder->Line(DialogAnswerLine(name, select, id));
}

}  // namespace

void RecordAnswersTo(const AnswerRecorder* answers) { recorder = answers; }

void ObserveSentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        bool fromOtherThread) {
  if (recorder == nullptr) return;
  switch (message) {
    case WM_SETTEXT: {
      // The toolkit fills the field; the runner's typing comes from its
      // answering thread and is the user's.
      HWND page = GetParent(window);
      if (!fromOtherThread && GetDlgCtrlID(window) == kPageEditField && PageNumber(page) != 0) {
        const char* text = reinterpret_cast<const char*>(lParam);
        untypedText[page] = text != nullptr ? text : "";
      }
      break;
    }
    case WM_COMMAND:
      DialogButtonClicked(window, wParam);
      break;
    case WM_DESTROY:
      if (IsMessageBox(window)) recorder->Line(kMessageBoxAnswerLine);
      untypedText.erase(window);
      ownSelection.erase(window);
      break;
    default:
      break;
  }
}

void ObserveTakenMessage(const MSG& message) {
  if (recorder == nullptr) return;
  if (message.message == PageEndMessage()) {
    PageEnded(message.hwnd, static_cast<int>(message.wParam));
  } else if (message.message == WM_COMMAND) {
    DialogButtonClicked(message.hwnd, message.wParam);
  }
}

void ObserveDialogInitialised(HWND dialog) {
  if (recorder == nullptr || !IsModuleDialog(dialog)) return;
  HWND list = ListBoxOf(dialog);
  ownSelection[dialog] =
      list != nullptr ? static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)) : -1;
}
