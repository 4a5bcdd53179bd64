#include "core/call_record.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "machine_ini.h"
#include "truncated_copy.h"

namespace {

struct RecordedCall {
  std::string function;
  std::vector<std::string> arguments;
};

struct FailureRule {
  bool every = false;
  int nth = 0;
};

struct ResultRule {
  bool every = false;
  int nth = 0;
  long long value = 0;
};

struct Record {
  std::vector<RecordedCall> calls;
  std::map<std::string, int> counts;
  std::map<std::string, FailureRule> failures;
  std::map<std::string, std::vector<ResultRule>> results;
  std::map<std::string, std::string> settings;  // other [toolkit] lines, by lower-case key
  int frame_result = 1;
  bool config_loaded = false;
  std::deque<std::string> page_outcomes;
  std::string taken_outcome;  // the outcome last taken, handed out as text
};

// What the libraries registered: kept across resets, as the libraries stay
// loaded. Quiet mode too: a test turns it on once for all its steps.
struct Registrations {
  std::vector<RecordResetHook> resets;
  RecordSymbolReader symbols = nullptr;
  RecordPageStackReader pages = nullptr;
  bool quiet = false;
};

Record& State() {
  static Record record;
  return record;
}

Registrations& Registered() {
  static Registrations registrations;
  return registrations;
}

// "V" or "V N": the value every call, or only the Nth call, reports. False
// for a value that is not a whole number or a bad N.
bool ParseResultRule(const std::string& name, const std::string& text) {
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(text.c_str(), &end, 0);
  if (end == text.c_str() || errno != 0) return false;
  std::string rest = machine_ini::Trim(end);
  ResultRule rule{true, 0, value};
  if (!rest.empty()) {
    char* nthEnd = nullptr;
    long nth = std::strtol(rest.c_str(), &nthEnd, 10);
    if (*nthEnd != '\0' || nth < 1 || nth > 1000000) return false;
    rule = ResultRule{false, static_cast<int>(nth), value};
  }
  State().results[name].push_back(rule);
  return true;
}

// A whole decimal number of int's range, or nothing: "fail 99999999999" is
// a bad line, not a wrapped count.
bool ParseInt(const std::string& text, int* value) {
  char* end = nullptr;
  errno = 0;
  long number = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0' || errno != 0 || number < INT_MIN || number > INT_MAX) {
    return false;
  }
  *value = static_cast<int>(number);
  return true;
}

// Reads the [toolkit] section of the machine's machine.ini, once. A line of
// it that cannot be read is named on stderr and skipped.
void LoadConfig() {
  Record& state = State();
  if (state.config_loaded) return;
  state.config_loaded = true;
  const char* path = std::getenv("SETUPHOST_MACHINE_INI");
  if (path == nullptr || *path == '\0') return;
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  machine_ini::MachineIni ini;
  std::string error;
  if (!ini.Parse(path, content.str(), &error)) {
    std::fprintf(stderr, "standin: %s\n", error.c_str());
    return;
  }
  std::vector<std::pair<int, std::string>> bad;  // (line, what), named in the file's order
  for (const machine_ini::BadLine& line : ini.BadLines())
    if (machine_ini::SameName(line.section, "toolkit")) bad.emplace_back(line.line, line.what);
  for (const machine_ini::Entry& entry : ini.Entries()) {
    if (!machine_ini::SameName(entry.section, "toolkit")) continue;
    const std::string& name = entry.key;
    const std::string& value = entry.value;
    if (value.rfind("result ", 0) == 0) {
      if (!ParseResultRule(name, value.substr(7)))
        bad.emplace_back(entry.line, "not result V [N] (N from 1): skipped");
    } else if (name == "InitializeFrame" && value != "fail" && value.rfind("fail ", 0) != 0) {
      if (!ParseInt(value, &state.frame_result))
        bad.emplace_back(entry.line, "the frame's result is not a number: skipped");
    } else if (value == "fail") {
      state.failures[name] = FailureRule{true, 0};
    } else if (value.rfind("fail ", 0) == 0) {
      int nth = 0;
      if (ParseInt(machine_ini::Trim(value.substr(5)), &nth) && nth >= 1) {
        state.failures[name] = FailureRule{false, nth};
      } else {
        bad.emplace_back(entry.line, "not fail [N] (N from 1): skipped");
      }
    } else {
      state.settings[machine_ini::Fold(name)] = value;
    }
  }
  std::stable_sort(bad.begin(), bad.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [line, what] : bad) machine_ini::ReportBadLine("standin", path, line, what);
}

const RecordedCall* CallAt(int index) {
  const std::vector<RecordedCall>& calls = State().calls;
  if (index < 0 || static_cast<size_t>(index) >= calls.size()) return nullptr;
  return &calls[static_cast<size_t>(index)];
}

// text into buffer as the toolkit copies it; the text's whole length.
int CopyBounded(const std::string& text, char* buffer, int size) {
  if (size > 0) machine_ini::CopyTruncated(text, buffer, static_cast<size_t>(size));
  return static_cast<int>(text.size());
}

}  // namespace

int RecordToolkitCall(const char* function, const char* const* arguments, int argumentCount) {
  LoadConfig();
  Record& state = State();
  RecordedCall call{function, {}};
  for (int i = 0; i < argumentCount; ++i) call.arguments.emplace_back(arguments[i]);
  state.calls.push_back(std::move(call));
  int count = ++state.counts[function];
  auto rule = state.failures.find(function);
  if (rule == state.failures.end()) return 0;
  return rule->second.every || rule->second.nth == count;
}

long long RecordedCallResult(const char* function, long long real) {
  Record& state = State();
  auto rules = state.results.find(function);
  if (rules == state.results.end()) return real;
  int count = state.counts[function];
  const ResultRule* chosen = nullptr;
  for (const ResultRule& rule : rules->second) {
    if (!rule.every && rule.nth == count) return rule.value;
    if (rule.every) chosen = &rule;
  }
  return chosen != nullptr ? chosen->value : real;
}

int RecordedCallCount(void) { return static_cast<int>(State().calls.size()); }

const char* RecordedCallFunction(int index) {
  const RecordedCall* call = CallAt(index);
  return call != nullptr ? call->function.c_str() : nullptr;
}

int RecordedCallArgumentCount(int index) {
  const RecordedCall* call = CallAt(index);
  return call != nullptr ? static_cast<int>(call->arguments.size()) : 0;
}

const char* RecordedCallArgument(int index, int argument) {
  const RecordedCall* call = CallAt(index);
  if (call == nullptr || argument < 0 || static_cast<size_t>(argument) >= call->arguments.size()) {
    return nullptr;
  }
  return call->arguments[static_cast<size_t>(argument)].c_str();
}

void RecordFailureRule(const char* function, int nth) {
  LoadConfig();
  State().failures[function] = FailureRule{nth == 0, nth};
}

void RecordResultRule(const char* function, int nth, long long value) {
  LoadConfig();
  State().results[function].push_back(ResultRule{nth == 0, nth, value});
}

int RecordedFrameResult(void) {
  LoadConfig();
  return State().frame_result;
}

void RecordFrameResult(int value) {
  LoadConfig();
  State().frame_result = value;
}

const char* RecordedToolkitSetting(const char* name) {
  LoadConfig();
  const std::map<std::string, std::string>& settings = State().settings;
  auto found = settings.find(machine_ini::Fold(name));
  return found == settings.end() ? "" : found->second.c_str();
}

int RecordedQuietMode(void) { return Registered().quiet ? 1 : 0; }

void RecordQuietMode(int on) { Registered().quiet = on != 0; }

void RecordPageOutcome(const char* outcome) { State().page_outcomes.emplace_back(outcome); }

const char* TakeRecordedPageOutcome(void) {
  Record& state = State();
  state.taken_outcome = "CONTINUE";
  if (!state.page_outcomes.empty()) {
    state.taken_outcome = state.page_outcomes.front();
    state.page_outcomes.pop_front();
  }
  return state.taken_outcome.c_str();
}

void RecordOnReset(RecordResetHook hook) { Registered().resets.push_back(hook); }

void RecordSymbolSource(RecordSymbolReader reader) { Registered().symbols = reader; }

void RecordPageStackSource(RecordPageStackReader reader) { Registered().pages = reader; }

void ResetRecord(void) {
  State() = Record();
  for (RecordResetHook hook : Registered().resets) hook();
}

int ReadRecordedSymbol(const char* name, char* buffer, int size) {
  RecordSymbolReader reader = Registered().symbols;
  if (reader != nullptr) return reader(name, buffer, size);
  return CopyBounded(std::string(), buffer, size);
}

int ReadRecordedPageStack(int* numbers, int capacity) {
  RecordPageStackReader reader = Registered().pages;
  return reader != nullptr ? reader(numbers, capacity) : 0;
}
