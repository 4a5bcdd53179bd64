// The control file KYROTH.INI, read through the module's own entry:
// kyrInstall runs the wizard on a fresh machine, the user goes on past the
// welcome and destination pages and answers the language dialog as the input
// says. Whatever the file holds, the module either installs (and ends with
// the finish dialog) or comes back to the welcome page having said why, or
// having been cancelled; it never ends the process, and hands the printer's
// name back as it came.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_machine.h"
#include "host/loader.h"
#include "host/src/resources/module_resources.h"
#include "host/user_agent.h"
#include "installer/control_file.h"
#include "installer/installer_state.h"
#include "process_end.h"
#include "standin/core/standin.h"
#include "toolkit/session.h"
#include "winapi.h"

extern "C" const unsigned char HostResources[];
extern "C" const unsigned long HostResourcesSize;
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
extern "C" int WINAPI kyrInstall(HWND parentWindow, HINSTANCE instance, LPSTR printerName,
                                 int showState);

namespace {

constexpr int kWelcomePage = 100;
constexpr int kMostSteps = 40;  // pages and dialogs before the run is taken for a loop
constexpr int kInstallButton = 1;
constexpr int kReturnToWindowsButton = 2;

const char kMachineIni[] =
    "[machine]\nwindows=C:\\windows\nsystem=C:\\windows\\system32\ncwd=C:\\KYRDRV\n"
    "module=C:\\KYRDRV\\KYRSETUP.DLL\n";
const char* const kPackageFiles[] = {"BCFONT.BCF", "KYRCP.EXE", "KYRCP5.EXE", "kyr.386",
                                     "ENGPRN.LNG", "ENGCP.LNG", "DEUPRN.LNG", "DEUCP.LNG",
                                     "JPNPRN.LNG", "JPNCP.LNG"};
const char* const kPrinters[] = {"Kyroth FS-600", "Kyroth M5 Series", "Kyroth FS-3000"};

// Thrown when the welcome page comes back: the control file's verdict is in.
struct BackAtWelcome {};

class User : public host::UserAgent {
 public:
  User(int select, int button) : select_(select), button_(button) {}

  std::string AnswerPage(int page, std::string*) override {
    Step();
    if (page == kWelcomePage && welcomes_++ > 0) {
      if (messageBoxes_ == 0 && button_ == kInstallButton)
        fuzz::Fail("back at the welcome page without a word why");
      throw BackAtWelcome{};
    }
    return "CONTINUE";
  }
  int AnswerMessageBox(const std::string& text, const std::string& caption, unsigned) override {
    Step();
    if (caption != "ERROR") fuzz::Fail("a message box: " + caption + ": " + text);
    ++messageBoxes_;
    return IDOK;
  }
  host::DialogAnswer AnswerDialog(const std::string& name) override {
    Step();
    if (name == "INSTALL_DLG") return host::DialogAnswer{select_, button_};
    if (name == "1") {
      finished_ = true;
      return host::DialogAnswer{host::DialogAnswer::kNoSelection, kReturnToWindowsButton};
    }
    fuzz::Fail("an unexpected dialog " + name);
  }
  bool finished() const { return finished_; }

 private:
  void Step() {
    if (++steps_ > kMostSteps) fuzz::Fail("the wizard goes round without end");
  }
  int select_, button_;
  int steps_ = 0, welcomes_ = 0, messageBoxes_ = 0;
  bool finished_ = false;
};

void PrepareMachine(const std::string& controlFile) {
  static const bool packaged = [] {
    for (const char* name : kPackageFiles)
      fuzz::WriteMachineFile(std::string("c/kyrdrv/") + name, std::string("file ") + name);
    return true;
  }();
  (void)packaged;
  fuzz::WriteMachineFile("c/windows/system.ini", "[boot]\r\nshell=progman.exe\r\n[386Enh]\r\n");
  fuzz::WriteMachineFile("c/windows/win.ini", "[windows]\r\nload=\r\n");
  fuzz::WriteMachineFile("c/windows/system32/KYROTH.INI", controlFile);
  fuzz::WriteMachineFile("registry.reg", "REGEDIT4\r\n");
  fuzz::OpenFreshMachine(kMachineIni);
  StandinSetQuiet(false);  // the pages ask the user
  FreeLanguageList();
  fuzz::ResetToolkitState();
  StandinSetQuiet(false);
  SourceDirectory[0] = '\0';
  std::strcpy(DestinationDir, "C:\\Kyroth");
  HINSTANCE instance = host::RegisterLinkedModule("C:\\KYRDRV\\KYRSETUP.DLL");
  host::res::RegisterResources(instance, HostResources, HostResourcesSize);
  DllMain(instance, DLL_PROCESS_ATTACH, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const size_t printerChoice = input.ConsumeIntegralInRange<size_t>(0, 3);
  std::string printer =
      printerChoice < 3 ? kPrinters[printerChoice] : input.ConsumeRandomLengthString(40);
  const int select = input.ConsumeIntegralInRange<int>(-2, 6);
  const int button = input.ConsumeBool() ? kInstallButton : kReturnToWindowsButton;
  PrepareMachine(input.ConsumeRemainingBytesAsString());

  User user(select, button);
  host::SetUserAgent(&user);
  char name[64] = {};
  std::memcpy(name, printer.c_str(), std::strlen(printer.c_str()));
  const std::string given = name;
  int status = 0;
  int result = -1;
  bool backAtWelcome = false;
  const bool ended = fuzz::EndsProcess(
      [&] {
        try {
          result = kyrInstall(nullptr, nullptr, name, SW_SHOWNORMAL);
        } catch (const BackAtWelcome&) {
          backAtWelcome = true;
        }
      },
      &status);
  host::SetUserAgent(nullptr);
  FreeLanguageList();
  if (std::getenv("KYR_FUZZ_VERBOSE") != nullptr)
    std::fprintf(stderr, "fuzz: %s\n",
                 backAtWelcome     ? "back at the welcome page"
                 : user.finished() ? "installed"
                                   : ("returned " + std::to_string(result)).c_str());
  if (ended) fuzz::Fail("the module ended the process with status " + std::to_string(status));
  if (backAtWelcome) return 0;
  if (result != 0 && result != 1) fuzz::Fail("kyrInstall returned " + std::to_string(result));
  if (given != name) fuzz::Fail("the printer's name came back as " + std::string(name));
  return 0;
}
