// The module ends the process on its fatal path (ExitProcess). A fuzz target
// must live on, so while a body runs the host's "_exit" entry throws instead,
// and the target learns that the process would have ended, and with what.
#pragma once

#include <functional>

namespace fuzz {

// Runs body. True when it ended the process, with the status in *status.
bool EndsProcess(const std::function<void()>& body, int* status);

// Forgets what the module's fatal path left in the toolkit layer's state, so
// that the next input starts as a fresh process would.
void ForgetFatalPath();

}  // namespace fuzz
