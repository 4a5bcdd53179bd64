// setuphost.exe: stands in for the system's printer installation on Windows
// (under Wine). It loads KYRSETUP.DLL from the machine's module path, calls
// kyrInstall with the printer's name, and acts as the person at the screen:
//
// - The main thread is the installation's own thread: it calls kyrInstall,
//   and hooks on it (WH_CALLWNDPROC, WH_CALLWNDPROCRET) write into the
//   transcript what the user sees as it happens: the caption of the parent
//   window, each module dialog shown, each list entry added and text written
//   into a module dialog, each message box.
// - A second thread answers: it waits for a page, a message box or a module
//   dialog to wait for the user, takes the next answer, checks that it names
//   what is shown, types the text, selects the list entry and presses the
//   button. What does not fit, or a run that stands still, stops the process
//   at once with status 2. With --interactive it answers nothing: the person
//   at the display clicks, and the run may take as long as they like. With
//   SETUPHOST_SCREENSHOTS (a folder) it first asks for a picture of each
//   waiting window (screenshots.h).
// - With --record FILE, what the main thread is told (a page ending, a
//   button clicked in a dialog, a message box going) is written down as an
//   answers file (observed_answers.h), whoever answered.
// - What the module tells the system and no window shows (a font loaded, a
//   broadcast, a restart request, the end of a dialog, the end of the
//   process) is recorded where the module calls it: the runner replaces
//   those entries of the module's import table, as the system it stands in
//   for would see the calls.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "import_table.h"
#include "observed_answers.h"
#include "page_window.h"
#include "phases.h"
#include "printer_wizard.h"
#include "runner/answer_recorder.h"
#include "runner/answers.h"
#include "runner/expected_answers.h"
#include "runner/front_end.h"
#include "runner/options.h"
#include "runner/printer_text.h"
#include "runner/run_session.h"
#include "screenshots.h"
#include "shown_lines.h"
#include "shown_windows.h"
#include "transcript.h"
#include "win95_profile.h"

namespace {

// How long a run may take in all, unless SETUPHOST_TIMEOUT says otherwise.
constexpr DWORD kDefaultTimeoutSeconds = 120;
constexpr DWORD kPollMilliseconds = 20;
constexpr UINT kSendTimeoutMilliseconds = 10000;

struct State {
  HWND parent = nullptr;
  DWORD mainThread = 0;
  AnswerQueue* answers = nullptr;
  DWORD timeoutSeconds = kDefaultTimeoutSeconds;
  // The person clicks; the runner answers nothing and waits as long as it
  // takes.
  bool interactive = false;
  // Set while the answering thread types into a page's edit field.
  volatile LONG typing = 0;
};

State& Run() {
  static State state;
  return state;
}

// --- What the main thread shows, recorded as it happens -------------------

void BeforeMessage(HWND window, UINT message, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      std::string value = text != nullptr ? text : "";
      if (window == Run().parent) {
        TranscriptLine(CaptionLine(value));
      } else if (IsModuleDialog(GetParent(window))) {
        TranscriptLine(ControlTextLine(GetDlgCtrlID(window), value));
      }
      break;
    }
    case LB_ADDSTRING:
      if (IsModuleDialog(GetParent(window))) {
        const char* text = reinterpret_cast<const char*>(lParam);
        TranscriptLine(ListBoxAddLine(GetDlgCtrlID(window), text != nullptr ? text : ""));
      }
      break;
    case WM_INITDIALOG:
      if (IsModuleDialog(window)) TranscriptLine(DialogShowLine(DialogName(window)));
      break;
    default:
      break;
  }
}

LRESULT CALLBACK CallWindowHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    BeforeMessage(call->hwnd, call->message, call->lParam);
    ObserveSentMessage(call->hwnd, call->message, call->wParam, call->lParam,
                       InterlockedCompareExchange(&Run().typing, 0, 0) != 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A message box is complete once its dialog procedure has initialised it.
LRESULT CALLBACK CallWindowReturnHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (call->message == WM_INITDIALOG && IsMessageBox(call->hwnd)) {
      std::string text = WindowText(MessageBoxText(call->hwnd));
      TranscriptLine(MessageBoxLine(text, WindowText(call->hwnd), MessageBoxStyle(call->hwnd)));
    }
    if (call->message == WM_INITDIALOG) ObserveDialogInitialised(call->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The messages the main thread takes from its queue: the ends of pages and
// the runner's own clicks.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    ObserveTakenMessage(*reinterpret_cast<const MSG*>(lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// --- The module's calls to the system, recorded ----------------------------

decltype(&ExitProcess) realExitProcess = ExitProcess;
decltype(&AddFontResourceA) realAddFontResource = AddFontResourceA;
decltype(&SendMessageTimeoutA) realSendMessageTimeout = SendMessageTimeoutA;
decltype(&EndDialog) realEndDialog = EndDialog;

void WINAPI RecordExitProcess(UINT status) {
  MarkPhase("module ends the process");
  TranscriptLine(ExitLine(status));
  std::fflush(nullptr);
  realExitProcess(status);
}

int WINAPI RecordAddFontResource(LPCSTR fileName) {
  TranscriptLine(FontLoadLine(fileName != nullptr ? fileName : ""));
  return realAddFontResource(fileName);
}

LRESULT WINAPI RecordSendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT flags, UINT timeout, PDWORD_PTR result) {
  if (window == HWND_BROADCAST) TranscriptLine(BroadcastLine(message));
  return realSendMessageTimeout(window, message, wParam, lParam, flags, timeout, result);
}

// The runner stands in for the system: the restart is recorded, and the
// session the run lives in goes on.
BOOL WINAPI RecordExitWindows(UINT flags, DWORD reason) {
  (void)flags;
  (void)reason;
  TranscriptLine(kRestartLine);
  return TRUE;
}

BOOL WINAPI RecordEndDialog(HWND dialog, INT_PTR result) {
  if (IsModuleDialog(dialog)) {
    TranscriptLine(DialogEndLine(DialogName(dialog), result));
  }
  return realEndDialog(dialog, result);
}

// The system's name of a language, as Windows gives it ("English (United
// States)"); Wine's own VerLanguageNameA gives the language alone
// ("English"). At most size - 1 characters and the zero; the result is the
// whole name's length.
DWORD WINAPI WindowsLanguageName(DWORD language, LPSTR buffer, DWORD size) {
  char name[256];
  int length = GetLocaleInfoA(MAKELCID(language & 0xffff, SORT_DEFAULT), LOCALE_SLANGUAGE, name,
                              sizeof name);
  if (length <= 1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  DWORD whole = static_cast<DWORD>(length - 1);
  if (buffer != nullptr && size > 0) {
    DWORD count = whole < size - 1 ? whole : size - 1;
    std::memcpy(buffer, name, count);
    buffer[count] = '\0';
  }
  return whole;
}

// --- The person at the screen ----------------------------------------------

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
  const Answer& answer = NextPageAnswer(*Run().answers, shown.page);
  if (answer.has_text) {
    HWND edit = GetDlgItem(shown.window, kPageEditField);
    if (edit == nullptr) StopForMissingEditField(answer);
    InterlockedExchange(&Run().typing, 1);
    SendOrStop(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.text.c_str()));
    InterlockedExchange(&Run().typing, 0);
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
  NextMessageBoxAnswer(*Run().answers, WindowText(MessageBoxText(shown.window)),
                       WindowText(shown.window));
  Press(shown.window, IDOK);
}

void AnswerDialog(const Shown& shown) {
  const Answer& answer = NextDialogAnswer(*Run().answers, shown.dialog);
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
    if (!Run().interactive && GetTickCount() - start > Run().timeoutSeconds * 1000) {
      StopRun("setuphost: the run took longer than " + std::to_string(Run().timeoutSeconds) +
              " seconds; it stands still");
    }
    Search search{lastWait, &answered, Shown{}};
    EnumThreadWindows(Run().mainThread, FindWaitingWindow, reinterpret_cast<LPARAM>(&search));
    const Shown& shown = search.found;
    switch (shown.kind) {
      case Shown::Kind::Page:
        lastWait = shown.wait;
        MarkPhase("page " + std::to_string(shown.page) + " shown");
        Screenshot(shown.window, "page-" + std::to_string(shown.page));
        if (!Run().interactive) AnswerPage(shown);
        MarkPhase("page " + std::to_string(shown.page) + " answered");
        break;
      case Shown::Kind::MessageBox:
        answered.insert(shown.window);
        MarkPhase("message box shown");
        Screenshot(shown.window, "msgbox");
        if (!Run().interactive) AnswerMessageBox(shown);
        MarkPhase("message box answered");
        break;
      case Shown::Kind::Dialog:
        answered.insert(shown.window);
        MarkPhase("dialog " + shown.dialog + " shown");
        Screenshot(shown.window, "dialog-" + shown.dialog);
        if (!Run().interactive) AnswerDialog(shown);
        MarkPhase("dialog " + shown.dialog + " answered");
        break;
      case Shown::Kind::None:
        break;
    }
  }
}

// --- The printer installation ----------------------------------------------

std::string MachineValue(const std::string& ini, const char* key, const char* fallback) {
  char value[MAX_PATH];
  GetPrivateProfileStringA("machine", key, fallback, value, sizeof value, ini.c_str());
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  MarkPhase("runner started");
  RunnerInput input = ReadInputOrStop(argc, argv);
  const RunnerOptions& options = input.options;
  AnswerQueue answers(std::move(input.answers));
  State& run = Run();
  run.answers = &answers;
  run.mainThread = GetCurrentThreadId();
  run.interactive = options.interactive;
  AnswerRecorder recorder;
  OpenRecordOrStop(&recorder, options, "setuphost.exe");
  if (recorder.Active()) RecordAnswersTo(&recorder);
  if (const char* shots = std::getenv("SETUPHOST_SCREENSHOTS")) {
    if (*shots != '\0') TakeScreenshotsInto(shots, options.transcript);
  }
  if (const char* timeout = std::getenv("SETUPHOST_TIMEOUT")) {
    int seconds = std::atoi(timeout);
    if (seconds > 0) run.timeoutSeconds = static_cast<DWORD>(seconds);
  }

  std::string ini = options.machine + "\\machine.ini";
  if (GetFileAttributesA(ini.c_str()) == INVALID_FILE_ATTRIBUTES) {
    StopRun("setuphost: the machine has no machine.ini: " + ini);
  }
  StartTranscript(options.transcript);
  UseMachineIni(ini);

  std::string modulePath =
      options.module.empty() ? MachineValue(ini, "module", kDefaultModulePath) : options.module;
  std::string cwd = MachineValue(ini, "cwd", "");

  HINSTANCE self = GetModuleHandleA(nullptr);
  run.parent = CreatePrinterWizardWindow(self, options.printer);
  if (run.parent == nullptr) StopRun("setuphost: cannot create the parent window");
  SetWindowsHookExA(WH_CALLWNDPROC, CallWindowHook, nullptr, run.mainThread);
  SetWindowsHookExA(WH_CALLWNDPROCRET, CallWindowReturnHook, nullptr, run.mainThread);
  SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, run.mainThread);

  // The toolkit DLLs lie beside this program; the module's own directory is
  // searched first, as the system loads a driver's setup module.
  HMODULE module = LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) {
    StopRun("setuphost: cannot load " + modulePath + " (error " + std::to_string(GetLastError()) +
            ")");
  }
  MarkPhase("module loaded");
  SetSetupModule(module);
  ReplaceImports(
      module,
      {
          {"kernel32.dll", "ExitProcess", reinterpret_cast<void*>(RecordExitProcess)},
          {"gdi32.dll", "AddFontResourceA", reinterpret_cast<void*>(RecordAddFontResource)},
          {"user32.dll", "SendMessageTimeoutA", reinterpret_cast<void*>(RecordSendMessageTimeout)},
          {"user32.dll", "ExitWindowsEx", reinterpret_cast<void*>(RecordExitWindows)},
          {"user32.dll", "EndDialog", reinterpret_cast<void*>(RecordEndDialog)},
          {"version.dll", "VerLanguageNameA", reinterpret_cast<void*>(WindowsLanguageName)},
          {"kernel32.dll", "VerLanguageNameA", reinterpret_cast<void*>(WindowsLanguageName)},
          {"kernel32.dll", "WriteProfileStringA", reinterpret_cast<void*>(Win95WriteProfileString)},
      });
  using InstallEntry = int(WINAPI*)(HWND, HINSTANCE, LPSTR, int);
  auto install =
      reinterpret_cast<InstallEntry>(reinterpret_cast<void*>(GetProcAddress(module, "kyrInstall")));
  if (install == nullptr) StopRun("setuphost: the module has no kyrInstall");

  if (!cwd.empty() && !SetCurrentDirectoryA(cwd.c_str())) {
    StopRun("setuphost: the machine's current directory " + cwd + " does not exist");
  }
  HANDLE answering = CreateThread(nullptr, 0, AnswerThread, nullptr, 0, nullptr);
  if (answering == nullptr) StopRun("setuphost: cannot start the answering thread");

  PrinterText printer(options.printer);
  int result = install(run.parent, self, printer.text, SW_SHOWNORMAL);
  MarkPhase("kyrInstall returned");
  RecordInstallResult(printer, result);
  std::fflush(nullptr);
  // The answering thread ends with the process.
  ExitProcess(static_cast<UINT>(result));
}
