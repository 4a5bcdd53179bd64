// The members with rules of their own, and the readers into the caller's
// buffer (exact fit and one over; the overflow test before the -1 test).
#include <climits>
#include <string>

#include "checked_wrapper_support.h"
#include "toolkit/checked_wrappers.h"
#include "toolkit/path_helpers.h"
#include "toolkit/toolkit_api.h"

namespace {

using ::testing::Contains;
using ::testing::ExitedWithCode;
using ::testing::Not;
using wrapper_test::CheckedWrapperTest;

using SessionlessTest = toolkit_test::ToolkitTest;

constexpr const char* kFieldReader = "CbGetInfSectionKeyField";

TEST_F(CheckedWrapperTest, InfFieldReadersPassTheirFieldAndFitExactly) {
  struct Case {
    LPSTR (*read)(LPCSTR, LPCSTR, LPSTR, int);
    const char* args;
  } cases[] = {{ReadInfKeyField1, R"("S" "K" 1 16)"},
               {ReadInfKeyField5, R"("S" "K" 5 16)"},
               {ReadInfKeyField19, R"("S" "K" 19 16)"}};
  char buffer[16];
  for (const Case& c : cases) {
    StandinSetResult(kFieldReader, 0, 15);
    EXPECT_EQ(c.read("S", "K", buffer, 16), buffer);
    EXPECT_EQ(LastArgs(kFieldReader), c.args);
  }
}

// -1 is below every size: only the second test catches it.
TEST_F(CheckedWrapperTest, InfFieldOneOverShowsTheBoxAndMissingEndsWithout) {
  char buffer[16];
  for (long long answer : {16LL, -1LL}) {
    StandinSetResult(kFieldReader, 0, answer);
    EXPECT_EXIT(ReadInfKeyField5("S", "K", buffer, 16), ExitedWithCode(0), "");
    ExpectEnded(answer == 16);
  }
  StandinSetResult(kFieldReader, 0, 128);
  EXPECT_EXIT(ReadInfKeyField15Number("S", "K"), ExitedWithCode(0), "");
  ExpectEnded(true);
}

TEST_F(CheckedWrapperTest, InfNumberConvertsLikeTheDecimalConversion) {
  struct Case {
    const char* field;
    LONG number;
  } cases[] = {{" 123abc", 123},
               {"", 0},
               {"-7", -7},
               {"+42", 42},
               {"x1", 0},
               {"-2147483648", INT_MIN},
               {"2147483648", INT_MAX},  // beyond 32 bits: the nearest value
               {"-99999999999999999999", INT_MIN}};
  for (const Case& c : cases) {
    std::string line = "k=1,2,3,4,5,6,7,8,9,10,11,12,13,14," + std::string(c.field) + ",16\r\n";
    WriteFile(ScratchDir() + "\\N.INF", "[S]\r\n" + line);
    OpenInfChecked((ScratchDir() + "\\N.INF").c_str());
    EXPECT_EQ(ReadInfKeyField15Number("S", "k"), c.number) << '"' << c.field << '"';
  }
  EXPECT_EQ(LastArgs(kFieldReader), R"("S" "k" 15 128)");
}

TEST_F(CheckedWrapperTest, ListItemsCountFromOneToTheLength) {
  for (const char* item : {"first", "second", "third"}) AddListItemChecked("L", item);
  char buffer[16];
  EXPECT_STREQ(GetListItemChecked("L", 1, buffer, 16), "first");
  EXPECT_STREQ(GetListItemChecked("L", 3, buffer, 16), "third");
  EXPECT_STREQ(GetListItemChecked("L", 2, buffer, 7), "second");  // exact fit
  EXPECT_EQ(LastArgs("CbGetListItem"), R"("L" 2 7)");
  for (int index : {0, 4}) {
    EXPECT_EXIT(GetListItemChecked("L", index, buffer, 16), ExitedWithCode(0), "") << index;
  }
  EXPECT_EXIT(GetListItemChecked(nullptr, 1, buffer, 16), ExitedWithCode(0), "");
  EXPECT_EXIT(GetListLengthChecked(""), ExitedWithCode(0), "");
  ExpectEnded(false);
  EXPECT_EXIT(GetListItemChecked("L", 2, buffer, 6), ExitedWithCode(0), "");
  ExpectEnded(true);
  for (long long count : {0x8000LL, 0xFFFFLL}) {  // 16 bits without sign
    StandinSetResult("UsGetListLength", 0, count);
    EXPECT_EQ(GetListLengthChecked("L"), count);
  }
}

TEST_F(CheckedWrapperTest, DialogEventHandsBackTheOutcomeThatFits) {
  char event[11];
  StandinQueuePageOutcome("REACTIVATE");
  ShowCustomDialogEvent("L", 300, "P", "L", 900, "H", event, 11);
  EXPECT_STREQ(event, "REACTIVATE");  // unmapped
  StandinQueuePageOutcome("REACTIVATE");
  EXPECT_EXIT(ShowCustomDialogEvent("L", 300, "P", "L", 900, "H", event, 10), ExitedWithCode(0),
              "");
  ExpectEnded(true);
}

TEST_F(CheckedWrapperTest, CopyListCostComesBackWholeUnlessNegative) {
  for (long long cost : {0LL, 0x80000000LL, (5LL << 32) + 7}) {
    StandinSetResult("LcbGetCopyListCost", 0, cost);
    EXPECT_EQ(GetCopyListCostChecked("X", "C", "N"), cost);
  }
  EXPECT_EQ(LastArgs("LcbGetCopyListCost"), R"("X" "C" "N")");
  StandinSetResult("LcbGetCopyListCost", 0, -1);
  EXPECT_EXIT(GetCopyListCostChecked("X", "C", "N"), ExitedWithCode(0), "");
  ExpectEnded(false);
}

// 48 (the user quit) ends as a quit, other positive answers as a failure;
// the steps, and so the transcript, are the same.
TEST_F(CheckedWrapperTest, CopyRunEndsOnlyOnPositiveAnswers) {
  for (long long answer : {0LL, -5LL}) {
    StandinSetResult("GrcCopyFilesInCopyList", 0, answer);
    CopyFilesInListChecked();
  }
  EXPECT_THAT(Transcript(), Not(Contains("page show 400")));
  for (long long answer : {48LL, 49LL, 1LL}) {
    StandinSetResult("GrcCopyFilesInCopyList", 0, answer);
    EXPECT_EXIT(CopyFilesInListChecked(), ExitedWithCode(0), "") << answer;
  }
  ExpectEnded(false);
}

TEST_F(CheckedWrapperTest, FindFileAnswers) {
  char buffer[16] = "UNTOUCHED";
  StandinSetResult("WFindFileUsingFileOpen", 0, 0);
  EXPECT_EQ(FindFileViaFileOpen("K.386", buffer, 16), buffer);
  EXPECT_STREQ(buffer, " NTOUCHED");  // the toolkit wrote nothing: the blank stays
  EXPECT_EQ(LastArgs("WFindFileUsingFileOpen"), R"("K.386" 16)");
  StandinSetResult("WFindFileUsingFileOpen", 0, 1);
  EXPECT_STREQ(FindFileViaFileOpen("K.386", buffer, 16), "");  // not found is no failure
  StandinSetResult("WFindFileUsingFileOpen", 0, 2);
  EXPECT_EXIT(FindFileViaFileOpen("K.386", buffer, 16), ExitedWithCode(0), "");
  ExpectEnded(false);
}

TEST_F(SessionlessTest, InstallLibraryStartsOnlyWithoutSession) {
  EXPECT_EQ(StartInstallLibrary(), 1);
  StandinFailCall("FInitializeInstall", 2);
  EXPECT_EQ(StartInstallLibrary(), 0);  // a failure is answered, not fatal
  StartSession();
  size_t calls = StandinCallsOf("FInitializeInstall").size();
  EXPECT_EQ(StartInstallLibrary(), 0);
  EXPECT_EQ(StandinCallsOf("FInitializeInstall").size(), calls);
}

TEST_F(CheckedWrapperTest, ProgManItemJoinsAGivenExtraTextInTheJoinsBuffer) {
  for (const char* extra : {static_cast<const char*>(nullptr), ""}) {
    CreateProgManItemExChecked("G", "F", "A", "A.EXE", extra, 0);
    EXPECT_EQ(LastArgs("FCreateProgManItemEx"), R"("G" "F" "A" "A.EXE" 0)");
  }
  std::string item(kJoinThreeSize - 3, 'i');  // with ",x" the 767 characters that fit
  CreateProgManItemExChecked("G", "F", item.c_str(), "A.EXE", "x", 0);
  EXPECT_EQ(JoinThreeBuffer, item + ",x");
  item += 'i';
  EXPECT_EXIT(CreateProgManItemExChecked("G", "F", item.c_str(), "A.EXE", "x", 0),
              ExitedWithCode(0), "");
  ExpectEnded(true);
}

TEST_F(CheckedWrapperTest, ProgManNumberAndCopyOptions) {
  StandinSetResult("FShowProgManGroupEx", 0, 1);  // no such group or file: only the texts count
  StandinSetResult("FCopyOneFile", 0, 1);
  for (int number : {1, 0, INT_MIN}) {
    ShowProgManGroupExChecked("G", "F", number, 0);
    EXPECT_EQ(LastArgs("FShowProgManGroupEx"), R"("G" "F" ")" + std::to_string(number) + R"(" 0)");
  }
  struct Case {
    int given;
    const char* passed;
  } cases[] = {{0, R"("A" "B" 2 0)"}, {5, R"("A" "B" 7 0)"}, {2, R"("A" "B" 2 0)"}};
  for (const Case& c : cases) {
    CopyOneFileChecked("A", "B", c.given, FALSE);
    EXPECT_EQ(LastArgs("FCopyOneFile"), c.passed);
  }
}

TEST_F(SessionlessTest, SystemQueriesNeedNoToolkit) {
  if (!OpenMachine("version=0xC0000A04\nscreen=800x600\n")) GTEST_SKIP() << "a fixed system";
  EXPECT_EQ(GetWindowsMajorVersion(), 4);
  EXPECT_EQ(GetWindowsMinorVersion(), 10);
  EXPECT_EQ(GetScreenWidth(), 800);
  EXPECT_EQ(GetScreenHeight(), 600);
  EXPECT_EQ(GetModeCode(), 2);
  NoOperation();
  EXPECT_TRUE(StandinCalls().empty());
  ASSERT_TRUE(OpenMachine("version=0xFFFF\n"));
  EXPECT_EQ(GetWindowsMajorVersion(), 255);
  EXPECT_EQ(GetWindowsMinorVersion(), 255);
}

}  // namespace
