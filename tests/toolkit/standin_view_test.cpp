// The stand-in as the tests see it: one record, one set of rules and one
// quiet mode for all its libraries (on Windows six DLLs), and a reset that
// reaches each library's own state.
#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "standin/core/standin.h"
#include "support/toolkit_fixture.h"
#include "toolkit/toolkit_api.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using toolkit_test::ToolkitTest;

using StandinViewTest = ToolkitTest;

std::vector<std::string> FunctionsCalled() {
  std::vector<std::string> names;
  for (const ToolkitCall& call : StandinCalls()) names.push_back(call.function);
  return names;
}

TEST_F(StandinViewTest, OneRecordForEveryLibrary) {
  InitializeFrame(const_cast<char*>("/T"));  // msshlstf
  FSetSymbolValue("Name", "va\"lue");        // mscomstf
  FIsDirWritable(ScratchDir().c_str());      // msdetstf
  FDoDialogExt(nullptr, "mscuistf.dll", 100, "FInfoDlgProc", "mscuistf.dll", 900,
               "FHelpDlgProc");              // msuilstf, which sets DLGEVENT through mscomstf
  FCreateProgManGroup("Group", nullptr, 0);  // msinsstf
  EXPECT_THAT(FunctionsCalled(),
              ElementsAre("InitializeFrame", "FSetSymbolValue", "FIsDirWritable", "FDoDialogExt",
                          "FSetSymbolValue", "FCreateProgManGroup"));
  EXPECT_THAT(StandinCallsOf("FSetSymbolValue")[0].args, ElementsAre("\"Name\"", "\"va\\\"lue\""));
  EXPECT_THAT(StandinCallsOf("FCreateProgManGroup")[0].args, ElementsAre("\"Group\"", "NULL", "0"));
}

struct RuleCase {
  const char* name;
  std::function<void()> rule;
  std::function<long long()> call;  // called twice
  long long first;
  long long second;
};

class StandinRuleTest : public ToolkitTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(StandinRuleTest, ReachesTheLibraryOfTheFunction) {
  const RuleCase& rule = GetParam();
  rule.rule();
  long long first = rule.call();
  long long second = rule.call();
  EXPECT_EQ(first, rule.first);
  EXPECT_EQ(second, rule.second);
}

INSTANTIATE_TEST_SUITE_P(
    EveryLibrary, StandinRuleTest,
    ::testing::Values(
        RuleCase{"FrameFailsEveryCall", [] { StandinFailCall("FSetBitmap", 0); },
                 [] { return static_cast<long long>(FSetBitmap("mscuistf.dll", 1)); }, FALSE,
                 FALSE},
        RuleCase{"SymbolFailsSecondCall", [] { StandinFailCall("FSetSymbolValue", 2); },
                 [] { return static_cast<long long>(FSetSymbolValue("A", "b")); }, TRUE, FALSE},
        RuleCase{"ListLengthSetForFirstCall", [] { StandinSetResult("UsGetListLength", 1, 7); },
                 [] { return static_cast<long long>(UsGetListLength("NoList")); }, 7, 0},
        RuleCase{"DetectionFailsFirstCall", [] { StandinFailCall("FIsDirWritable", 1); },
                 [] { return static_cast<long long>(FIsDirWritable("C:\\")); }, FALSE, TRUE},
        RuleCase{"PagesFailEveryCall", [] { StandinFailCall("FKillNDialogs", 0); },
                 [] { return static_cast<long long>(FKillNDialogs(1)); }, FALSE, FALSE},
        RuleCase{"InstallFailsSecondCall", [] { StandinFailCall("FCreateProgManGroup", 2); },
                 [] { return static_cast<long long>(FCreateProgManGroup("G", "", 0)); }, TRUE,
                 FALSE},
        // The toolkit's first functions take result rules too, doing their work all
        // the same.
        RuleCase{"SymbolLengthSetForSecondCall",
                 [] { StandinSetResult("CbGetSymbolValue", 2, 300); },
                 [] {
                   char text[8];
                   return static_cast<long long>(CbGetSymbolValue("Unset", text, sizeof text));
                 },
                 0, 300},
        RuleCase{"PageResultSetForEveryCall", [] { StandinSetResult("FDoDialogExt", 0, 0); },
                 [] {
                   return static_cast<long long>(FDoDialogExt(nullptr, "mscuistf.dll", 100,
                                                              "FInfoDlgProc", "mscuistf.dll", 900,
                                                              "FHelpDlgProc"));
                 },
                 0, 0},
        RuleCase{"CreateDirResultSetForFirstCall", [] { StandinSetResult("FCreateDir", 1, 0); },
                 [] { return static_cast<long long>(FCreateDir("C:\\KYRDRV", 0)); }, 0, 1},
        RuleCase{"FrameResultSet", [] { StandinSetFrameResult(-1); },
                 [] { return static_cast<long long>(InitializeFrame(const_cast<char*>(""))); }, -1,
                 -1}),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

TEST_F(StandinViewTest, MachineSectionsReachEveryLibrary) {
  ASSERT_TRUE(OpenMachine("",
                          "[toolkit]\nInitializeFrame=-1\nFSetSymbolValue=fail 2\n"
                          "FIsDirWritable=fail\n"));
  EXPECT_EQ(InitializeFrame(const_cast<char*>("")), -1);
  EXPECT_TRUE(FSetSymbolValue("A", "1"));
  EXPECT_FALSE(FSetSymbolValue("A", "2"));
  EXPECT_EQ(StandinSymbol("A"), "1");
  EXPECT_FALSE(FIsDirWritable(ScratchDir().c_str()));
  EXPECT_THAT(Transcript(),
              ElementsAre("frame open -1", "symbol A \"1\"", "toolkit fail FSetSymbolValue",
                          "toolkit fail FIsDirWritable"));
}

TEST_F(StandinViewTest, NumbersBeyondAnIntAreBadLinesNotWrappedCounts) {
  ASSERT_TRUE(OpenMachine("",
                          "[toolkit]\nInitializeFrame=99999999999\nFSetBitmap=fail 4294967297\n"
                          "FCreateDir=fail x\nFRemoveDir=result 0x\nFDoDialogExt\n"));
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(InitializeFrame(const_cast<char*>("")), 1);
  // Each bad line is named, with its file and line.
  std::string warnings = ::testing::internal::GetCapturedStderr();
  for (const char* what : {"the frame's result is not a number", "not fail [N]", "not result V",
                           "neither [section] nor key=value"})
    EXPECT_THAT(warnings, HasSubstr(what)) << warnings;
  EXPECT_THAT(warnings, HasSubstr("machine.ini line "));
  EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 5) << warnings;
  EXPECT_TRUE(FSetBitmap("mscuistf.dll", 1));
  EXPECT_TRUE(FCreateDir(ScratchDir().c_str(), 0));
}

TEST_F(StandinViewTest, QuietModeAnswersMessagesAndPagesOfEveryLibrary) {
  StandinQueuePageOutcome("BACK");
  EXPECT_EQ(DoMsgBox("Text", "Caption", 48), IDOK);
  ASSERT_TRUE(FDoDialogExt(nullptr, "mscuistf.dll", 300, "FEditDlgProc", "mscuistf.dll", 900,
                           "FHelpDlgProc"));
  EXPECT_EQ(StandinSymbol("DLGEVENT"), "BACK");
  ASSERT_TRUE(FDoDialogExt(nullptr, "mscuistf.dll", 300, "FEditDlgProc", "mscuistf.dll", 900,
                           "FHelpDlgProc"));
  EXPECT_EQ(StandinSymbol("DLGEVENT"), "CONTINUE");
  EXPECT_THAT(Transcript(),
              ElementsAre("msgbox \"Text\" \"Caption\" 48", "page show 300",
                          "symbol EditTextOut \"\"", "symbol DLGEVENT \"BACK\"", "page back 300",
                          "symbol EditTextOut \"\"", "symbol DLGEVENT \"CONTINUE\""));
}

TEST_F(StandinViewTest, ResetForgetsTheStateOfEveryLibrary) {
  ASSERT_GT(InitializeFrame(const_cast<char*>("")), 0);
  // A frame window where the platform makes one (on Windows).
  const bool frameShown = HwndFrame() != nullptr;
  FSetSymbolValue("Kept", "text");
  FDoDialogExt(nullptr, "mscuistf.dll", 100, "FInfoDlgProc", "mscuistf.dll", 900, "FHelpDlgProc");
  FDoDialogExt(nullptr, "mscuistf.dll", 200, "FQuitDlgProc", "mscuistf.dll", 900, "FHelpDlgProc");
  EXPECT_THAT(StandinPageStack(), ElementsAre(100, 200));
  FKillNDialogs(1);
  EXPECT_THAT(StandinPageStack(), ElementsAre(100));
  StandinFailCall("FSetSymbolValue", 0);
  StandinQueuePageOutcome("EXIT");

  StandinReset();
  EXPECT_THAT(StandinCalls(), IsEmpty());
  if (frameShown) {
    EXPECT_EQ(HwndFrame(), nullptr) << "the frame outlived the reset";
  }
  EXPECT_THAT(StandinPageStack(), IsEmpty());
  EXPECT_EQ(StandinSymbol("Kept"), "");
  EXPECT_TRUE(FSetSymbolValue("Kept", "again")) << "the failure rule outlived the reset";
  FDoDialogExt(nullptr, "mscuistf.dll", 100, "FInfoDlgProc", "mscuistf.dll", 900, "FHelpDlgProc");
  std::vector<std::string> lines = Transcript();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_THAT(std::vector<std::string>(lines.end() - 2, lines.end()),
              ElementsAre("page show 100", "symbol DLGEVENT \"CONTINUE\""))
      << "the page stack or the queued outcome outlived the reset";
}

}  // namespace
