// setuphost.exe: stands in for the system's printer installation on Windows
// (under Wine). It loads KYRSETUP.DLL from the machine's module path, calls
// kyrInstall with the printer's name, and acts as the person at the screen:
//
// - The main thread is the installation's own thread: it calls kyrInstall,
//   and its hooks write into the transcript what the user sees as it
//   happens (transcript_hooks.h).
// - A second thread answers what waits for the user from the answers file,
//   or leaves it to the person at the display (answering_thread.h).
// - With --record FILE, what the main thread is told (a page ending, a
//   button clicked in a dialog, a message box going) is written down as an
//   answers file (observed_answers.h), whoever answered.
// - What the module tells the system and no window shows is recorded where
//   the module calls it, in its import table (import_patches.h).
//
// The command line, the answers, the record, the transcript and its lines
// are the runner's shared parts (runner/), as on the host layer.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "add_printer.h"
#include "answering/answering_thread.h"
#include "imports/import_patches.h"
#include "answering/observed_answers.h"
#include "phases.h"
#include "printer_wizard.h"
#include "runner/answer_recorder.h"
#include "runner/answers.h"
#include "runner/front_end.h"
#include "runner/printer_text.h"
#include "runner/run_session.h"
#include "screenshots.h"
#include "answering/shown_windows.h"
#include "transcript_hooks.h"

namespace {

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
  AnswerRecorder recorder;
  OpenRecordOrStop(&recorder, options, "setuphost.exe");
  if (recorder.Active()) RecordAnswersTo(&recorder);
  if (const char* shots = std::getenv("SETUPHOST_SCREENSHOTS")) {
    if (*shots != '\0') TakeScreenshotsInto(shots, options.transcript);
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
  std::string entry = "kyrInstall";
  std::string installError;
  if (!InstallPrinterForRunner(options, &modulePath, &entry, &installError)) {
    StopRun("setuphost: " + installError);
  }
  if (modulePath.empty()) ExitProcess(0);  // the INF names no vendor setup DLL

  HINSTANCE self = GetModuleHandleA(nullptr);
  HWND parent = CreatePrinterWizardWindow(self, options.printer);
  if (parent == nullptr) StopRun("setuphost: cannot create the parent window");
  InstallTranscriptHooks(parent);

  // The toolkit DLLs lie beside this program; the module's own directory is
  // searched first, as the system loads a driver's setup module.
  HMODULE module = LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) {
    StopRun("setuphost: cannot load " + modulePath + " (error " + std::to_string(GetLastError()) +
            ")");
  }
  MarkPhase("module loaded");
  SetSetupModule(module);
  PatchModuleImports(module);
  using InstallEntry = int(WINAPI*)(HWND, HINSTANCE, LPSTR, int);
  auto install = reinterpret_cast<InstallEntry>(
      reinterpret_cast<void*>(GetProcAddress(module, entry.c_str())));
  if (install == nullptr) StopRun("setuphost: the module has no " + entry);

  if (!cwd.empty() && !SetCurrentDirectoryA(cwd.c_str())) {
    StopRun("setuphost: the machine's current directory " + cwd + " does not exist");
  }
  AnsweringSettings answering;
  answering.mainThread = GetCurrentThreadId();
  answering.answers = &answers;
  answering.interactive = options.interactive;
  StartAnsweringThread(answering);

  PrinterText printer(options.printer);
  int result = install(parent, self, printer.text, SW_SHOWNORMAL);
  MarkPhase("kyrInstall returned");
  RecordInstallResult(printer, result);
  std::fflush(nullptr);
  // The answering thread ends with the process.
  ExitProcess(static_cast<UINT>(result));
}
