// InstallFiles on a host machine: what it installs and where, the order the
// progress window shows, what it refuses before copying anything, and that a
// failure at any system call leaves system.ini and win.ini whole.
#include "installer/install_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "host/machine.h"
#include "host/syscalls.h"
#include "host/user_agent.h"
#include "installer/installer_state.h"
#include "unit/install_support.h"

namespace {

using install_support::InstallMachine;
using install_support::RecordingUser;
using install_support::SourceContent;

constexpr char kFontLine[] = "Barcode Display Font=BCFONT.FON\r\n";

std::string CannotOpen(const std::string& name) {
  return "Can not open " + name + ", installation failed.";
}

// The content of a Windows path of the open machine ("" when missing).
std::string ReadWindows(const InstallMachine& machine, const std::string& windowsPath) {
  std::string native = host::NativePath(windowsPath);
  std::string prefix = machine.dir() + "/";
  if (native.rfind(prefix, 0) != 0) return std::string();
  std::string relative = native.substr(prefix.size());
  return machine.Exists(relative) ? machine.Read(relative) : std::string();
}

bool ExistsWindows(const InstallMachine& machine, const std::string& windowsPath) {
  std::string native = host::NativePath(windowsPath);
  std::string prefix = machine.dir() + "/";
  return native.rfind(prefix, 0) == 0 && machine.Exists(native.substr(prefix.size()));
}

// win.ini with the font's entry taken out again, and whether it was in the
// [fonts] section.
bool HasFontEntry(const std::string& winIni, std::string* without) {
  size_t at = winIni.find(kFontLine);
  if (at == std::string::npos) return false;
  size_t section = winIni.rfind("\r\n[", at);
  bool inFonts = section != std::string::npos && winIni.compare(section + 2, 7, "[fonts]") == 0;
  *without = winIni.substr(0, at) + winIni.substr(at + std::strlen(kFontLine));
  return inFonts;
}

std::vector<std::string> ProgressLines(const std::vector<std::string>& names) {
  std::vector<std::string> lines;
  for (const std::string& name : names) lines.push_back("text 1 \"" + name + "\"");
  return lines;
}

class InstallFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::SetUserAgent(&user_);
    Use(std::make_unique<InstallMachine>());
  }
  void TearDown() override {
    host::ClearFaults();
    machine_.reset();
    host::SetUserAgent(nullptr);
  }

  void Use(std::unique_ptr<InstallMachine> machine) {
    machine_ = std::move(machine);
    user_.messageBoxes.clear();
    ASSERT_TRUE(machine_->Open());
  }

  std::string Windows(const std::string& path) const { return ReadWindows(*machine_, path); }
  bool WindowsExists(const std::string& path) const { return ExistsWindows(*machine_, path); }

  // Every file of a finished installation, byte for byte.
  void ExpectInstalled(const std::string& destination, const std::string& firstLanguage,
                       const std::string& secondLanguage, const std::string& moduleDir) {
    EXPECT_EQ(Windows("C:\\windows\\system32\\kyroth.lng"), SourceContent(firstLanguage));
    EXPECT_EQ(Windows("C:\\windows\\system32\\kyrcp.lng"), SourceContent(secondLanguage));
    EXPECT_EQ(Windows(moduleDir + "\\BCFONT.FON"), SourceContent("BCFONT.BCF"));
    EXPECT_EQ(Windows(destination + "\\KCP600.EXE"), SourceContent("KCP600.EXE"));
    EXPECT_EQ(Windows(destination + "\\kyr.386"), SourceContent("kyr.386"));
    EXPECT_EQ(Windows("C:\\windows\\system.ini"), install_support::InstalledSystemIni(destination));
    std::string winIni = Windows("C:\\windows\\win.ini");
    std::string without;
    EXPECT_TRUE(HasFontEntry(winIni, &without)) << winIni;
    EXPECT_EQ(without, install_support::kWinIni);
    EXPECT_STREQ(ControlProgramPath, (destination + "\\KCP600.EXE").c_str());
    EXPECT_EQ(LanguageList, nullptr);
  }

  void ExpectSystemFilesUnchanged() {
    EXPECT_EQ(Windows("C:\\windows\\system.ini"), install_support::kSystemIni);
    EXPECT_EQ(Windows("C:\\windows\\win.ini"), install_support::kWinIni);
  }

  void ExpectOneMessage(const std::string& text) {
    ASSERT_EQ(user_.messageBoxes.size(), 1u);
    EXPECT_EQ(user_.messageBoxes[0].text, text);
    EXPECT_EQ(user_.messageBoxes[0].caption, "ERROR");
  }

  std::unique_ptr<InstallMachine> machine_;
  RecordingUser user_;
};

TEST_F(InstallFilesTest, InstallsEveryFileAndRegistersDriverAndFont) {
  ASSERT_EQ(InstallFiles(ModuleInstance), 1);
  ExpectInstalled("C:\\Kyroth", "ENGLISH.LNG", "ENGCP.LNG", "C:\\KYRDRV");
  EXPECT_TRUE(user_.messageBoxes.empty());
  // The backups hold the files as they were.
  EXPECT_EQ(Windows("C:\\windows\\system.kyr"), install_support::kSystemIni);
  EXPECT_EQ(Windows("C:\\windows\\win.kyr"), install_support::kWinIni);
  EXPECT_EQ(machine_->TranscriptLines("text 1 "),
            ProgressLines({"ENGLISH.LNG", "ENGCP.LNG", "bcfont.fon", "KCP600.EXE", "kyr.386"}));
  EXPECT_EQ(machine_->TranscriptLines("font "),
            std::vector<std::string>{"font load \"BCFONT.FON\""});
  // The font change (29), then the settings change (26), after the font load.
  EXPECT_EQ(machine_->TranscriptLines("broadcast "),
            (std::vector<std::string>{"broadcast 29", "broadcast 26"}));
  std::vector<std::string> transcript = machine_->Transcript();
  auto fontLoad = std::find(transcript.begin(), transcript.end(), "font load \"BCFONT.FON\"");
  auto firstBroadcast = std::find(transcript.begin(), transcript.end(), "broadcast 29");
  EXPECT_LT(fontLoad, firstBroadcast);
}

TEST_F(InstallFilesTest, SecondRunLeavesOneDeviceLineForTheNewDestination) {
  ASSERT_EQ(InstallFiles(ModuleInstance), 1);
  std::string afterFirst = Windows("C:\\windows\\system.ini");
  install_support::SetLanguageList({install_support::kEnglishEntry});
  std::strcpy(DestinationDir, "C:\\PRINTER\\KYROTH");
  ASSERT_EQ(InstallFiles(ModuleInstance), 1);
  EXPECT_EQ(Windows("C:\\windows\\system.ini"),
            install_support::InstalledSystemIni("C:\\PRINTER\\KYROTH"));
  EXPECT_EQ(Windows("C:\\windows\\system.kyr"), afterFirst);
  EXPECT_EQ(Windows("C:\\PRINTER\\KYROTH\\kyr.386"), SourceContent("kyr.386"));
}

TEST_F(InstallFilesTest, SelectedLanguagePicksTheEntry) {
  struct Case {
    int selected;
    const char* first;
    const char* second;
  };
  for (const Case& c : {Case{-1, "ENGLISH.LNG", "ENGCP.LNG"}, Case{0, "ENGLISH.LNG", "ENGCP.LNG"},
                        Case{1, "GERMAN.LNG", "GERCP.LNG"}}) {
    SCOPED_TRACE(c.selected);
    Use(std::make_unique<InstallMachine>());
    SelectedLanguage = c.selected;
    ASSERT_EQ(InstallFiles(ModuleInstance), 1);
    ExpectInstalled("C:\\Kyroth", c.first, c.second, "C:\\KYRDRV");
    EXPECT_EQ(machine_->TranscriptLines("text 1 ").at(0), ProgressLines({c.first})[0]);
  }
}

// The sources are found beside the module, whatever the module's file name
// and wherever it lies, also on another drive than the current one.
TEST_F(InstallFilesTest, SourcesComeFromTheModulesDirectory) {
  struct Case {
    const char* module;
    const char* directory;
  };
  for (const Case& c :
       {Case{"C:\\KYRDRV\\SETUP.DLL", "C:\\KYRDRV"},
        Case{"C:\\KYRDRV\\PRINTERSETUP.DLL", "C:\\KYRDRV"},
        Case{"C:\\DRIVERS\\KYROTH.V2\\KYRSETUP.DLL", "C:\\DRIVERS\\KYROTH.V2"},
        Case{"D:\\KYRSETUP\\KYRSETUP.DLL", "D:\\KYRSETUP"}, Case{"C:\\KYRSETUP.DLL", "C:\\"}}) {
    SCOPED_TRACE(c.module);
    Use(std::make_unique<InstallMachine>(c.module));
    ASSERT_EQ(InstallFiles(ModuleInstance), 1);
    std::string moduleDir = c.directory;
    if (moduleDir.back() == '\\') moduleDir.pop_back();
    ExpectInstalled("C:\\Kyroth", "ENGLISH.LNG", "ENGCP.LNG", moduleDir);
    EXPECT_TRUE(user_.messageBoxes.empty());
  }
}

// A source that cannot be opened stops the installation with its message;
// nothing after it is copied and neither system file changes.
TEST_F(InstallFilesTest, MissingSourceStopsBeforeTheSystemFiles) {
  struct Case {
    const char* source;
    std::vector<std::string> shown;
    const char* notInstalled;  // the target of the missing source
  };
  const std::vector<Case> cases = {
      {"ENGLISH.LNG", {"ENGLISH.LNG"}, "C:\\windows\\system32\\kyroth.lng"},
      {"ENGCP.LNG", {"ENGLISH.LNG", "ENGCP.LNG"}, "C:\\windows\\system32\\kyrcp.lng"},
      {"BCFONT.BCF", {"ENGLISH.LNG", "ENGCP.LNG"}, "C:\\KYRDRV\\BCFONT.FON"},
      {"KCP600.EXE", {"ENGLISH.LNG", "ENGCP.LNG", "bcfont.fon"}, "C:\\Kyroth\\KCP600.EXE"},
      {"kyr.386", {"ENGLISH.LNG", "ENGCP.LNG", "bcfont.fon", "KCP600.EXE"}, "C:\\Kyroth\\kyr.386"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    Use(std::make_unique<InstallMachine>());
    machine_->Remove(std::string("c/kyrdrv/") + c.source);
    EXPECT_EQ(InstallFiles(ModuleInstance), 0);
    ExpectOneMessage(CannotOpen(c.source));
    EXPECT_EQ(machine_->TranscriptLines("text 1 "), ProgressLines(c.shown));
    EXPECT_FALSE(WindowsExists(c.notInstalled));
    ExpectSystemFilesUnchanged();
    EXPECT_FALSE(WindowsExists("C:\\windows\\system.kyr"));
    EXPECT_FALSE(WindowsExists("C:\\windows\\win.kyr"));
    EXPECT_TRUE(machine_->TranscriptLines("font ").empty());
    EXPECT_EQ(LanguageList, nullptr);
  }
}

// A source that opens but does not expand (a compressed file cut short)
// is a failed copy, not an installed file.
TEST_F(InstallFilesTest, SourceThatDoesNotExpandStopsTheInstallation) {
  std::string compressed = install_support::Compress(SourceContent("kyr.386"));
  machine_->Write("c/kyrdrv/kyr.386", compressed.substr(0, compressed.size() / 2));
  EXPECT_EQ(InstallFiles(ModuleInstance), 0);
  ExpectOneMessage("Can not copy kyr.386, installation failed.");
  ExpectSystemFilesUnchanged();
}

// Every path the installation writes is measured before the first copy: the
// control program's path must fit 99 characters.
TEST_F(InstallFilesTest, DestinationTooLongIsRefusedBeforeCopying) {
  const int fits = kControlProgramPathSize - 1 - static_cast<int>(std::strlen("\\KCP600.EXE"));
  for (int length : {fits, fits + 1}) {
    SCOPED_TRACE(length);
    Use(std::make_unique<InstallMachine>());
    std::string destination = "C:\\" + std::string(static_cast<size_t>(length - 3), 'D');
    std::strcpy(DestinationDir, destination.c_str());
    if (length == fits) {
      ASSERT_EQ(InstallFiles(ModuleInstance), 1);
      ExpectInstalled(destination, "ENGLISH.LNG", "ENGCP.LNG", "C:\\KYRDRV");
      EXPECT_EQ(std::strlen(ControlProgramPath), static_cast<size_t>(kControlProgramPathSize - 1));
    } else {
      EXPECT_EQ(InstallFiles(ModuleInstance), 0);
      ExpectOneMessage("The destination directory name is too long, installation failed.");
      EXPECT_TRUE(machine_->TranscriptLines("text 1 ").empty());
      EXPECT_FALSE(WindowsExists("C:\\windows\\system32\\kyroth.lng"));
      ExpectSystemFilesUnchanged();
      EXPECT_EQ(LanguageList, nullptr);
    }
  }
}

TEST_F(InstallFilesTest, DestinationWithTrailingBackslashGetsNoDoubleBackslash) {
  std::strcpy(DestinationDir, "C:\\KYROTH\\");
  ASSERT_EQ(InstallFiles(ModuleInstance), 1);
  ExpectInstalled("C:\\KYROTH", "ENGLISH.LNG", "ENGCP.LNG", "C:\\KYRDRV");
}

// The Windows and system directories with an appended name must fit 127
// characters ("\system.kyr" and "\kyroth.lng" are 11 each).
TEST_F(InstallFilesTest, SystemDirectoriesTooLongAreRefused) {
  const int fits = 127 - 11;
  struct Case {
    bool windows;
    int length;
  };
  for (const Case& c :
       {Case{true, fits}, Case{true, fits + 1}, Case{false, fits}, Case{false, fits + 1}}) {
    SCOPED_TRACE(std::string(c.windows ? "windows " : "system ") + std::to_string(c.length));
    std::string longDir = "C:\\" + std::string(static_cast<size_t>(c.length - 3), 'W');
    std::string windowsDir = c.windows ? longDir : "C:\\windows";
    std::string systemDir = c.windows ? "C:\\windows\\system32" : longDir;
    Use(std::make_unique<InstallMachine>("C:\\KYRDRV\\KYRSETUP.DLL", windowsDir, systemDir));
    int result = InstallFiles(ModuleInstance);
    if (c.length == fits) {
      EXPECT_EQ(result, 1);
      EXPECT_TRUE(user_.messageBoxes.empty());
      EXPECT_EQ(Windows(windowsDir + "\\system.ini"),
                install_support::InstalledSystemIni("C:\\Kyroth"));
      EXPECT_EQ(Windows(systemDir + "\\kyroth.lng"), SourceContent("ENGLISH.LNG"));
    } else {
      EXPECT_EQ(result, 0);
      ExpectOneMessage(c.windows ? "The Windows directory name is too long, installation failed."
                                 : "The system directory name is too long, installation failed.");
      EXPECT_TRUE(machine_->TranscriptLines("text 1 ").empty());
      EXPECT_EQ(Windows(windowsDir + "\\system.ini"), install_support::kSystemIni);
    }
  }
}

// Entries without the fields the installation needs, or whose names are not
// plain file names, install nothing.
TEST_F(InstallFilesTest, UnusableControlEntriesInstallNothing) {
  struct Case {
    const char* model;
    const char* language;
  };
  const std::vector<Case> cases = {
      {"Kyroth FS-600,FS600.DRV", install_support::kEnglishEntry},
      {install_support::kModelEntry, "English,X0409,ENGLISH.LNG"},
      {install_support::kModelEntry, "English,X0409,ENGLISH.LNG,"},
      {"Kyroth FS-600,FS600.DRV,..\\KCP600.EXE", install_support::kEnglishEntry},
      {install_support::kModelEntry, "English,X0409,C:\\AUTOEXEC.BAT,ENGCP.LNG"},
      {install_support::kModelEntry, "English,X0409,ENGLISH.LNG,ABCDEFGHIJKLMNOPQRST"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.model) + " / " + c.language);
    Use(std::make_unique<InstallMachine>());
    install_support::SetModelList({c.model});
    install_support::SetLanguageList({c.language});
    EXPECT_EQ(InstallFiles(ModuleInstance), 0);
    ExpectOneMessage("Invalid kyroth.ini,installation failed.");
    EXPECT_TRUE(machine_->TranscriptLines("text 1 ").empty());
    EXPECT_FALSE(WindowsExists("C:\\windows\\system32\\kyroth.lng"));
    ExpectSystemFilesUnchanged();
    EXPECT_EQ(LanguageList, nullptr);
  }
}

// A system file that cannot be opened or backed up stops the installation
// before either system file changes.
TEST_F(InstallFilesTest, SystemFileThatCannotBeOpenedStopsTheInstallation) {
  struct Case {
    const char* path;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"C:\\windows\\win.ini", "Can not open win.ini, installation failed."},
      {"C:\\windows\\win.kyr", "Can not back up win.ini, installation failed."},
      {"C:\\windows\\system.ini", "Can not open system.ini, installation failed."},
      {"C:\\windows\\system.kyr", "Can not back up system.ini, installation failed."},
      {"C:\\windows\\system32\\kyrcp.lng",
       "Can not create C:\\windows\\system32\\kyrcp.lng, "
       "installation failed."},
      {"C:\\Kyroth\\kyr.386", "Can not create C:\\Kyroth\\kyr.386, installation failed."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    Use(std::make_unique<InstallMachine>());
    host::FailOpenOf(c.path);
    EXPECT_EQ(InstallFiles(ModuleInstance), 0);
    ExpectOneMessage(c.message);
    ExpectSystemFilesUnchanged();
    EXPECT_TRUE(machine_->TranscriptLines("font ").empty());
  }
}

// The outcome of one run under a fault: system.ini is exactly as before or
// exactly as rewritten; a run that reports success installed everything; a
// run that fails said so and left both system files as they were.
class FaultTest : public InstallFilesTest {
 protected:
  // Runs a fresh installation with the fault that arm() sets up; true when
  // it succeeded.
  template <typename Arm>
  bool RunWithFault(Arm arm) {
    Use(std::make_unique<InstallMachine>());
    arm();
    int result = InstallFiles(ModuleInstance);
    host::ClearFaults();
    std::string systemIni = Windows("C:\\windows\\system.ini");
    EXPECT_TRUE(systemIni == install_support::kSystemIni ||
                systemIni == install_support::InstalledSystemIni("C:\\Kyroth"))
        << systemIni;
    EXPECT_EQ(LanguageList, nullptr);
    if (result == 1) {
      ExpectInstalled("C:\\Kyroth", "ENGLISH.LNG", "ENGCP.LNG", "C:\\KYRDRV");
      EXPECT_TRUE(user_.messageBoxes.empty());
      return true;
    }
    EXPECT_EQ(result, 0);
    ExpectSystemFilesUnchanged();
    EXPECT_FALSE(user_.messageBoxes.empty());
    for (const auto& box : user_.messageBoxes) EXPECT_EQ(box.caption, "ERROR");
    EXPECT_TRUE(machine_->TranscriptLines("font ").empty());
    return false;
  }
};

// The nth call of each kind fails, for every n until the installation no
// longer meets the fault. A call whose failure the installation may ignore
// (closing a file it only read) gives a success too, so the loop ends only
// after a run of successes longer than any stretch of such calls.
TEST_F(FaultTest, EveryFailingSystemCallLeavesSystemFilesWhole) {
  constexpr int kSuccessesToStop = 25;
  for (host::Syscall call : {host::Syscall::Open, host::Syscall::Read, host::Syscall::Write,
                             host::Syscall::Seek, host::Syscall::Truncate, host::Syscall::Close}) {
    int successes = 0;
    int failures = 0;
    int n = 1;
    for (; successes < kSuccessesToStop && n < 20000; ++n) {
      SCOPED_TRACE("call kind " + std::to_string(static_cast<int>(call)) +
                   ", n = " + std::to_string(n));
      if (RunWithFault([&] { host::FailSyscall(call, n); })) {
        ++successes;
      } else {
        successes = 0;
        ++failures;
      }
      if (HasFailure()) return;
    }
    // Each kind is met at least once by a checked step.
    EXPECT_GT(failures, 0) << "call kind " << static_cast<int>(call);
  }
}

// The disk fills up after every possible number of bytes.
TEST_F(FaultTest, FullDiskAtAnyPointLeavesSystemFilesWhole) {
  // Coarse steps first, then every byte before the first size that is
  // enough: win.ini's new entry is the last thing written.
  int64_t enough = -1;
  for (int64_t bytes = 0; bytes < 1000000; bytes += 29) {
    SCOPED_TRACE("disk free " + std::to_string(bytes));
    if (RunWithFault([&] { host::SetDiskFree(bytes); })) {
      enough = bytes;
      break;
    }
    if (HasFailure()) return;
  }
  ASSERT_GT(enough, 0);
  bool failedOnce = false;
  for (int64_t bytes = enough > 100 ? enough - 100 : 0; bytes <= enough; ++bytes) {
    SCOPED_TRACE("disk free " + std::to_string(bytes));
    if (!RunWithFault([&] { host::SetDiskFree(bytes); })) failedOnce = true;
    if (HasFailure()) return;
  }
  EXPECT_TRUE(failedOnce);
}

}  // namespace
