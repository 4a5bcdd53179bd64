// The module ends the process on its fatal path (ExitProcess). A fuzz target
// must live on, so while a body runs the host's "_exit" entry throws instead,
// and the target learns that the process would have ended, and with what.
#pragma once

#include <functional>

namespace fuzz {

// Runs body. True when it ended the process, with the status in *status.
bool EndsProcess(const std::function<void()>& body, int* status);

// Forgets what the toolkit layer and the stand-in hold (the call record, the
// fatal path's marks), so that the next input starts as a fresh process
// would, and the record does not grow from input to input.
void ResetToolkitState();

}  // namespace fuzz
