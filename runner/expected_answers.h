// The next answer, checked against what the module shows. Each front end
// asks here when a page, a message box or a module dialog waits, so both
// refuse an answer that does not fit with the same message, and stop the
// run (front_end.h).
#pragma once

#include <string>

#include "answers.h"

// The next answer must end this page.
const Answer& NextPageAnswer(AnswerQueue& answers, int page);
// The next answer must press OK on a message box.
void NextMessageBoxAnswer(AnswerQueue& answers, const std::string& text,
                          const std::string& caption);
// The next answer must be for this dialog (template name or number).
const Answer& NextDialogAnswer(AnswerQueue& answers, const std::string& dialog);

// A page's answer types a text, but the page has no edit field.
[[noreturn]] void StopForMissingEditField(const Answer& pageAnswer);
