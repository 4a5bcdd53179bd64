#include "toolkit/symbols.h"

#include "toolkit/session.h"
#include "toolkit/toolkit_api.h"

namespace {
constexpr UINT kToolkitErrorStyle = 16;
}

void ShowBufferOverflow() { DoMsgBox("Buffer Overflow", "MS-Setup Error", kToolkitErrorStyle); }

char* ReadSymbol(const char* name, char* buffer, int size) {
  if (name == nullptr || *name == '\0') SetupErrorExit(SetupErrorFail);
  if (CbGetSymbolValue(name, buffer, size) >= size) {
    ShowBufferOverflow();
    SetupErrorExit(SetupErrorFail);
  }
  return buffer;
}

void WriteSymbol(const char* name, const char* text) {
  if (!FSetSymbolValue(name, text)) SetupErrorExit(SetupErrorFail);
}
