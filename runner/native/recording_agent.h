// setuphost --record FILE: an agent that passes every question to the agent
// that answers (the answers file or the person) and writes down the answer
// given, as an answers file line.
#pragma once

#include "answer_recorder.h"
#include "host/user_agent.h"

class RecordingAgent : public host::UserAgent {
 public:
  RecordingAgent(host::UserAgent& answering, const AnswerRecorder& recorder)
      : answering_(answering), recorder_(recorder) {}

  std::string AnswerPage(int page, std::string* editText) override;
  std::string AnswerShownPage(int page, const host::WindowView& view,
                              std::string* editText) override;
  int AnswerMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override;
  host::DialogAnswer AnswerDialog(const std::string& name) override;
  host::DialogAnswer AnswerShownDialog(const std::string& name,
                                       const host::WindowView& view) override;
  void ShowHelp(int page, const host::WindowView& help) override;

 private:
  void RecordPage(int page, const std::string* before, const std::string* editText,
                  const std::string& outcome);
  void RecordDialog(const std::string& name, const host::DialogAnswer& answer);

  host::UserAgent& answering_;
  const AnswerRecorder& recorder_;
};
