#include "answers_agent.h"

#include "expected_answers.h"
#include "winapi.h"

std::string AnswersAgent::AnswerPage(int page, std::string* editText) {
  const Answer& answer = NextPageAnswer(answers_, page);
  if (answer.has_text) {
    if (editText == nullptr) StopForMissingEditField(answer);
    *editText = answer.text;
  }
  return answer.outcome;
}

int AnswersAgent::AnswerMessageBox(const std::string& text, const std::string& caption,
                                   unsigned style) {
  (void)style;
  NextMessageBoxAnswer(answers_, text, caption);
  return IDOK;
}

host::DialogAnswer AnswersAgent::AnswerDialog(const std::string& name) {
  const Answer& answer = NextDialogAnswer(answers_, name);
  host::DialogAnswer reply;
  reply.select =
      answer.select == Answer::kNoSelection ? host::DialogAnswer::kNoSelection : answer.select;
  reply.button = answer.button;
  return reply;
}
