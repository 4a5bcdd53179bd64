// What each front end (runner/native/ on the host layer, runner/win32/ under
// Wine) gives the parts of the runner both share: how a run stops, and how
// the run's settings reach the module's process.
#pragma once

#include <string>

// The exit status of a run that cannot go on.
constexpr int kStopStatus = 2;

// The run cannot go on (a wrong command line, an answer that does not fit
// what is shown): the message goes to standard error and the process ends
// at once with kStopStatus.
[[noreturn]] void StopRun(const std::string& message);

// An environment variable of this process, as the host layer and the
// toolkit read it (the transcript's file, the machine's machine.ini).
void SetRunVariable(const std::string& name, const std::string& value);
