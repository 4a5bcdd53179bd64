// The person in front of the native machine. The runner answers from its
// answers file; tests answer from their script. Whatever waits for the user
// (a toolkit page, a message box, a dialog's modal loop) asks the agent.
#pragma once

#include <string>
#include <vector>

namespace host {

// What a person sees of a window that waits: its caption and its controls in
// template order, so that an agent can show them (the interactive runner
// prints them). Icons are left out.
struct ControlView {
  enum class Kind { Text, Button, DefaultButton, Edit, List };
  Kind kind = Kind::Text;
  int id = 0;
  std::string text;                // the label, the button's text with its & access key
  std::vector<std::string> items;  // a list box's entries
  int selection = -1;              // a list box's selected position, -1 for none
  bool enabled = true;
  int top = 0, left = 0;  // where it sits, in dialog units, for the reading order
};

struct WindowView {
  std::string caption;
  std::vector<ControlView> controls;
};

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

  // The same questions with what the window shows. An agent that does not
  // look at the window answers by number or name alone.
  virtual std::string AnswerShownPage(int page, const WindowView& view, std::string* editText) {
    (void)view;
    return AnswerPage(page, editText);
  }
  virtual DialogAnswer AnswerShownDialog(const std::string& name, const WindowView& view) {
    (void)view;
    return AnswerDialog(name);
  }
  // The help page shown over `page` after its Help button; it stays until
  // the user presses its OK. An agent that answered "REACTIVATE" has closed
  // it already; one that shows windows shows it here.
  virtual void ShowHelp(int page, const WindowView& help) {
    (void)page;
    (void)help;
  }
};

// The agent asked from now on (null: nobody answers, and asking aborts).
void SetUserAgent(UserAgent* agent);
UserAgent& User();

}  // namespace host
