// setuphost --answers FILE on the host layer: the answers file answers what
// the module shows, each answer checked against it (expected_answers.h).
#pragma once

#include <string>
#include <utility>

#include "answers.h"
#include "host/user_agent.h"

class AnswersAgent : public host::UserAgent {
 public:
  explicit AnswersAgent(AnswerQueue answers) : answers_(std::move(answers)) {}

  std::string AnswerPage(int page, std::string* editText) override;
  int AnswerMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override;
  host::DialogAnswer AnswerDialog(const std::string& name) override;

 private:
  AnswerQueue answers_;
};
