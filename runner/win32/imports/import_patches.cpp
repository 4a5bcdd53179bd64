#include "import_patches.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "import_table.h"
#include "phases.h"
#include "shown_lines.h"
#include "answering/shown_windows.h"
#include "transcript.h"
#include "win95_profile.h"

namespace {

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

}  // namespace

void PatchModuleImports(HMODULE module) {
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
}
