// setuphost on the host layer: stands in for the system's printer
// installation. It opens the machine, loads the setup module as the system
// loader would, calls kyrInstall with the printer's name and answers what
// the module shows from the answers file.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "answers.h"
#include "host/loader.h"
#include "host/machine.h"
#include "host/user_agent.h"
#include "transcript.h"
#include "winapi.h"

namespace {

constexpr int kUsageStatus = 2;
// The caller's writable text handed to kyrInstall.
constexpr size_t kPrinterTextSize = 256;

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

struct Options {
  std::string machine;
  std::string printer;
  bool has_printer = false;
  std::string answers;
  std::string transcript;
  std::string module;
};

Options ParseOptions(int argc, char** argv) {
  const char* usage =
      "usage: setuphost --machine DIR --printer NAME [--answers FILE] [--transcript FILE] "
      "[--module FILE]";
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string flag = argv[i];
    if (i + 1 >= argc) Stop(usage);
    std::string value = argv[++i];
    if (flag == "--machine") {
      options.machine = value;
    } else if (flag == "--printer") {
      options.printer = value;
      options.has_printer = true;
    } else if (flag == "--answers") {
      options.answers = value;
    } else if (flag == "--transcript") {
      options.transcript = value;
    } else if (flag == "--module") {
      options.module = value;
    } else {
      Stop(usage);
    }
  }
  if (options.machine.empty() || !options.has_printer) Stop(usage);
  if (options.printer.size() >= kPrinterTextSize) Stop("setuphost: printer name too long");
  return options;
}

std::vector<Answer> LoadAnswers(const std::string& path) {
  std::vector<Answer> answers;
  if (path.empty()) return answers;
  std::ifstream file(path, std::ios::binary);
  if (!file) Stop("setuphost: cannot read answers file " + path);
  std::stringstream content;
  content << file.rdbuf();
  std::string error;
  if (!ParseAnswers(content.str(), &answers, &error)) Stop("setuphost: " + error);
  return answers;
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
  Options options = ParseOptions(argc, argv);
  AnswersAgent agent{AnswerQueue(LoadAnswers(options.answers))};

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
  auto install = reinterpret_cast<InstallEntry>(
      reinterpret_cast<void*>(GetProcAddress(module, "kyrInstall")));
  if (install == nullptr) Stop("setuphost: the module has no kyrInstall");

  char printer[kPrinterTextSize] = {};
  std::memcpy(printer, options.printer.data(), options.printer.size());
  int result = install(parent, self, printer, SW_SHOWNORMAL);
  TranscriptLine("printer " + TranscriptQuote(printer));
  TranscriptLine("return " + std::to_string(result));
  std::fflush(nullptr);
  return result;
}
