// The fixture itself: quiet pages and message boxes, and a transcript that a
// death test leaves behind.
#include <gmock/gmock.h>

#include "standin/core/standin.h"
#include "support/toolkit_fixture.h"
#include "toolkit/dialog_driver.h"
#include "toolkit/session.h"
#include "toolkit/symbols.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ExitedWithCode;
using toolkit_test::ToolkitTest;

using FixtureTest = ToolkitTest;

TEST_F(FixtureTest, PagesTakeQueuedOutcomes) {
  StartSession();
  StandinQueuePageOutcome("EXIT");
  EXPECT_EQ(ShowPage(kWelcomePage), DialogExit);
  EXPECT_EQ(ShowPage(kWelcomePage), DialogContinue);
}

TEST_F(FixtureTest, FatalPathLeavesItsTranscript) {
  StartSession();
  WriteSymbol("EditTextOut", std::string(300, 'v').c_str());
  char buffer[256];
  EXPECT_EXIT(ReadSymbol("EditTextOut", buffer, 256), ExitedWithCode(0), "");
  EXPECT_THAT(TranscriptFrom("msgbox \"Buffer Overflow\" \"MS-Setup Error\" 16"),
              ElementsAre("msgbox \"Buffer Overflow\" \"MS-Setup Error\" 16", "page pop all",
                          "page show 400", "symbol DLGEVENT \"CONTINUE\"", "page pop 1",
                          "frame end", "install end", "exit 0"));
}

}  // namespace

namespace {

using ::testing::ElementsAre;
using ::testing::ExitedWithCode;
using toolkit_test::ToolkitTest;

using FixtureFilesTest = ToolkitTest;

TEST_F(FixtureFilesTest, ScratchFilesKeepTheirBytes) {
  const std::string scratch = ScratchDir();
  EXPECT_TRUE(FileExists(scratch));
  const char raw[] = "line\r\nnul\0end\x81\xff";
  const std::string bytes(raw, sizeof raw - 1);
  WriteFile(scratch + "\\SUB\\DEEP\\DATA.BIN", bytes);
  EXPECT_EQ(ReadFile(scratch + "\\SUB\\DEEP\\DATA.BIN"), bytes);
  EXPECT_EQ(ReadFile(scratch + "\\sub\\deep\\data.bin"), bytes) << "Windows paths ignore case";
  EXPECT_FALSE(FileExists(scratch + "\\MISSING.TXT"));
  EXPECT_EQ(ReadFile(scratch + "\\MISSING.TXT"), "");
  MakeDir(scratch + "\\NEW\\DIR");
  EXPECT_NE(GetFileAttributesA((scratch + "\\NEW\\DIR").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

// The transcript reads the same whether a dying statement runs in a fork
// (natively) or in the test program run again (Windows): the parent's lines
// once, then each statement's own.
TEST_F(FixtureFilesTest, EveryDeathTestLeavesItsTranscript) {
  StartSession();
  EXPECT_EXIT(SetupErrorExit(SetupErrorFail), ExitedWithCode(0), "");
  WriteSymbol("Between", "deaths");
  EXPECT_EXIT(SetupErrorExit(SetupErrorQuit), ExitedWithCode(0), "");
  const std::vector<std::string> fatalPath = {
      "page pop all", "page show 400", "symbol DLGEVENT \"CONTINUE\"", "page pop 1", "frame end",
      "install end",  "exit 0"};
  std::vector<std::string> expected = {"frame open 1"};
  expected.insert(expected.end(), fatalPath.begin(), fatalPath.end());
  expected.push_back("symbol Between \"deaths\"");
  expected.insert(expected.end(), fatalPath.begin(), fatalPath.end());
  EXPECT_EQ(Transcript(), expected);
}

// The double-byte code page: the system's own text functions step over a
// whole character, whose trail byte may be a backslash.
TEST_F(FixtureFilesTest, Cp932TextStepsByCharacter) {
  if (!UseCodePage(932)) GTEST_SKIP() << "the system's code page is not 932";
  EXPECT_EQ(GetACP(), 932u);
  const char text[] =
      "\x83\x5C"
      "A\\";
  EXPECT_TRUE(IsDBCSLeadByte(0x83));
  EXPECT_EQ(CharNextA(text), text + 2);
  EXPECT_EQ(CharNextA(text + 2), text + 3);
  EXPECT_EQ(CharPrevA(text, text + 2), text);
  EXPECT_EQ(CharPrevA(text, text + 4), text + 3);
}

}  // namespace
