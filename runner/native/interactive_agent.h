// setuphost --interactive: the person at the terminal answers. Each page,
// message box and dialog is shown as text (its caption, texts, edit field,
// list entries, and its buttons numbered, with their access keys); the
// person types a button's number or key (Enter presses the default button),
// "select N" to select list entry N, and, on a page with an edit field,
// first the field's new text.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "host/user_agent.h"

class InteractiveAgent : public host::UserAgent {
 public:
  // stop is called when the person has left (the input ended); it must not
  // return.
  InteractiveAgent(std::istream& in, std::ostream& out,
                   std::function<void(const std::string&)> stop);

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
  struct Choice {
    int button = 0;  // the control id pressed
    int select = host::DialogAnswer::kNoSelection;
  };
  std::string ReadLine(const std::string& prompt);
  void Show(const std::string& heading, const host::WindowView& view, int selection);
  // Shows the window (unless shown already) and asks until a button is
  // pressed.
  Choice Choose(const std::string& heading, const host::WindowView& view, bool shown);

  std::istream& in_;
  std::ostream& out_;
  std::function<void(const std::string&)> stop_;
};

// A button's text as shown ("&Continue" -> "Continue") and its access key
// (upper case; 0 when it has none).
std::string ButtonLabel(const std::string& text);
char AccessKey(const std::string& text);
