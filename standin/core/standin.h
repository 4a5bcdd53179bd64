// What a test sees of the stand-in toolkit: every call with its arguments,
// and failures on request. A machine asks for failures too, in its
// machine.ini section [toolkit] (described in the README, "The machine
// directory"); the machine.ini is the file named by SETUPHOST_MACHINE_INI.
#pragma once

#include <string>
#include <vector>

struct ToolkitCall {
  std::string function;
  std::vector<std::string> args;  // texts in transcript quoting, numbers in decimal
};

// Every call so far, in order.
std::vector<ToolkitCall> StandinCalls();
// The calls of one function only.
std::vector<ToolkitCall> StandinCallsOf(const std::string& function);
// Makes the nth call of function (counted from 1 from the start or the last
// reset) fail; nth 0 makes every call fail.
void StandinFailCall(const std::string& function, int nth);
// Makes the nth call of function (0: every call) report value instead of its
// own result; the call's work is still done.
void StandinSetResult(const std::string& function, int nth, long long value);
void StandinSetFrameResult(int value);
// Quiet mode: nothing is shown; message boxes are answered OK and pages with
// the queued outcomes ("CONTINUE" when none is left). The transcript lines
// are written as usual. A reset keeps the mode and forgets the queue.
void StandinSetQuiet(bool on);
void StandinQueuePageOutcome(const std::string& outcome);
// Forgets calls, failures, symbols and lists, pages, the frame and its modes,
// the open INF file, the copy list, billboards and progress, the log file and
// the restart list.
void StandinReset();
// A symbol's value as the toolkit holds it ("" when unset).
std::string StandinSymbol(const std::string& name);
// The page numbers on the stack, bottom first.
std::vector<int> StandinPageStack();
