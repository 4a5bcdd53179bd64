// What the module tells the system and no window shows (a font loaded, a
// broadcast, a restart request, the end of a dialog, the end of the
// process) is written into the transcript where the module calls it: the
// runner points those entries of the module's import table at its own
// functions, as the system it stands in for would see the calls. Two more
// entries give the module what Windows 95 does where Wine differs: the
// language names, and win.ini edited in place (win95_profile.h).
#pragma once

#include <windows.h>

void PatchModuleImports(HMODULE module);
