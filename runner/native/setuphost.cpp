// setuphost on the host layer: stands in for the system's printer
// installation. It opens the machine, loads the setup module as the system
// loader would, calls kyrInstall with the printer's name and answers what
// the module shows from the answers file, or (--interactive) lets the person
// at the terminal answer; --record writes down every answer given.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>

#include "answer_recorder.h"
#include "answers.h"
#include "interactive_agent.h"
#include "options.h"
#include "recording_agent.h"
#include "host/loader.h"
#include "host/machine.h"
#include "host/user_agent.h"
#include "shown_lines.h"
#include "transcript.h"
#include "winapi.h"

namespace {

constexpr int kUsageStatus = 2;

[[noreturn]] void Stop(const std::string& message) {
  std::cerr << message << "\n";
  std::fflush(nullptr);
  _exit(kUsageStatus);
}

class AnswersAgent : public host::UserAgent {
 public:
  explicit AnswersAgent(AnswerQueue answers) : answers_(std::move(answers)) {}

  std::string AnswerPage(int page, std::string* editText) override {
    std::string shown = "page " + std::to_string(page);
    const Answer* answer = answers_.Next();
    if (answer == nullptr || answer->kind != Answer::Kind::Page || answer->page != page) {
      Stop(UnexpectedMessage(shown, answer));
    }
    if (answer->has_text) {
      if (editText == nullptr)
        Stop("setuphost: " + shown + " has no edit field for '" + answer->source + "'");
      *editText = answer->text;
    }
    return answer->outcome;
  }

  int AnswerMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override {
    (void)style;
    const Answer* answer = answers_.Next();
    if (answer == nullptr || answer->kind != Answer::Kind::MessageBox) {
      Stop(UnexpectedMessage("message box \"" + text + "\" \"" + caption + "\"", answer));
    }
    return IDOK;
  }

  host::DialogAnswer AnswerDialog(const std::string& name) override {
    const Answer* answer = answers_.Next();
    if (answer == nullptr || answer->kind != Answer::Kind::Dialog || answer->dialog != name) {
      Stop(UnexpectedMessage("dialog " + name, answer));
    }
    host::DialogAnswer reply;
    reply.select =
        answer->select == Answer::kNoSelection ? host::DialogAnswer::kNoSelection : answer->select;
    reply.button = answer->button;
    return reply;
  }

 private:
  AnswerQueue answers_;
};

RunnerInput ReadInput(int argc, char** argv) {
  RunnerInput input;
  std::string error;
  if (!ReadRunnerInput(argc, argv, &input, &error)) Stop(error);
  return input;
}

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
  RunnerInput input = ReadInput(argc, argv);
  const RunnerOptions& options = input.options;
  AnswersAgent answersAgent{AnswerQueue(std::move(input.answers))};
  InteractiveAgent person(std::cin, std::cout, [](const std::string& message) { Stop(message); });
  host::UserAgent* answering = &answersAgent;
  if (options.interactive) answering = &person;
  AnswerRecorder recorder;
  std::string recordError;
  if (!recorder.Open(options.record,
                     "answers recorded by setuphost for the printer \"" + options.printer + "\"",
                     &recordError)) {
    Stop(recordError);
  }
  RecordingAgent recording(*answering, recorder);
  host::UserAgent& agent =
      recorder.Active() ? static_cast<host::UserAgent&>(recording) : *answering;

  std::string error;
  if (!host::OpenMachine(options.machine, &error)) Stop("setuphost: " + error);
  if (!options.transcript.empty()) {
    std::ofstream(options.transcript, std::ios::trunc);
    setenv("SETUPHOST_TRANSCRIPT", options.transcript.c_str(), 1);
  }
  setenv("SETUPHOST_MACHINE_INI", (options.machine + "/machine.ini").c_str(), 1);
  host::SetUserAgent(&agent);

  std::string modulePath = host::MachineValue("machine", "module", "C:\\KYRDRV\\KYRSETUP.DLL");
  std::string nativeModule = options.module.empty() ? KYR_DEFAULT_MODULE : options.module;
  host::RegisterModule(modulePath, nativeModule);

  HINSTANCE self = host::RegisterLinkedModule("C:\\WINDOWS\\SYSTEM\\SETUPHOST.EXE");
  HWND parent = CreateParentWindow(self);
  HMODULE module = LoadLibraryA(modulePath.c_str());
  if (module == nullptr) Stop("setuphost: cannot load " + nativeModule);
  using InstallEntry = int(WINAPI*)(HWND, HINSTANCE, LPSTR, int);
  auto install =
      reinterpret_cast<InstallEntry>(reinterpret_cast<void*>(GetProcAddress(module, "kyrInstall")));
  if (install == nullptr) Stop("setuphost: the module has no kyrInstall");

  char printer[kPrinterTextSize] = {};
  std::memcpy(printer, options.printer.data(), options.printer.size());
  int result = install(parent, self, printer, SW_SHOWNORMAL);
  TranscriptLine(PrinterLine(printer));
  TranscriptLine(ReturnLine(result));
  std::fflush(nullptr);
  return result;
}
