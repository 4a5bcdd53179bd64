// mscomstf.dll: symbols and messages.
#include <map>
#include <string>

#include "core/call_record.h"
#include "core/calls.h"
#include "core/copy_out.h"
#include "core/internal.h"
#include "mscomstf/symbol_table.h"
#include "shown_lines.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

struct SymbolTable {
  std::map<std::string, std::string> texts;
  std::map<std::string, std::vector<std::string>> lists;
};

SymbolTable& Table() {
  static SymbolTable table;
  return table;
}

// {"A","B"}: each item quoted, a quote inside an item doubled.
std::string ListText(const std::vector<std::string>& items) {
  std::string text = "{";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += ',';
    text += '"';
    for (char c : items[i]) text += c == '"' ? std::string("\"\"") : std::string(1, c);
    text += '"';
  }
  return text + "}";
}

}  // namespace

std::vector<std::string> ListItems(const std::string& name) {
  SymbolTable& table = Table();
  auto list = table.lists.find(name);
  if (list != table.lists.end()) return list->second;
  auto text = table.texts.find(name);
  if (text == table.texts.end() || text->second.empty()) return {};
  return {text->second};
}

void StoreList(const std::string& name, const std::vector<std::string>& items) {
  Table().lists[name] = items;
  Table().texts[name] = ListText(items);
}

bool EraseSymbol(const std::string& name) {
  bool had = Table().texts.erase(name) > 0;
  return Table().lists.erase(name) > 0 || had;
}

extern "C" int WINAPI CbGetSymbolValue(LPCSTR name, LPSTR buffer, int size) {
  if (ToolkitCallFails("CbGetSymbolValue", {CallArg(name), CallArg(size)})) return 0;
  std::string value;
  if (name != nullptr) value = SymbolValue(name);
  return static_cast<int>(ToolkitResult("CbGetSymbolValue", CopyOut(value, buffer, size)));
}

extern "C" BOOL WINAPI FSetSymbolValue(LPCSTR name, LPCSTR text) {
  if (ToolkitCallFails("FSetSymbolValue", {CallArg(name), CallArg(text)})) return FALSE;
  if (name == nullptr || *name == '\0') return FALSE;
  Table().lists.erase(name);
  Table().texts[name] = text == nullptr ? "" : text;
  TranscriptLine(std::string("symbol ") + name + " " + CallArg(text == nullptr ? "" : text));
  return static_cast<BOOL>(ToolkitResult("FSetSymbolValue", TRUE));
}

// Removing a symbol that is not there leaves the table as asked: TRUE.
extern "C" BOOL WINAPI FRemoveSymbol(LPCSTR name) {
  if (ToolkitCallFails("FRemoveSymbol", {CallArg(name)})) return FALSE;
  BOOL named = name != nullptr && *name != '\0';
  if (named) EraseSymbol(name);
  return static_cast<BOOL>(ToolkitResult("FRemoveSymbol", named));
}

extern "C" int WINAPI DoMsgBox(LPCSTR text, LPCSTR caption, UINT style) {
  if (ToolkitCallFails("DoMsgBox", {CallArg(text), CallArg(caption), CallArg(style)})) return 0;
  if (QuietMode()) {
    TranscriptLine(
        MessageBoxLine(text == nullptr ? "" : text, caption == nullptr ? "" : caption, style));
    return static_cast<int>(ToolkitResult("DoMsgBox", IDOK));
  }
  return static_cast<int>(
      ToolkitResult("DoMsgBox", MessageBoxA(HwndFrame(), text, caption, style)));
}

void ResetSymbols() {
  Table().texts.clear();
  Table().lists.clear();
}

std::string SymbolValue(const std::string& name) {
  auto found = Table().texts.find(name);
  return found == Table().texts.end() ? std::string() : found->second;
}

namespace {

int ReadSymbolForRecord(const char* name, char* buffer, int size) {
  return CopyOut(SymbolValue(name), buffer, size);
}

const StandinLoadHook kSymbolHooks([] {
  RecordOnReset(ResetSymbols);
  RecordSymbolSource(ReadSymbolForRecord);
});

}  // namespace
