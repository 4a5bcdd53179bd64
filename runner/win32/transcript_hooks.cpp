#include "transcript_hooks.h"

#include <string>

#include "answering/answering_thread.h"
#include "answering/observed_answers.h"
#include "shown_lines.h"
#include "answering/shown_windows.h"
#include "transcript.h"

namespace {

HWND parentWindow = nullptr;

void BeforeMessage(HWND window, UINT message, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      std::string value = text != nullptr ? text : "";
      if (window == parentWindow) {
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
                       AnsweringThreadTypes());
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

}  // namespace

void InstallTranscriptHooks(HWND parent) {
  parentWindow = parent;
  DWORD thread = GetCurrentThreadId();
  SetWindowsHookExA(WH_CALLWNDPROC, CallWindowHook, nullptr, thread);
  SetWindowsHookExA(WH_CALLWNDPROCRET, CallWindowReturnHook, nullptr, thread);
  SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, thread);
}
