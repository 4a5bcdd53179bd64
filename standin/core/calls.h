// The stand-in's record of calls and its failure rules as each toolkit
// library uses it; the record itself is one for all of them
// (call_record.h).
#pragma once

#include <string>
#include <vector>

#include "winapi.h"

// A text argument as the record shows it: quoted, or NULL.
std::string CallArg(const char* text);
std::string CallArg(long long number);

// Records the call and answers whether it is to fail. A failing call also
// writes "toolkit fail NAME" into the transcript.
bool ToolkitCallFails(const char* function, std::vector<std::string> args);

// The result the function's current call (the one ToolkitCallFails just
// recorded) is to report: the value set for it by a test or the machine
// ([toolkit] NAME=result V [N]), else real. The call's own work is done
// either way; only what it answers changes.
long long ToolkitResult(const char* function, long long real);

// Quiet mode (for tests, natively and on Windows alike): nothing is shown.
// Message boxes are answered OK and pages with the queued outcomes
// ("CONTINUE" once the queue is empty); both still write their transcript
// lines.
bool QuietMode();
std::string NextQuietPageOutcome();

// The frame result asked for ([toolkit] InitializeFrame=VALUE), default 1.
int ConfiguredFrameResult();

// Another [toolkit] line of the machine ("inf" -> "C:\\PKG\\SETUP.INF"),
// by its key case-insensitively; "" when the machine has none.
std::string ToolkitSetting(const char* name);

// A library's own state (symbols, pages, the frame ...) is forgotten when a
// test resets the stand-in, and shown to it: the library registers its
// hooks with the record (call_record.h) when it loads, through one of these
// at namespace scope.
struct StandinLoadHook {
  explicit StandinLoadHook(void (*registerHooks)()) { registerHooks(); }
};
