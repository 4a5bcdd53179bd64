// Returning the host to its state at process start: above every DLL's
// state and the machine's. Tests include it to reset the host between cases.
#pragma once

namespace host {

// Forgets everything a run left in the host (windows, queued messages, open
// files, memory blocks, loaded modules, faults, error mode, last error,
// current directory) and closes the machine. Tests call it before opening a
// machine anew; the process's first OpenMachine needs no reset.
void ResetHost();

}  // namespace host
