// A user who answers the module's dialogs from a script, in order, and
// fails the test on anything else.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "host/user_agent.h"
#include "winapi.h"

class ScriptedDialogUser : public host::UserAgent {
 public:
  explicit ScriptedDialogUser(int fallbackButton) : fallbackButton_(fallbackButton) {}

  std::deque<host::DialogAnswer> answers;
  std::vector<std::string> asked;
  // Runs while the dialog waits, so that a test can look at it.
  std::function<void()> whileWaiting;

  std::string AnswerPage(int page, std::string*) override {
    ADD_FAILURE() << "page " << page;
    return "EXIT";
  }
  int AnswerMessageBox(const std::string& text, const std::string&, unsigned) override {
    ADD_FAILURE() << "message box " << text;
    return IDOK;
  }
  host::DialogAnswer AnswerDialog(const std::string& name) override {
    asked.push_back(name);
    if (whileWaiting) whileWaiting();
    if (answers.empty()) {
      ADD_FAILURE() << "no answer left for dialog " << name;
      return {host::DialogAnswer::kNoSelection, fallbackButton_};
    }
    host::DialogAnswer next = answers.front();
    answers.pop_front();
    return next;
  }

 private:
  // Pressed when the script has ended, so that the dialog still ends.
  int fallbackButton_;
};
