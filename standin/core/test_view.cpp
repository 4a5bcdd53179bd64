// The test's view of the stand-in (standin.h), over the shared record. On
// Windows it is linked into the test program, which imports the record.
#include <string>
#include <vector>

#include "core/call_record.h"
#include "core/standin.h"

std::vector<ToolkitCall> StandinCalls() {
  std::vector<ToolkitCall> calls;
  int count = RecordedCallCount();
  for (int index = 0; index < count; ++index) {
    ToolkitCall call{RecordedCallFunction(index), {}};
    int arguments = RecordedCallArgumentCount(index);
    for (int argument = 0; argument < arguments; ++argument) {
      call.args.emplace_back(RecordedCallArgument(index, argument));
    }
    calls.push_back(std::move(call));
  }
  return calls;
}

std::vector<ToolkitCall> StandinCallsOf(const std::string& function) {
  std::vector<ToolkitCall> calls;
  for (ToolkitCall& call : StandinCalls()) {
    if (call.function == function) calls.push_back(std::move(call));
  }
  return calls;
}

void StandinFailCall(const std::string& function, int nth) {
  RecordFailureRule(function.c_str(), nth);
}

void StandinSetResult(const std::string& function, int nth, long long value) {
  RecordResultRule(function.c_str(), nth, value);
}

void StandinSetFrameResult(int value) { RecordFrameResult(value); }

void StandinSetQuiet(bool on) { RecordQuietMode(on ? 1 : 0); }

void StandinQueuePageOutcome(const std::string& outcome) { RecordPageOutcome(outcome.c_str()); }

void StandinReset() { ResetRecord(); }

std::string StandinSymbol(const std::string& name) {
  int length = ReadRecordedSymbol(name.c_str(), nullptr, 0);
  std::string value(static_cast<size_t>(length) + 1, '\0');
  ReadRecordedSymbol(name.c_str(), value.data(), length + 1);
  value.resize(static_cast<size_t>(length));
  return value;
}

std::vector<int> StandinPageStack() {
  int height = ReadRecordedPageStack(nullptr, 0);
  std::vector<int> numbers(static_cast<size_t>(height));
  ReadRecordedPageStack(numbers.data(), height);
  return numbers;
}
