// A program that stands in for the system sees what a module asks of the
// system by pointing the module's import entries at its own functions.
// Used by setuphost.exe for the setup module, and by the Windows tests for
// the module's code linked into the test program.
#pragma once

#include <windows.h>

#include <vector>

struct ImportReplacement {
  const char* library;  // compared case-insensitively
  const char* function;
  void* with;
};

// Points module's import entries of the named functions (imported by name)
// at the replacements; entries it does not import are left alone.
void ReplaceImports(HMODULE module, const std::vector<ImportReplacement>& replacements);
