#include "calls.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <map>
#include <string>

#include "standin.h"
#include "transcript.h"

namespace {

struct FailureRule {
  bool every = false;
  int nth = 0;
};

struct ResultRule {
  bool every = false;
  int nth = 0;
  long long value = 0;
};

struct CallState {
  std::vector<ToolkitCall> calls;
  std::map<std::string, int> counts;
  std::map<std::string, FailureRule> failures;
  std::map<std::string, std::vector<ResultRule>> results;
  std::map<std::string, std::string> settings;  // other [toolkit] lines (inf=...)
  int frame_result = 1;
  bool config_loaded = false;
  std::deque<std::string> page_outcomes;
};

// Not forgotten by a reset: a test turns it on once for all its steps.
bool quiet;

CallState& State() {
  static CallState state;
  return state;
}

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// "V" or "V N": the value every call, or only the Nth call, reports. A
// value that is not a whole number is ignored, as other bad lines are.
void ParseResultRule(const std::string& name, const std::string& text) {
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(text.c_str(), &end, 0);
  if (end == text.c_str() || errno != 0) return;
  std::string rest = Trim(end);
  ResultRule rule{true, 0, value};
  if (!rest.empty()) {
    char* nthEnd = nullptr;
    long nth = std::strtol(rest.c_str(), &nthEnd, 10);
    if (*nthEnd != '\0' || nth < 1 || nth > 1000000) return;
    rule = ResultRule{false, static_cast<int>(nth), value};
  }
  State().results[name].push_back(rule);
}

// Reads the [toolkit] section of the machine's machine.ini, once.
void LoadConfig() {
  CallState& state = State();
  if (state.config_loaded) return;
  state.config_loaded = true;
  const char* path = std::getenv("SETUPHOST_MACHINE_INI");
  if (path == nullptr || *path == '\0') return;
  std::ifstream file(path);
  std::string line;
  bool inToolkit = false;
  while (std::getline(file, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      inToolkit = Lower(line) == "[toolkit]";
      continue;
    }
    size_t equals = line.find('=');
    if (!inToolkit || equals == std::string::npos) continue;
    std::string name = Trim(line.substr(0, equals));
    std::string value = Trim(line.substr(equals + 1));
    if (value.rfind("result ", 0) == 0) {
      ParseResultRule(name, value.substr(7));
    } else if (name == "InitializeFrame" && value != "fail" && value.rfind("fail ", 0) != 0) {
      state.frame_result = std::atoi(value.c_str());
    } else if (value == "fail") {
      state.failures[name] = FailureRule{true, 0};
    } else if (value.rfind("fail ", 0) == 0) {
      state.failures[name] = FailureRule{false, std::atoi(value.c_str() + 5)};
    } else {
      state.settings[Lower(name)] = value;
    }
  }
}

}  // namespace

std::string CallArg(const char* text) {
  return text == nullptr ? std::string("NULL") : TranscriptQuote(text);
}

std::string CallArg(long long number) { return std::to_string(number); }

bool ToolkitCallFails(const char* function, std::vector<std::string> args) {
  LoadConfig();
  CallState& state = State();
  state.calls.push_back(ToolkitCall{function, std::move(args)});
  int count = ++state.counts[function];
  auto rule = state.failures.find(function);
  if (rule == state.failures.end()) return false;
  if (!rule->second.every && rule->second.nth != count) return false;
  TranscriptLine(std::string("toolkit fail ") + function);
  return true;
}

long long ToolkitResult(const char* function, long long real) {
  CallState& state = State();
  auto rules = state.results.find(function);
  if (rules == state.results.end()) return real;
  int count = state.counts[function];
  // A rule for this very call wins over a rule for every call.
  const ResultRule* chosen = nullptr;
  for (const ResultRule& rule : rules->second) {
    if (!rule.every && rule.nth == count) return rule.value;
    if (rule.every) chosen = &rule;
  }
  return chosen != nullptr ? chosen->value : real;
}

bool QuietMode() { return quiet; }

std::string NextQuietPageOutcome() {
  std::deque<std::string>& outcomes = State().page_outcomes;
  if (outcomes.empty()) return "CONTINUE";
  std::string outcome = outcomes.front();
  outcomes.pop_front();
  return outcome;
}

void StandinSetQuiet(bool on) { quiet = on; }

void StandinQueuePageOutcome(const std::string& outcome) {
  State().page_outcomes.push_back(outcome);
}

int ConfiguredFrameResult() {
  LoadConfig();
  return State().frame_result;
}

std::string ToolkitSetting(const char* name) {
  LoadConfig();
  auto found = State().settings.find(Lower(name));
  return found == State().settings.end() ? std::string() : found->second;
}

void ResetCallRecord() {
  CallState& state = State();
  state.settings.clear();
  state.calls.clear();
  state.counts.clear();
  state.failures.clear();
  state.results.clear();
  state.page_outcomes.clear();
  state.frame_result = 1;
  state.config_loaded = false;
}

std::vector<ToolkitCall> StandinCalls() { return State().calls; }

std::vector<ToolkitCall> StandinCallsOf(const std::string& function) {
  std::vector<ToolkitCall> calls;
  for (const ToolkitCall& call : State().calls) {
    if (call.function == function) calls.push_back(call);
  }
  return calls;
}

void StandinFailCall(const std::string& function, int nth) {
  LoadConfig();
  State().failures[function] = FailureRule{nth == 0, nth};
}

void StandinSetResult(const std::string& function, int nth, long long value) {
  LoadConfig();
  State().results[function].push_back(ResultRule{nth == 0, nth, value});
}

void StandinSetFrameResult(int value) {
  LoadConfig();
  State().frame_result = value;
}
