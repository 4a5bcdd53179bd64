#include "recording_agent.h"

#include "winapi.h"

void RecordingAgent::RecordPage(int page, const std::string* before, const std::string* editText,
                                const std::string& outcome) {
  // The text is written only when the user changed it: the page keeps what
  // it holds, so a replay without it leaves it the same.
  bool typed = editText != nullptr && before != nullptr && *editText != *before;
  recorder_.Line(PageAnswerLine(page, typed ? editText : nullptr, outcome));
}

void RecordingAgent::RecordDialog(const std::string& name, const host::DialogAnswer& answer) {
  recorder_.Line(DialogAnswerLine(
      name, answer.select == host::DialogAnswer::kNoSelection ? -1 : answer.select, answer.button));
}

std::string RecordingAgent::AnswerPage(int page, std::string* editText) {
  std::string before = editText != nullptr ? *editText : std::string();
  std::string outcome = answering_.AnswerPage(page, editText);
  RecordPage(page, &before, editText, outcome);
  return outcome;
}

std::string RecordingAgent::AnswerShownPage(int page, const host::WindowView& view,
                                            std::string* editText) {
  std::string before = editText != nullptr ? *editText : std::string();
  std::string outcome = answering_.AnswerShownPage(page, view, editText);
  RecordPage(page, &before, editText, outcome);
  return outcome;
}

int RecordingAgent::AnswerMessageBox(const std::string& text, const std::string& caption,
                                     unsigned style) {
  int button = answering_.AnswerMessageBox(text, caption, style);
  // An answers file presses OK only; the module's boxes have nothing else.
  recorder_.Line(button == IDOK ? std::string(kMessageBoxAnswerLine)
                                : "# message box: button " + std::to_string(button) +
                                      " pressed, which an answers file cannot press");
  return button;
}

host::DialogAnswer RecordingAgent::AnswerDialog(const std::string& name) {
  host::DialogAnswer answer = answering_.AnswerDialog(name);
  RecordDialog(name, answer);
  return answer;
}

host::DialogAnswer RecordingAgent::AnswerShownDialog(const std::string& name,
                                                     const host::WindowView& view) {
  host::DialogAnswer answer = answering_.AnswerShownDialog(name, view);
  RecordDialog(name, answer);
  return answer;
}

void RecordingAgent::ShowHelp(int page, const host::WindowView& help) {
  answering_.ShowHelp(page, help);
}
