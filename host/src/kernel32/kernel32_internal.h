// Internal to KERNEL32's functions: the parts of ResetHost of the modules,
// memory blocks and process state.
#pragma once

namespace host {

void ResetModules();
void ResetMemory();
void ResetProcessState();

}  // namespace host
