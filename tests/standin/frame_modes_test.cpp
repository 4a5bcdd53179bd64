// The frame's about box, cursor and modes, billboards and the progress gauge.
#include <string>
#include <vector>

#include "standin_fixture.h"
#include "toolkit/toolkit_api.h"

namespace {

class FrameModesTest : public StandinTest {};

TEST_F(FrameModesTest, ModesReturnThePreviousMode) {
  EXPECT_TRUE(FSetBeepingMode(FALSE));  // beeping was on
  EXPECT_FALSE(FSetBeepingMode(TRUE));  // was off
  EXPECT_TRUE(FSetBeepingMode(TRUE));
  EXPECT_FALSE(FSetSilent(TRUE));  // was not silent
  EXPECT_TRUE(FSetSilent(5));      // any nonzero is on
  EXPECT_TRUE(FSetSilent(FALSE));
  EXPECT_EQ(TranscriptOf("mode"),
            (std::vector<std::string>{"mode beeping off", "mode beeping on", "mode beeping on",
                                      "mode silent on", "mode silent on", "mode silent off"}));
}

TEST_F(FrameModesTest, TheWaitCursorGivesBackTheOneItReplaced) {
  HCURSOR arrow = HShowWaitCursor();
  ASSERT_NE(arrow, nullptr);
  HCURSOR wait = HShowWaitCursor();
  EXPECT_NE(wait, arrow);
  EXPECT_TRUE(FRestoreCursor(wait));
  EXPECT_TRUE(FRestoreCursor(arrow));
  EXPECT_EQ(HShowWaitCursor(), arrow);
  EXPECT_FALSE(FRestoreCursor(nullptr));
  EXPECT_EQ(TranscriptOf("cursor"),
            (std::vector<std::string>{"cursor wait", "cursor wait", "cursor restore",
                                      "cursor restore", "cursor wait"}));
}

TEST_F(FrameModesTest, AboutBillboardsAndProgressAreShown) {
  EXPECT_TRUE(FSetAbout("Kyroth Setup", "Version \"2\""));
  EXPECT_TRUE(FAddToBillboardList("mscuistf.dll", 500, "FModelessDlgProc", 3));
  EXPECT_TRUE(FAddToBillboardList(nullptr, 0, nullptr, 7));
  EXPECT_TRUE(FClearBillboardList());
  EXPECT_EQ(ProSetPos(30, 100), 0);
  EXPECT_EQ(ProSetPos(60, 100), 30);
  EXPECT_EQ(ProSetPos(-1, 100), 60);
  std::vector<std::string> transcript = Transcript();
  EXPECT_EQ(transcript, (std::vector<std::string>{
                            "about \"Kyroth Setup\" \"Version \\\"2\\\"\"",
                            "billboard add \"mscuistf.dll\" 500 \"FModelessDlgProc\" 3",
                            "billboard add NULL 0 NULL 7",
                            "billboard clear",
                            "progress 30 100",
                            "progress 60 100",
                            "progress -1 100",
                        }));
}

TEST_F(FrameModesTest, TheMachineSetsResultsPerCall) {
  Open("[toolkit]\nProSetPos=result 7 2\nFSetSilent=result 0\nFSetAbout=fail\n");
  EXPECT_EQ(ProSetPos(10, 100), 0);
  EXPECT_EQ(ProSetPos(20, 100), 7);  // the second call reports 7
  EXPECT_EQ(ProSetPos(30, 100), 20);
  EXPECT_FALSE(FSetSilent(TRUE));
  EXPECT_FALSE(FSetSilent(FALSE));  // still 0, though silent was on
  EXPECT_FALSE(FSetAbout("t", "x"));
  EXPECT_EQ(TranscriptOf("about"), std::vector<std::string>{});
  EXPECT_EQ(TranscriptOf("mode"), (std::vector<std::string>{"mode silent on", "mode silent off"}));
}

// A function whose result the caller reads reports its failure value on the
// call a rule fails, and its real result on the others.
TEST_F(FrameModesTest, FailureRulesReachEveryFunctionWithAResult) {
  Open("[toolkit]\nFRestartListEmpty=fail 1\nHinstFrame=fail 2\n");
  EXPECT_FALSE(FRestartListEmpty());
  EXPECT_TRUE(FRestartListEmpty());
  HINSTANCE instance = HinstFrame();
  EXPECT_NE(instance, nullptr);
  EXPECT_EQ(HinstFrame(), nullptr);
  EXPECT_EQ(HinstFrame(), instance);
}

}  // namespace
