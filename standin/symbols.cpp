// mscomstf.dll: symbols and messages.
#include <cstring>
#include <map>
#include <string>

#include "call_record.h"
#include "calls.h"
#include "internal.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

std::map<std::string, std::string>& Symbols() {
  static std::map<std::string, std::string> symbols;
  return symbols;
}

}  // namespace

extern "C" int WINAPI CbGetSymbolValue(LPCSTR name, LPSTR buffer, int size) {
  if (ToolkitCallFails("CbGetSymbolValue", {CallArg(name), CallArg(size)})) return 0;
  std::string value;
  if (name != nullptr) {
    auto found = Symbols().find(name);
    if (found != Symbols().end()) value = found->second;
  }
  if (buffer != nullptr && size > 0) {
    size_t copied = value.size() < static_cast<size_t>(size) ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<int>(value.size());
}

extern "C" BOOL WINAPI FSetSymbolValue(LPCSTR name, LPCSTR text) {
  if (ToolkitCallFails("FSetSymbolValue", {CallArg(name), CallArg(text)})) return FALSE;
  if (name == nullptr || *name == '\0') return FALSE;
  Symbols()[name] = text == nullptr ? "" : text;
  TranscriptLine(std::string("symbol ") + name + " " + CallArg(text == nullptr ? "" : text));
  return TRUE;
}

extern "C" int WINAPI DoMsgBox(LPCSTR text, LPCSTR caption, UINT style) {
  if (ToolkitCallFails("DoMsgBox", {CallArg(text), CallArg(caption), CallArg(style)})) return 0;
  if (QuietMode()) {
    TranscriptLine("msgbox " + CallArg(text == nullptr ? "" : text) + " " +
                   CallArg(caption == nullptr ? "" : caption) + " " + std::to_string(style));
    return IDOK;
  }
  return MessageBoxA(HwndFrame(), text, caption, style);
}

void ResetSymbols() { Symbols().clear(); }

std::string SymbolValue(const std::string& name) {
  auto found = Symbols().find(name);
  return found == Symbols().end() ? std::string() : found->second;
}

namespace {

int ReadSymbolForRecord(const char* name, char* buffer, int size) {
  std::string value = SymbolValue(name);
  if (buffer != nullptr && size > 0) {
    size_t copied = value.size() < static_cast<size_t>(size) ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<int>(value.size());
}

const StandinLoadHook kSymbolHooks([] {
  RecordOnReset(ResetSymbols);
  RecordSymbolSource(ReadSymbolForRecord);
});

}  // namespace
