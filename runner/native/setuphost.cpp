// setuphost on the host layer: stands in for the system's printer
// installation. It opens the machine, loads the setup module as the system
// loader would, calls kyrInstall with the printer's name and answers what
// the module shows from the answers file, or (--interactive) lets the person
// at the terminal answer; --record writes down every answer given.
//
// The host layer shows the module's windows to the user agent and writes
// the transcript; the runner's shared parts (run_session.h,
// expected_answers.h, printer_text.h) do the rest as under Wine.
#include <cstdio>
#include <iostream>
#include <string>
#include <utility>

#include "add_printer.h"
#include "answer_recorder.h"
#include "answers_agent.h"
#include "front_end.h"
#include "host/loader.h"
#include "host/machine.h"
#include "host/user_agent.h"
#include "interactive_agent.h"
#include "printer_text.h"
#include "recording_agent.h"
#include "run_session.h"
#include "winapi.h"

namespace {

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// The window of the printer installation that the module takes as its parent.
HWND CreateParentWindow(HINSTANCE instance) {
  WNDCLASSA parentClass = {};
  parentClass.lpfnWndProc = ParentProc;
  parentClass.hInstance = instance;
  parentClass.lpszClassName = "PrinterInstall";
  RegisterClassA(&parentClass);
  return CreateWindowExA(0, "PrinterInstall", "Add Printer", WS_OVERLAPPEDWINDOW, 0, 0, 480, 360,
                         nullptr, nullptr, instance, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  RunnerInput input = ReadInputOrStop(argc, argv);
  const RunnerOptions& options = input.options;
  AnswersAgent answersAgent{AnswerQueue(std::move(input.answers))};
  InteractiveAgent person(std::cin, std::cout,
                          [](const std::string& message) { StopRun(message); });
  host::UserAgent* answering = &answersAgent;
  if (options.interactive) answering = &person;
  AnswerRecorder recorder;
  OpenRecordOrStop(&recorder, options, "setuphost");
  RecordingAgent recording(*answering, recorder);
  host::UserAgent& agent =
      recorder.Active() ? static_cast<host::UserAgent&>(recording) : *answering;

  std::string error;
  if (!host::OpenMachine(options.machine, &error)) StopRun("setuphost: " + error);
  StartTranscript(options.transcript);
  UseMachineIni(options.machine + "/machine.ini");
  host::SetUserAgent(&agent);

  // The module: loaded from the machine's path, which names the native
  // library built from the same source, or from where Add Printer put it.
  std::string modulePath = host::MachineValue("machine", "module", kDefaultModulePath);
  std::string entry = "kyrInstall";
  if (!InstallPrinterForRunner(options, &modulePath, &entry, &error))
    StopRun("setuphost: " + error);
  if (modulePath.empty()) return 0;  // the INF names no vendor setup DLL
  std::string nativeModule = options.module.empty() ? KYR_DEFAULT_MODULE : options.module;
  host::RegisterModule(modulePath, nativeModule);

  HINSTANCE self = host::RegisterLinkedModule("C:\\WINDOWS\\SYSTEM\\SETUPHOST.EXE");
  HWND parent = CreateParentWindow(self);
  HMODULE module = LoadLibraryA(modulePath.c_str());
  if (module == nullptr) StopRun("setuphost: cannot load " + nativeModule);
  using InstallEntry = int(WINAPI*)(HWND, HINSTANCE, LPSTR, int);
  auto install = reinterpret_cast<InstallEntry>(
      reinterpret_cast<void*>(GetProcAddress(module, entry.c_str())));
  if (install == nullptr) StopRun("setuphost: the module has no " + entry);

  PrinterText printer(options.printer);
  int result = install(parent, self, printer.text, SW_SHOWNORMAL);
  RecordInstallResult(printer, result);
  std::fflush(nullptr);
  return result;
}
