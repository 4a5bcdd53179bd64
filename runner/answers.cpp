#include "answers.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// Splits a line into words; a quoted word keeps its blanks. '#' outside
// quotes ends the line.
bool SplitWords(const std::string& line, std::vector<std::string>* words, std::vector<bool>* quoted,
                std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      std::string word;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
          word += line[i + 1];
          i += 2;
        } else if (line[i] == '"') {
          closed = true;
          ++i;
          break;
        } else {
          word += line[i++];
        }
      }
      if (!closed) {
        *error = "unclosed quote";
        return false;
      }
      words->push_back(word);
      quoted->push_back(true);
    } else {
      std::string word;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
             line[i] != '#') {
        word += line[i++];
      }
      words->push_back(word);
      quoted->push_back(false);
    }
  }
  return true;
}

bool ParseNumber(const std::string& word, int* value) {
  if (word.empty()) return false;
  size_t start = word[0] == '-' ? 1 : 0;
  if (start == word.size()) return false;
  for (size_t i = start; i < word.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(word[i]))) return false;
  }
  // Digits only, but perhaps more than an int holds.
  errno = 0;
  long number = std::strtol(word.c_str(), nullptr, 10);
  if (errno != 0 || number < INT_MIN || number > INT_MAX) return false;
  *value = static_cast<int>(number);
  return true;
}

std::string Outcome(const std::string& word) {
  if (word == "continue") return "CONTINUE";
  if (word == "exit") return "EXIT";
  if (word == "back") return "BACK";
  if (word == "reactivate") return "REACTIVATE";
  return std::string();
}

bool ParsePage(const std::vector<std::string>& w, const std::vector<bool>& quoted, Answer* a,
               std::string* error) {
  if (w.size() < 3 || !ParseNumber(w[1], &a->page)) {
    *error = "expected: page N [text \"TEXT\"] continue|exit|back|reactivate";
    return false;
  }
  size_t next = 2;
  if (w[next] == "text" && !quoted[next]) {
    if (w.size() < 5 || !quoted[3]) {
      *error = "expected: page N text \"TEXT\" continue|exit|back|reactivate";
      return false;
    }
    a->has_text = true;
    a->text = w[3];
    next = 4;
  }
  if (next + 1 != w.size() || (a->outcome = Outcome(w[next])).empty()) {
    *error = "expected continue, exit, back or reactivate at the end";
    return false;
  }
  return true;
}

bool ParseDialog(const std::vector<std::string>& w, Answer* a, std::string* error) {
  const char* usage = "expected: dialog NAME [select N] button ID";
  if (w.size() < 4) {
    *error = usage;
    return false;
  }
  a->dialog = w[1];
  size_t next = 2;
  if (w[next] == "select") {
    if (w.size() != 6 || !ParseNumber(w[3], &a->select)) {
      *error = usage;
      return false;
    }
    next = 4;
  }
  if (next + 2 != w.size() || w[next] != "button" || !ParseNumber(w[next + 1], &a->button)) {
    *error = usage;
    return false;
  }
  return true;
}

}  // namespace

bool ParseAnswers(const std::string& content, std::vector<Answer>* answers, std::string* error) {
  int lineNumber = 0;
  size_t start = 0;
  while (start <= content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    start = end + 1;
    ++lineNumber;

    std::vector<std::string> words;
    std::vector<bool> quoted;
    std::string problem;
    Answer answer;
    answer.line = lineNumber;
    if (SplitWords(line, &words, &quoted, &problem) && !words.empty()) {
      size_t first = line.find_first_not_of(" \t");
      size_t comment = line.find('#');
      answer.source =
          line.substr(first, comment == std::string::npos ? std::string::npos : comment - first);
      while (!answer.source.empty() &&
             (answer.source.back() == ' ' || answer.source.back() == '\r')) {
        answer.source.pop_back();
      }
      if (words[0] == "page") {
        answer.kind = Answer::Kind::Page;
        ParsePage(words, quoted, &answer, &problem);
      } else if (words[0] == "msgbox") {
        answer.kind = Answer::Kind::MessageBox;
        if (words.size() != 2 || words[1] != "ok") problem = "expected: msgbox ok";
      } else if (words[0] == "dialog") {
        answer.kind = Answer::Kind::Dialog;
        ParseDialog(words, &answer, &problem);
      } else {
        problem = "unknown action '" + words[0] + "'";
      }
      if (problem.empty()) answers->push_back(answer);
    }
    if (!problem.empty()) {
      *error = "answers line " + std::to_string(lineNumber) + ": " + problem;
      return false;
    }
    if (end == content.size()) break;
  }
  return true;
}

const Answer* AnswerQueue::Next() {
  if (next_ == answers_.size()) return nullptr;
  return &answers_[next_++];
}

std::string UnexpectedMessage(const std::string& shown, const Answer* next) {
  if (next == nullptr) return "setuphost: " + shown + " shown, but no answer is left";
  return "setuphost: " + shown + " shown, but the next answer (line " + std::to_string(next->line) +
         ") is '" + next->source + "'";
}
