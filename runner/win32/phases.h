// The run's phases with the time each was reached, for scripts/bench-wine:
// lines "SECONDS WHAT" (seconds since 1970, to the millisecond, on the same
// clock as the Linux side's), appended to the file that SETUPHOST_PHASES
// names. Without the variable nothing is written.
#pragma once

#include <string>

void MarkPhase(const std::string& what);
