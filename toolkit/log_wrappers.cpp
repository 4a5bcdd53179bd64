// Log file and restart members of the checked wrappers.
#include "toolkit/checked_wrappers.h"
#include "toolkit/fail_fast.h"
#include "toolkit/toolkit_api.h"

namespace {

// FWriteToLogFile: every text is a line of its own.
constexpr BOOL kEndLine = 1;

}  // namespace

void OpenLogFileChecked(LPCSTR file, BOOL append) { FailUnless(FOpenLogFile(file, append)); }

void CloseLogFileChecked() { FailUnless(FCloseLogFile()); }

void WriteToLogChecked(LPCSTR text) { FailUnless(FWriteToLogFile(text, kEndLine)); }

void SetRestartDirChecked(LPCSTR directory) { FailUnless(FSetRestartDir(directory)); }

BOOL IsRestartListEmpty() { return FRestartListEmpty(); }

BOOL ExitExecRestart() { return FExitExecRestart(); }

void PrependToPathChecked(LPCSTR file, LPCSTR variable, LPCSTR directory, int cmo) {
  FailUnless(FPrependToPath(file, variable, directory, cmo));
}
