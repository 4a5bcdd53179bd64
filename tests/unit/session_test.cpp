// The toolkit session, the page driver and the one fatal-error path.
#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "spine_support.h"
#include "standin/core/standin.h"
#include "toolkit/checked_ops.h"
#include "toolkit/dialog_driver.h"
#include "toolkit/session.h"
#include "toolkit/symbols.h"
#include "toolkit/toolkit_api.h"

namespace {

using spine_support::SpineTest;
using ::testing::ElementsAre;
using ::testing::ExitedWithCode;

class SessionTest : public SpineTest {};

TEST_F(SessionTest, SecondStartWhileOpenCallsNothing) {
  OpenMachine();
  ASSERT_EQ(StartSetupSession(const_cast<char*>("")), 1);
  StandinReset();
  EXPECT_EQ(StartSetupSession(const_cast<char*>("")), 0);
  EXPECT_TRUE(StandinCalls().empty()) << StandinCalls().front().function;
}

TEST_F(SessionTest, AbandonedFrameTouchesNothingElse) {
  OpenMachine();
  StandinSetFrameResult(-1);
  std::strcpy(SourceDirectory, "SENTINEL");
  EXPECT_EQ(StartSetupSession(const_cast<char*>("")), -1);
  EXPECT_EQ(SessionFrame, 0);
  EXPECT_STREQ(SourceDirectory, "SENTINEL");
  ASSERT_EQ(StandinCalls().size(), 1u);
  EXPECT_EQ(StandinCalls()[0].function, "InitializeFrame");
}

TEST_F(SessionTest, FailedStartEndsTheSession) {
  OpenMachine();
  for (const char* failing : {"InitializeFrame", "FInitializeInstall"}) {
    StandinReset();
    StandinFailCall(failing, 1);
    EXPECT_EQ(StartSetupSession(const_cast<char*>("")), 0) << failing;
    EXPECT_EQ(SessionFrame, 0) << failing;
    EXPECT_EQ(StandinCallsOf("TerminateFrame").size(), 1u) << failing;
    EXPECT_EQ(StandinCallsOf("TerminateInstall").size(), 1u) << failing;
  }
}

struct SourceCase {
  const char* cwd;       // machine.ini cwd
  const char* acp;       // code page of the machine
  const char* expected;  // SourceDirectory afterwards
};

class SourceDirectoryTest : public SpineTest, public ::testing::WithParamInterface<SourceCase> {};

TEST_P(SourceDirectoryTest, EndsInOneBackslash) {
  const SourceCase& c = GetParam();
  OpenMachine(std::string("cwd=") + c.cwd + "\nacp=" + c.acp + "\noemcp=" + c.acp + "\n");
  ASSERT_GT(StartSetupSession(const_cast<char*>("")), 0);
  EXPECT_STREQ(SourceDirectory, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Directories, SourceDirectoryTest,
                         ::testing::Values(SourceCase{"C:\\", "1252", "C:\\"},
                                           SourceCase{"C:\\KYRDRV", "1252", "C:\\KYRDRV\\"},
                                           SourceCase{"D:\\", "1252", "D:\\"},
                                           // The trail byte of this double-byte character is a
                                           // backslash's code; it must not count as one.
                                           SourceCase{"C:\\\x95\x5c", "932", "C:\\\x95\x5c\\"}),
                         [](const ::testing::TestParamInfo<SourceCase>& info) {
                           return "Case" + std::to_string(info.index);
                         });

TEST_F(SessionTest, LongCurrentDirectoryNeverOverrunsSourceDirectory) {
  // 3 + 251 = 254 characters get their backslash (255 fit); 255 characters
  // stay whole without one.
  for (size_t length : {254u, 255u}) {
    std::string cwd = "C:\\" + std::string(length - 3, 'A');
    OpenMachine("cwd=" + cwd + "\n");
    SessionFrame = 0;
    std::memset(SourceDirectory, 'X', sizeof SourceDirectory);
    ASSERT_GT(StartSetupSession(const_cast<char*>("")), 0);
    std::string expected = length == 254 ? cwd + "\\" : cwd;
    EXPECT_EQ(std::string(SourceDirectory), expected) << "length " << length;
  }
}

struct EventCase {
  const char* event;
  int result;
};

class DialogEventTest : public SpineTest, public ::testing::WithParamInterface<EventCase> {};

TEST_P(DialogEventTest, OutcomeTextGivesResult) {
  OpenMachine();
  user_.steps.push_back({100, GetParam().event});
  EXPECT_EQ(ShowPage(kWelcomePage), GetParam().result) << "event '" << GetParam().event << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Events, DialogEventTest,
    ::testing::Values(EventCase{"EXIT", DialogExit}, EventCase{"REACTIVATE", DialogReactivate},
                      EventCase{"CONTINUE", DialogContinue}, EventCase{"BACK", DialogBack},
                      EventCase{"continue", DialogContinue}, EventCase{"exit", DialogContinue},
                      EventCase{"", DialogContinue}, EventCase{"EXIT ", DialogContinue}),
    [](const ::testing::TestParamInfo<EventCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST_F(SessionTest, PageIsItsOwnHelpLibrary) {
  OpenMachine();
  user_.steps.push_back({300, "CONTINUE"});
  ShowPage(kDestinationPage);
  auto calls = StandinCallsOf("FDoDialogExt");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_THAT(calls[0].args, ElementsAre("\"mscuistf.dll\"", "300", "\"FEditDlgProc\"",
                                         "\"mscuistf.dll\"", "900", "\"FHelpDlgProc\""));
}

TEST_F(SessionTest, SymbolThatJustFitsIsRead) {
  OpenMachine();
  std::string value(254, 'v');
  WriteSymbol("EditTextOut", value.c_str());
  char buffer[256];
  EXPECT_EQ(std::string(ReadSymbol("EditTextOut", buffer, 255)), value);
}

// The fatal path ends the process; its transcript tells what the user saw.
class FatalPathTest : public SpineTest {
 protected:
  void StartSession() {
    OpenMachine();
    ASSERT_GT(StartSetupSession(const_cast<char*>("")), 0);
  }
  std::vector<std::string> FatalTail() {
    std::vector<std::string> lines = Transcript();
    auto start = std::find(lines.begin(), lines.end(), "page pop all");
    return std::vector<std::string>(start, lines.end());
  }
};

TEST_F(FatalPathTest, SymbolOfSizeCharactersOverflows) {
  StartSession();
  WriteSymbol("EditTextOut", std::string(255, 'v').c_str());
  user_.steps.push_back({400, "CONTINUE"});
  char buffer[256];
  EXPECT_EXIT(ReadSymbol("EditTextOut", buffer, 255), ExitedWithCode(0), "");
  std::vector<std::string> lines = Transcript();
  EXPECT_NE(
      std::find(lines.begin(), lines.end(), "msgbox \"Buffer Overflow\" \"MS-Setup Error\" 16"),
      lines.end());
  EXPECT_THAT(FatalTail(),
              ElementsAre("page pop all", "page show 400", "symbol DLGEVENT \"CONTINUE\"",
                          "page pop 1", "frame end", "install end", "exit 0"));
}

TEST_F(FatalPathTest, EmptySymbolNameEnds) {
  StartSession();
  user_.steps.push_back({400, "CONTINUE"});
  char buffer[16];
  EXPECT_EXIT(ReadSymbol("", buffer, sizeof buffer), ExitedWithCode(0), "");
  EXPECT_EQ(Transcript().back(), "exit 0");
}

TEST_F(FatalPathTest, QuitMessageFoundByPumpEndsTheRun) {
  StartSession();
  user_.steps.push_back({400, "CONTINUE"});
  EXPECT_EXIT(
      {
        PostQuitMessage(0);
        PumpPendingMessages();
      },
      ExitedWithCode(0), "");
  EXPECT_THAT(FatalTail(),
              ElementsAre("page pop all", "page show 400", "symbol DLGEVENT \"CONTINUE\"",
                          "page pop 1", "frame end", "install end", "exit 0"));
}

TEST_F(FatalPathTest, QuitMessageDuringAPageEndsTheRun) {
  StartSession();
  // The user's action on the welcome page leaves a quit message behind; the
  // pump after the page finds it.
  class QuittingUser : public spine_support::PageScript {
   public:
    std::string AnswerPage(int page, std::string* editText) override {
      if (page == 100) PostQuitMessage(0);
      return PageScript::AnswerPage(page, editText);
    }
  } quitting;
  quitting.steps = {{100, "CONTINUE"}, {400, "CONTINUE"}};
  host::SetUserAgent(&quitting);
  EXPECT_EXIT(ShowPage(kWelcomePage), ExitedWithCode(0), "");
  EXPECT_EQ(Transcript().back(), "exit 0");
  host::SetUserAgent(&user_);
}

TEST_F(FatalPathTest, FailureOnTheSetupFailedPageDoesNotShowItAgain) {
  StartSession();
  StandinFailCall("FDoDialogExt", 0);
  EXPECT_EXIT(SetupErrorExit(SetupErrorFail), ExitedWithCode(0), "");
  EXPECT_THAT(FatalTail(), ElementsAre("page pop all", "toolkit fail FDoDialogExt", "frame end",
                                       "install end", "exit 0"));
}

TEST_F(FatalPathTest, FailedCheckedOperationEnds) {
  StartSession();
  StandinFailCall("FCreateDir", 1);
  user_.steps.push_back({400, "CONTINUE"});
  EXPECT_EXIT(CreateDirChecked("C:\\KYROTH", 0), ExitedWithCode(0), "");
  EXPECT_EQ(Transcript().back(), "exit 0");
}

TEST_F(SessionTest, ProgManItemTakesItsExtraText) {
  OpenMachine();
  CreateProgManItemChecked("Kyroth", "Kyroth", "C:\\KYROTH\\KCP.EXE", "", 1024);
  CreateProgManItemChecked("Kyroth", "Kyroth", "C:\\KYROTH\\KCP.EXE", "icon", 1024);
  CreateProgManItemChecked("Kyroth", "Kyroth", "C:\\KYROTH\\KCP.EXE", nullptr, 1024);
  ShowProgManGroupChecked("Kyroth", 1, 0);
  auto items = StandinCallsOf("FCreateProgManItem");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].args[1], "\"Kyroth\"");
  EXPECT_EQ(items[1].args[1], "\"Kyroth,icon\"");
  EXPECT_EQ(items[2].args[1], "\"Kyroth\"");
  EXPECT_EQ(StandinCallsOf("FShowProgManGroup")[0].args[1], "\"1\"");
}

}  // namespace
