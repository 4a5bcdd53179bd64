// msuilstf.dll: the custom-dialog pages and their stack. A page stays on the
// stack until FKillNDialogs removes it; asking for it again while it is there
// brings it back as it was, with what the user had entered.
#include <cstring>
#include <string>
#include <vector>

#include "core/call_record.h"
#include "core/calls.h"
#include "core/internal.h"
#include "core/page_ui.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

std::vector<StandinPage>& Stack() {
  static std::vector<StandinPage> stack;
  return stack;
}

std::string ReadSymbolText(const char* name) {
  int length = CbGetSymbolValue(name, nullptr, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  CbGetSymbolValue(name, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

StandinPage* FindPage(UINT number) {
  for (StandinPage& page : Stack()) {
    if (page.number == static_cast<int>(number)) return &page;
  }
  return nullptr;
}

void RemoveTop(size_t count) {
  std::vector<StandinPage>& stack = Stack();
  while (count-- > 0 && !stack.empty()) {
    ClosePageUi(stack.back());
    stack.pop_back();
  }
}

}  // namespace

extern "C" BOOL WINAPI FDoDialogExt(HWND frameWindow, LPCSTR library, UINT dialogNumber,
                                    LPCSTR dialogProcedure, LPCSTR helpLibrary, UINT helpNumber,
                                    LPCSTR helpProcedure) {
  if (ToolkitCallFails("FDoDialogExt",
                       {CallArg(library), CallArg(dialogNumber), CallArg(dialogProcedure),
                        CallArg(helpLibrary), CallArg(helpNumber), CallArg(helpProcedure)})) {
    return FALSE;
  }
  StandinPage* page = FindPage(dialogNumber);
  if (page != nullptr) {
    TranscriptLine("page back " + std::to_string(dialogNumber));
  } else {
    StandinPage fresh;
    fresh.number = static_cast<int>(dialogNumber);
    fresh.library = library == nullptr ? "" : library;
    fresh.procedure = dialogProcedure == nullptr ? "" : dialogProcedure;
    fresh.has_edit = fresh.procedure == "FEditDlgProc";
    if (fresh.has_edit) fresh.edit_text = ReadSymbolText("EditTextIn");
    Stack().push_back(std::move(fresh));
    page = &Stack().back();
    TranscriptLine("page show " + std::to_string(dialogNumber));
  }

  std::string outcome =
      QuietMode() ? NextQuietPageOutcome() : WaitForPageOutcome(*page, frameWindow);
  if (page->has_edit) FSetSymbolValue("EditTextOut", page->edit_text.c_str());
  FSetSymbolValue("DLGEVENT", outcome.c_str());
  return static_cast<BOOL>(ToolkitResult("FDoDialogExt", TRUE));
}

extern "C" BOOL WINAPI FKillNDialogs(int count) {
  if (ToolkitCallFails("FKillNDialogs", {CallArg(count)})) return FALSE;
  if (count < 0) {
    TranscriptLine("page pop all");
    RemoveTop(Stack().size());
  } else {
    TranscriptLine("page pop " + std::to_string(count));
    RemoveTop(static_cast<size_t>(count));
  }
  return static_cast<BOOL>(ToolkitResult("FKillNDialogs", TRUE));
}

void ResetPages() { RemoveTop(Stack().size()); }

std::vector<int> PageNumbers() {
  std::vector<int> numbers;
  for (const StandinPage& page : Stack()) numbers.push_back(page.number);
  return numbers;
}

namespace {

int ReadPageStack(int* numbers, int capacity) {
  std::vector<int> stack = PageNumbers();
  for (size_t i = 0; i < stack.size() && static_cast<int>(i) < capacity; ++i) numbers[i] = stack[i];
  return static_cast<int>(stack.size());
}

const StandinLoadHook kPageHooks([] {
  RecordOnReset(ResetPages);
  RecordPageStackSource(ReadPageStack);
});

}  // namespace
