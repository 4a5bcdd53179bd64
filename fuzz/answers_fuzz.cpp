// The runner's answers file. A file either reads whole or is refused with the
// line that is wrong; what it reads, written back in the file's own syntax,
// reads back the same.
#include <cstdint>
#include <string>
#include <vector>

#include "answers.h"
#include "fuzz_machine.h"

namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string Written(const Answer& a) {
  switch (a.kind) {
    case Answer::Kind::Page:
      return "page " + std::to_string(a.page) + (a.has_text ? " text " + Quoted(a.text) : "") +
             " " + Lower(a.outcome);
    case Answer::Kind::MessageBox:
      return "msgbox ok";
    case Answer::Kind::Dialog:
      return "dialog " + Quoted(a.dialog) +
             (a.select != Answer::kNoSelection ? " select " + std::to_string(a.select) : "") +
             " button " + std::to_string(a.button);
  }
  return std::string();
}

bool Same(const Answer& a, const Answer& b) {
  return a.kind == b.kind && a.page == b.page && a.has_text == b.has_text && a.text == b.text &&
         a.outcome == b.outcome && a.button == b.button && a.dialog == b.dialog &&
         a.select == b.select;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string content(reinterpret_cast<const char*>(data), size);
  std::vector<Answer> answers;
  std::string error;
  if (!ParseAnswers(content, &answers, &error)) {
    if (error.rfind("answers line ", 0) != 0) fuzz::Fail("a refusal without its line: " + error);
    return 0;
  }
  if (!error.empty()) fuzz::Fail("an error text on success: " + error);
  int lines = 1;
  for (char c : content) lines += c == '\n';
  int previous = 0;
  std::string rewritten;
  for (const Answer& a : answers) {
    if (a.line <= previous || a.line > lines) fuzz::Fail("an answer's line number is out of order");
    previous = a.line;
    if (a.source.empty()) fuzz::Fail("an answer without its source text");
    if (a.kind == Answer::Kind::Page && a.outcome != "CONTINUE" && a.outcome != "EXIT" &&
        a.outcome != "BACK" && a.outcome != "REACTIVATE")
      fuzz::Fail("a page answer with the outcome " + a.outcome);
    rewritten += Written(a) + "\n";
  }
  std::vector<Answer> again;
  if (!ParseAnswers(rewritten, &again, &error))
    fuzz::Fail("the answers written back do not read: " + error + "\n" + rewritten);
  if (again.size() != answers.size()) fuzz::Fail("the answers written back read as another count");
  for (size_t i = 0; i < answers.size(); ++i)
    if (!Same(answers[i], again[i]))
      fuzz::Fail("answer written back differs: " + Written(again[i]));
  return 0;
}
