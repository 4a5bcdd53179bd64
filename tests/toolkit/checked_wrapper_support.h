// What the checked wrappers' tests share: an open toolkit session, the
// arguments the stand-in recorded, and how the fatal path looks in the
// transcript a death test leaves.
#pragma once

#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "standin/core/standin.h"
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

  // The last run ended through the fatal path; with the overflow box
  // first, or with no message box at all. Each check looks only at the
  // transcript lines written since the previous one.
  void ExpectEnded(bool overflowBox) {
    std::vector<std::string> all = Transcript();
    std::vector<std::string> lines(all.begin() + std::min(checked_, all.size()), all.end());
    checked_ = all.size();
    const char* box = "msgbox \"Buffer Overflow\" \"MS-Setup Error\" 16";
    auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
      return line.rfind("msgbox ", 0) == 0;
    });
    bool boxShown = first != lines.end();
    EXPECT_EQ(boxShown, overflowBox) << "whether a message box came first";
    if (boxShown) {
      EXPECT_EQ(*first, box);
    }
    // The failure page comes after the box, if any.
    EXPECT_THAT(std::vector<std::string>(boxShown ? first : lines.begin(), lines.end()),
                ::testing::Contains("page show 400"));
    EXPECT_THAT(lines, ::testing::Contains("exit 0"));
  }

 private:
  size_t checked_ = 0;
};

}  // namespace wrapper_test
