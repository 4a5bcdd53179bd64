// The answers file: what the user does, one action a line, in order.
//
//   page N continue|exit|back|reactivate     ends toolkit page N that way
//   page N text "TEXT" continue|...          first types TEXT into its edit field
//   msgbox ok                                presses OK on the next message box
//   dialog NAME [select N] button ID         in the module's dialog NAME (template
//                                            name or number) selects list position N,
//                                            then presses button ID
//
// '#' starts a comment (outside quotes); blank lines are ignored. Inside
// quotes, \" is a double quote and \\ a backslash; other backslashes stay.
#pragma once

#include <string>
#include <vector>

struct Answer {
  enum class Kind { Page, MessageBox, Dialog };
  Kind kind = Kind::Page;
  int line = 0;        // line number in the answers file
  std::string source;  // the line as written, for messages
  // Page
  int page = 0;
  bool has_text = false;
  std::string text;
  std::string outcome;  // "CONTINUE", "EXIT", "BACK", "REACTIVATE"
  // Message box
  int button = 1;  // IDOK; also the dialog's button id
  // Dialog
  std::string dialog;  // template name or decimal number
  static constexpr int kNoSelection = -2;
  int select = kNoSelection;
};

// Parses the whole file. On a bad line returns false with a message naming
// the line.
bool ParseAnswers(const std::string& content, std::vector<Answer>* answers, std::string* error);

// The answers in order, taken one at a time.
class AnswerQueue {
 public:
  explicit AnswerQueue(std::vector<Answer> answers) : answers_(std::move(answers)) {}
  // The next answer, or null when none is left.
  const Answer* Next();
  bool Empty() const { return next_ == answers_.size(); }

 private:
  std::vector<Answer> answers_;
  size_t next_ = 0;
};

// What to say when the next answer does not fit what the module shows:
// "setuphost: <what> shown, but the next answer is <answer>" or "... but no
// answer is left".
std::string UnexpectedMessage(const std::string& shown, const Answer* next);
