// Each toolkit library's side of the shared record (call_record.h).
#include "core/calls.h"

#include "core/call_record.h"
#include "transcript.h"

std::string CallArg(const char* text) {
  return text == nullptr ? std::string("NULL") : TranscriptQuote(text);
}

std::string CallArg(long long number) { return std::to_string(number); }

bool ToolkitCallFails(const char* function, std::vector<std::string> args) {
  std::vector<const char*> texts;
  texts.reserve(args.size());
  for (const std::string& arg : args) texts.push_back(arg.c_str());
  if (!RecordToolkitCall(function, texts.data(), static_cast<int>(texts.size()))) return false;
  TranscriptLine(std::string("toolkit fail ") + function);
  return true;
}

long long ToolkitResult(const char* function, long long real) {
  return RecordedCallResult(function, real);
}

bool QuietMode() { return RecordedQuietMode() != 0; }

std::string NextQuietPageOutcome() { return TakeRecordedPageOutcome(); }

int ConfiguredFrameResult() { return RecordedFrameResult(); }

std::string ToolkitSetting(const char* name) { return RecordedToolkitSetting(name); }
