// What the checked wrappers' tests share: an open toolkit session, the
// arguments the stand-in recorded, and how the fatal path looks in the
// transcript a death test leaves.
#pragma once

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "standin/standin.h"
#include "support/toolkit_fixture.h"

namespace wrapper_test {

class CheckedWrapperTest : public toolkit_test::ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    StartSession();
  }

  // The last call's arguments as the record shows them, one blank apart:
  // R"("text" 12 NULL)".
  static std::string LastArgs(const std::string& function) {
    std::vector<ToolkitCall> calls = StandinCallsOf(function);
    if (calls.empty()) return function + " not called";
    std::string joined;
    for (const std::string& arg : calls.back().args) joined += (joined.empty() ? "" : " ") + arg;
    return joined;
  }

  // The run ended through the fatal path; with the overflow box first, or
  // with no message box at all.
  void ExpectEnded(bool overflowBox) const {
    const char* box = "msgbox \"Buffer Overflow\" \"MS-Setup Error\" 16";
    std::vector<std::string> lines = overflowBox ? TranscriptFrom(box) : Transcript();
    if (!overflowBox) {
      EXPECT_THAT(lines, ::testing::Not(::testing::Contains(::testing::StartsWith("msgbox "))));
    }
    EXPECT_THAT(lines, ::testing::Contains("page show 400")) << (overflowBox ? "no box first" : "");
    EXPECT_THAT(lines, ::testing::Contains("exit 0"));
  }
};

}  // namespace wrapper_test
