// The answers file of a run as it happened (--record FILE): every page
// ending, text typed, list selection, button and message box, in the form
// the answers file reader takes, so that replaying it does the same.
#pragma once

#include <string>

// TEXT quoted for an answers file: a backslash is doubled only where the
// reader would otherwise take it for an escape (before a quote, another
// backslash or the closing quote), so paths stay readable.
std::string QuoteAnswerText(const std::string& text);

// "page 300 text "D:\KYR" continue"; the outcome as the toolkit names it
// ("CONTINUE" ...). Without typedText the text part is left out.
std::string PageAnswerLine(int page, const std::string* typedText, const std::string& outcome);
// "dialog INSTALL_DLG select 1 button 1"; a negative select is left out.
std::string DialogAnswerLine(const std::string& dialog, int select, int button);
constexpr char kMessageBoxAnswerLine[] = "msgbox ok";

// Appends lines to the record file; each line is written through at once,
// since the module may end the process at any moment.
class AnswerRecorder {
 public:
  // No path: records nothing.
  bool Open(const std::string& path, const std::string& heading, std::string* error);
  bool Active() const { return !path_.empty(); }
  void Line(const std::string& line) const;

 private:
  std::string path_;
};
