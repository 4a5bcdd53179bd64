// A machine, a scripted user and a clean toolkit for the session and wizard
// tests.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "host/user_agent.h"

namespace spine_support {

// Answers pages from a script of outcome texts (an optional edit text
// first) and message boxes with OK, recording what came.
class PageScript : public host::UserAgent {
 public:
  struct Step {
    int page;
    std::string outcome;
    const char* text = nullptr;
  };
  std::deque<Step> steps;
  std::vector<int> pagesShown;
  std::vector<std::string> editTextsSeen;
  std::vector<std::string> messageBoxes;

  std::string AnswerPage(int page, std::string* editText) override;
  int AnswerMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override;
  host::DialogAnswer AnswerDialog(const std::string& name) override;
};

class SpineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes machine.ini (the [machine] section's extra lines) and opens it.
  void OpenMachine(const std::string& machineLines = "");
  void MakeDir(const std::string& relative);
  std::vector<std::string> Transcript() const;

  std::string dir_;
  PageScript user_;
};

}  // namespace spine_support
