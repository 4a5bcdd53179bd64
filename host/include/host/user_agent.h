// The person in front of the native machine. The runner answers from its
// answers file; tests answer from their script. Whatever waits for the user
// (a toolkit page, a message box, a dialog's modal loop) asks the agent.
#pragma once

#include <string>

namespace host {

// What the user does in a dialog of the module: an optional selection in its
// list box, then a click on a button.
struct DialogAnswer {
  static constexpr int kNoSelection = -2;
  int select = kNoSelection;  // list box position to select, or kNoSelection
  int button = 0;             // control id of the button pressed
};

class UserAgent {
 public:
  virtual ~UserAgent() = default;
  // A toolkit page waits. editText is the page's edit field (null when the
  // page has none); the user may change it. Returns the page's outcome text:
  // "CONTINUE", "EXIT", "BACK" or "REACTIVATE".
  virtual std::string AnswerPage(int page, std::string* editText) = 0;
  // A message box waits. Returns the id of the button pressed (IDOK ...).
  virtual int AnswerMessageBox(const std::string& text, const std::string& caption,
                               unsigned style) = 0;
  // A dialog of the module waits for input. name is the template's name, or
  // its number in decimal.
  virtual DialogAnswer AnswerDialog(const std::string& name) = 0;
};

// The agent asked from now on (null: nobody answers, and asking aborts).
void SetUserAgent(UserAgent* agent);
UserAgent& User();

}  // namespace host
