// The installer's own dialogs, run from the module's compiled resources on
// the host layer: placement, the language choice, the progress window and the
// finish dialog with its Program Manager calls.

#include "installer/dialogs.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "host/loader.h"
#include "host/machine.h"
#include "host/src/reset_host.h"
#include "host/src/resources/module_resources.h"
#include "host/src/user32/window_table.h"
#include "host/user_agent.h"
#include "installer/control_file.h"
#include "installer/installer_state.h"
#include "standin/core/standin.h"
#include "support/dialog_user.h"
#include "toolkit/session.h"

namespace {

class InstallerDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/dialogtest.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    setenv("SETUPHOST_TRANSCRIPT", (dir_ + "/transcript.txt").c_str(), 1);
    unsetenv("SETUPHOST_MACHINE_INI");
    host::ResetHost();
    host::ResetDialogs();
    StandinReset();
    host::SetUserAgent(&user_);
    OpenMachine();
    LanguageList = nullptr;
    SelectedLanguage = 0;
    SelectedModel = 0;
    ControlProgramPath[0] = 0;
  }

  void TearDown() override {
    host::SetUserAgent(nullptr);
    LanguageList = nullptr;
    StandinReset();
    host::ResetDialogs();
    host::ResetHost();
    unsetenv("SETUPHOST_TRANSCRIPT");
    std::filesystem::remove_all(dir_);
  }

  void OpenMachine(const std::string& screen = "1024x768") {
    host::ResetHost();
    std::filesystem::create_directories(dir_ + "/machine/c/windows/system32");
    std::filesystem::create_directories(dir_ + "/machine/c/kyrdrv");
    std::ofstream(dir_ + "/machine/machine.ini")
        << "[machine]\nwindows=C:\\windows\nsystem=C:\\windows\\system32\ncwd=C:\\KYRDRV\n"
        << "screen=" << screen << "\n";
    std::string error;
    ASSERT_TRUE(host::OpenMachine(dir_ + "/machine", &error)) << error;
    // The module's objects are linked into this test: its resources are
    // found through the instance of a linked module.
    ModuleInstance = host::RegisterLinkedModule("C:\\KYRDRV\\SETUP.DLL");
  }

  std::vector<std::string> Transcript() const {
    std::ifstream file(dir_ + "/transcript.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }
  std::vector<std::string> TranscriptStarting(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : Transcript())
      if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
  }

  // The dialog that has the focus while the user is asked.
  static HWND FocusDialog() {
    host::windows::Window* focus = host::windows::Find(GetFocus());
    return focus != nullptr ? focus->parent : nullptr;
  }

  std::string dir_;
  ScriptedDialogUser user_{2};
};

// ---------------------------------------------------------------------------
// Placement
// ---------------------------------------------------------------------------

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(InstallerDialogTest, CenterDialogPlacesTenPixelsOffTheCentre) {
  struct Case {
    const char* screen;
    int width, height;
    BOOL nearCentre;
    int left, top;
  };
  const Case cases[] = {
      {"1024x768", 300, 200, TRUE, 352, 274},
      {"1024x768", 301, 201, TRUE, 351, 273},   // odd differences round toward zero
      {"1024x768", 301, 201, FALSE, 371, 293},  // zero moves right and down
      {"1024x768", 300, 200, 5, 352, 274},      // any nonzero value is "near"
      {"1024x768", 1024, 768, TRUE, -10, -10},
      // Wider and taller than the screen: -77 / 2 and -33 / 2 round toward
      // zero (-38, -16), not down (-39, -17).
      {"1024x768", 1101, 801, TRUE, -48, -26},
      {"1024x768", 1101, 801, FALSE, -28, -6},
      {"801x601", 100, 100, TRUE, 340, 240},
      {"640x480", 0, 0, FALSE, 330, 250},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.screen) + " " + std::to_string(c.width) + "x" +
                 std::to_string(c.height));
    OpenMachine(c.screen);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.lpszClassName = "CentreTest";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowExA(0, "CentreTest", "", WS_POPUP, 3, 4, c.width, c.height, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    CenterDialog(window, c.nearCentre);
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(rect.left, c.left);
    EXPECT_EQ(rect.top, c.top);
    EXPECT_EQ(rect.right - rect.left, c.width) << "the size stays";
    EXPECT_EQ(rect.bottom - rect.top, c.height);
  }
}

// ---------------------------------------------------------------------------
// The language dialog
// ---------------------------------------------------------------------------

// The list box text for a language: the system's name, at most 50
// characters.
std::string LanguageName(DWORD language) {
  char name[256] = {};
  VerLanguageNameA(language, name, sizeof name);
  return std::string(name).substr(0, kLanguageNameChars);
}

// A language list as the control file reader builds it.
std::vector<char> MakeList(const std::vector<std::string>& entries) {
  std::vector<char> list;
  for (const std::string& entry : entries) {
    list.insert(list.end(), entry.begin(), entry.end());
    list.push_back(0);
  }
  list.push_back(0);
  return list;
}

class LanguageDialogTest : public InstallerDialogTest {
 protected:
  void SetList(const std::vector<std::string>& entries) {
    list_ = MakeList(entries);
    LanguageList = list_.data();
  }
  INT_PTR Run() {
    return DialogBoxParamA(ModuleInstance, kLanguageDialog, nullptr, LanguageDialogProc, 0);
  }
  // What the list box shows and which position is selected, while the
  // user is asked.
  void WatchList() {
    user_.whileWaiting = [this] {
      HWND dialog = FocusDialog();
      ASSERT_NE(dialog, nullptr) << "the focus is on a control of the dialog";
      focusId_ = host::windows::Find(GetFocus())->id;
      shown_.clear();
      int count = static_cast<int>(SendDlgItemMessageA(dialog, 4, LB_GETCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        char text[kLanguageNameChars + 8] = {};
        SendDlgItemMessageA(dialog, 4, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        shown_.push_back(text);
      }
      selected_ = static_cast<int>(SendDlgItemMessageA(dialog, 4, LB_GETCURSEL, 0, 0));
      GetWindowRect(dialog, &rect_);
    };
  }

  std::vector<char> list_;
  std::vector<std::string> shown_;
  int selected_ = -5;
  int focusId_ = 0;
  RECT rect_{};
};

TEST_F(LanguageDialogTest, ShowsEveryLanguageInListOrder) {
  // 51 characters fit the identifier buffer; 52 do not.
  const std::string fits = "X" + std::string(kLanguageIdSize - 5, '0') + "40C";
  const std::string tooLong = "X" + std::string(kLanguageIdSize - 4, '0') + "407";
  SetList({"English,X0409,eng.lng,engcp.lng", "German,X0407,ger.lng,gercp.lng",
           // No identifier field: the default language, not the entry before.
           "Nameless", "Trailing,",
           // Without "X", and one that does not fit the identifier buffer.
           "Bare,0407,b.lng,bcp.lng", "Long," + tooLong + ",l.lng,lcp.lng",
           "Fits," + fits + ",f.lng,fcp.lng", "lower,x040c,f.lng,fcp.lng"});
  SelectedLanguage = 1;
  user_.answers = {{host::DialogAnswer::kNoSelection, kInstallButton}};
  WatchList();
  EXPECT_EQ(Run(), kLanguageInstall);
  std::vector<std::string> expected = {
      LanguageName(0x409), LanguageName(0x407), LanguageName(0x409), LanguageName(0x409),
      LanguageName(0x409), LanguageName(0x409), LanguageName(0x40C), LanguageName(0x40C)};
  EXPECT_EQ(shown_, expected);
  EXPECT_NE(LanguageName(0x409), LanguageName(0x407)) << "the host knows both languages";
  EXPECT_EQ(selected_, 1) << "SelectedLanguage is selected at the start";
  EXPECT_EQ(SelectedLanguage, 1);
  EXPECT_EQ(focusId_, kLanguageListBox) << "the list box has the focus";
  // The transcript shows what was added, in order.
  std::vector<std::string> added = TranscriptStarting("listbox ");
  ASSERT_EQ(added.size(), expected.size());
  EXPECT_EQ(added[1], "listbox 4 add \"" + LanguageName(0x407) + "\"");
  EXPECT_EQ(Transcript().front(), "dialog show INSTALL_DLG");
  EXPECT_EQ(Transcript().back(), "dialog end INSTALL_DLG 1");
  // Centred: 10 pixels left of and above the centre of a 1024 x 768 screen.
  EXPECT_EQ(rect_.left, (1024 - (rect_.right - rect_.left)) / 2 - 10);
  EXPECT_EQ(rect_.top, (768 - (rect_.bottom - rect_.top)) / 2 - 10);
}

TEST_F(LanguageDialogTest, InstallStoresTheSelection) {
  struct Case {
    int selectedBefore;
    int select;  // the user's selection, or none
    int stored;
  };
  const Case cases[] = {
      {0, 2, 2},
      {2, 0, 0},
      {1, host::DialogAnswer::kNoSelection, 1},  // the preselected entry
      // SelectedLanguage past the list selects nothing; Install with no
      // selection stores -1.
      {3, host::DialogAnswer::kNoSelection, -1},
      {-1, host::DialogAnswer::kNoSelection, -1},
      {0, 3, 0},  // a position past the last entry leaves the selection
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.selectedBefore) + " " + std::to_string(c.select));
    SetList({"A,X0409,a,a", "B,X0407,b,b", "C,X040C,c,c"});
    SelectedLanguage = c.selectedBefore;
    user_.answers = {{c.select, kInstallButton}};
    EXPECT_EQ(Run(), kLanguageInstall);
    EXPECT_EQ(SelectedLanguage, c.stored);
  }
}

TEST_F(LanguageDialogTest, CancelKeepsTheSelection) {
  SetList({"A,X0409,a,a", "B,X0407,b,b"});
  SelectedLanguage = 1;
  user_.answers = {{0, kCancelButton}};
  EXPECT_EQ(Run(), kLanguageCancel);
  EXPECT_EQ(SelectedLanguage, 1);
  EXPECT_EQ(Transcript().back(), "dialog end INSTALL_DLG 2");
}

TEST_F(LanguageDialogTest, AnEmptyListShowsAnEmptyList) {
  for (bool allocated : {true, false}) {
    SCOPED_TRACE(allocated ? "empty list" : "no list");
    if (allocated)
      SetList({});
    else
      LanguageList = nullptr;
    SelectedLanguage = 0;
    user_.answers = {{host::DialogAnswer::kNoSelection, kInstallButton}};
    WatchList();
    EXPECT_EQ(Run(), kLanguageInstall);
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(SelectedLanguage, -1);
  }
}

TEST_F(LanguageDialogTest, OtherCommandsAreHandledAndIgnored) {
  SetList({"A,X0409,a,a"});
  int calls = 0;
  user_.whileWaiting = [&] {
    if (calls++ > 0) return;
    HWND dialog = FocusDialog();
    ASSERT_NE(dialog, nullptr);
    // A notification from button 1 is not a click on Install, nor is a
    // selection change in the list box.
    EXPECT_EQ(LanguageDialogProc(dialog, WM_COMMAND, 0x10001, 0), TRUE);
    EXPECT_EQ(LanguageDialogProc(dialog, WM_COMMAND, 0x10004, 0), TRUE);
    EXPECT_EQ(LanguageDialogProc(dialog, WM_COMMAND, 3, 0), TRUE);
    EXPECT_EQ(LanguageDialogProc(dialog, WM_CLOSE, 0, 0), FALSE);
    EXPECT_TRUE(IsWindow(dialog));
  };
  SelectedLanguage = 0;
  user_.answers = {{host::DialogAnswer::kNoSelection, kInstallButton}};
  EXPECT_EQ(Run(), kLanguageInstall);
  EXPECT_EQ(user_.asked.size(), 1u);
  EXPECT_EQ(TranscriptStarting("dialog end").size(), 1u);
  EXPECT_EQ(SelectedLanguage, 0);
}

// ---------------------------------------------------------------------------
// The progress window
// ---------------------------------------------------------------------------

TEST_F(InstallerDialogTest, ProgressWindowEndsOnTheQuitMessage) {
  HWND dialog = CreateDialogParamA(ModuleInstance, kProgressDialog, nullptr, ProgressDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  RECT rect{};
  ASSERT_TRUE(GetWindowRect(dialog, &rect));
  EXPECT_EQ(rect.left, (1024 - (rect.right - rect.left)) / 2 - 10);
  EXPECT_EQ(rect.top, (768 - (rect.bottom - rect.top)) / 2 - 10);
  EXPECT_TRUE(SetDlgItemTextA(dialog, kProgressText, "eng.lng"));
  char text[16] = {};
  GetDlgItemTextA(dialog, kProgressText, text, sizeof text);
  EXPECT_STREQ(text, "eng.lng");
  EXPECT_EQ(ProgressDialogProc(dialog, WM_COMMAND, 1, 0), FALSE) << "only the quit message counts";
  EXPECT_TRUE(host::windows::Find(dialog)->style & WS_VISIBLE);
  // The wizard sends the quit message through the dialog manager.
  SendMessageA(dialog, WM_QUIT, 0, 0);
  EXPECT_FALSE(host::windows::Find(dialog)->style & WS_VISIBLE);
  std::vector<std::string> expected = {"dialog show COPY_DLG", "text 1 \"eng.lng\"",
                                       "dialog end COPY_DLG 1"};
  EXPECT_EQ(Transcript(), expected);
}

// ---------------------------------------------------------------------------
// The finish dialog
// ---------------------------------------------------------------------------

struct FinishCase {
  int model;
  int button;
  const char* item;
};

class FinishDialogTest : public InstallerDialogTest,
                         public ::testing::WithParamInterface<FinishCase> {};

TEST_P(FinishDialogTest, BothButtonsMakeTheGroupAndItemOnlyRestartRestarts) {
  const FinishCase& c = GetParam();
  SelectedModel = c.model;
  std::strcpy(ControlProgramPath, "C:\\Kyroth\\kcp3.exe");
  bool focusOnRestart = false;
  user_.whileWaiting = [&] {
    focusOnRestart = host::windows::Find(GetFocus()) != nullptr &&
                     host::windows::Find(GetFocus())->id == kRestartButton;
    EXPECT_TRUE(StandinCalls().empty()) << "nothing happens before a button is pressed";
  };
  user_.answers = {{host::DialogAnswer::kNoSelection, c.button}};
  EXPECT_EQ(DialogBoxParamA(ModuleInstance, MAKEINTRESOURCEA(kFinishDialog), nullptr,
                            FinishDialogProc, 0),
            1);
  EXPECT_TRUE(focusOnRestart) << "the default focus, on the first button";
  std::vector<ToolkitCall> calls = StandinCalls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].function, "FCreateProgManGroup");
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{"\"Kyroth\"", "\"\"", "0"}));
  EXPECT_EQ(calls[1].function, "FShowProgManGroup");
  EXPECT_EQ(calls[1].args, (std::vector<std::string>{"\"Kyroth\"", "\"1\"", "0"}));
  EXPECT_EQ(calls[2].function, "FCreateProgManItem");
  EXPECT_EQ(calls[2].args,
            (std::vector<std::string>{"\"Kyroth\"", std::string("\"") + c.item + "\"",
                                      "\"C:\\Kyroth\\kcp3.exe\"", "1024"}));
  EXPECT_EQ(calls[3].function, "TerminateFrame");
  std::vector<std::string> lines = Transcript();
  size_t restarts = std::count(lines.begin(), lines.end(), "restart");
  EXPECT_EQ(restarts, c.button == kRestartButton ? 1u : 0u);
  if (c.button == kRestartButton) {
    EXPECT_EQ(lines.back(), "restart") << "after the frame ends";
  }
}

INSTANTIATE_TEST_SUITE_P(ModelsAndButtons, FinishDialogTest,
                         ::testing::Values(FinishCase{0, kRestartButton, "Kyroth"},
                                           FinishCase{0, kReturnButton, "Kyroth"},
                                           FinishCase{1, kRestartButton, "Kyroth 3"},
                                           FinishCase{2, kReturnButton, "M5 Kyroth"},
                                           FinishCase{2, kRestartButton, "M5 Kyroth"},
                                           FinishCase{3, kReturnButton, "Kyroth 3"},
                                           FinishCase{-1, kReturnButton, "Kyroth 3"}));

TEST_F(InstallerDialogTest, FinishDialogIgnoresOtherCommands) {
  int calls = 0;
  user_.whileWaiting = [&] {
    if (calls++ > 0) return;
    HWND dialog = FocusDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FinishDialogProc(dialog, WM_COMMAND, 3, 0), TRUE);
    EXPECT_EQ(FinishDialogProc(dialog, WM_CLOSE, 0, 0), FALSE);
    EXPECT_TRUE(StandinCalls().empty());
    EXPECT_TRUE(IsWindow(dialog));
  };
  user_.answers = {{host::DialogAnswer::kNoSelection, kReturnButton}};
  EXPECT_EQ(DialogBoxParamA(ModuleInstance, MAKEINTRESOURCEA(kFinishDialog), nullptr,
                            FinishDialogProc, 0),
            1);
  EXPECT_EQ(StandinCallsOf("FCreateProgManItem").size(), 1u);
}

}  // namespace
