// The fixture itself: quiet pages and message boxes, and a transcript that a
// death test leaves behind.
#include <gmock/gmock.h>

#include "standin/standin.h"
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
