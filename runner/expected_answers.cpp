#include "expected_answers.h"

#include "front_end.h"

namespace {
std::string PageShown(int page) { return "page " + std::to_string(page); }
}  // namespace

const Answer& NextPageAnswer(AnswerQueue& answers, int page) {
  const Answer* answer = answers.Next();
  if (answer == nullptr || answer->kind != Answer::Kind::Page || answer->page != page) {
    StopRun(UnexpectedMessage(PageShown(page), answer));
  }
  return *answer;
}

void NextMessageBoxAnswer(AnswerQueue& answers, const std::string& text,
                          const std::string& caption) {
  const Answer* answer = answers.Next();
  if (answer == nullptr || answer->kind != Answer::Kind::MessageBox) {
    StopRun(UnexpectedMessage("message box \"" + text + "\" \"" + caption + "\"", answer));
  }
}

const Answer& NextDialogAnswer(AnswerQueue& answers, const std::string& dialog) {
  const Answer* answer = answers.Next();
  if (answer == nullptr || answer->kind != Answer::Kind::Dialog || answer->dialog != dialog) {
    StopRun(UnexpectedMessage("dialog " + dialog, answer));
  }
  return *answer;
}

void StopForMissingEditField(const Answer& pageAnswer) {
  StopRun("setuphost: " + PageShown(pageAnswer.page) + " has no edit field for '" +
          pageAnswer.source + "'");
}
