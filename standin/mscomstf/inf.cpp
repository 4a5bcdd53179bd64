// mscomstf.dll: the INF file and its readers. The file is read whole when
// opened (the machine's [toolkit] inf= file at the first reader that needs
// it); its bad lines are reported in the transcript as
// `inf bad "FILE" LINE "REASON"` and skipped.
#include <string>
#include <vector>

#include "core/call_record.h"
#include "core/calls.h"
#include "core/copy_out.h"
#include "core/internal.h"
#include "inf/inf_file.h"
#include "mscomstf/open_inf.h"
#include "mscomstf/symbol_table.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

struct OpenInf {
  bool loaded = false;  // the machine's default was looked at, or FOpenInf ran
  std::string path;     // empty: none open
  InfFile content;
};

OpenInf& Current() {
  static OpenInf current;
  return current;
}

void ReportProblems(const std::string& path, const InfFile& inf) {
  for (const InfProblem& problem : inf.problems) {
    TranscriptLine("inf bad " + CallArg(path.c_str()) + " " + std::to_string(problem.line) + " " +
                   CallArg(problem.reason.c_str()));
  }
}

// Reads path; false (with the reason in the transcript) when it cannot be
// read, or when it holds bad lines and they are not allowed.
bool Load(const std::string& path, bool refuseBadLines, InfFile* inf) {
  std::string error;
  if (!ReadInfFile(path, inf, &error)) {
    TranscriptLine("inf bad " + CallArg(path.c_str()) + " 0 " + CallArg(error.c_str()));
    return false;
  }
  ReportProblems(path, *inf);
  return !(refuseBadLines && !inf->problems.empty());
}

// The open INF file, the machine's default read at first need; null when
// none is open.
const InfFile* TheInf() {
  OpenInf& current = Current();
  if (!current.loaded) {
    current.loaded = true;
    std::string path = ToolkitSetting("inf");
    if (!path.empty() && Load(path, false, &current.content)) current.path = path;
  }
  return current.path.empty() ? nullptr : &current.content;
}

const InfSection* SectionOf(LPCSTR name) {
  const InfFile* inf = TheInf();
  if (inf == nullptr || name == nullptr) return nullptr;
  return FindInfSection(*inf, name);
}

}  // namespace

// checkLines refuses a file with bad lines (the INF open before stays open);
// checkSymbols is accepted and recorded: the stand-in's INF files hold no
// symbol references to check.
extern "C" BOOL WINAPI FOpenInf(LPCSTR file, BOOL checkLines, BOOL checkSymbols) {
  if (ToolkitCallFails("FOpenInf", {CallArg(file), CallArg(checkLines), CallArg(checkSymbols)})) {
    return FALSE;
  }
  BOOL opened = FALSE;
  InfFile inf;
  if (file != nullptr && *file != '\0' && Load(file, checkLines != FALSE, &inf)) {
    OpenInf& current = Current();
    current.loaded = true;
    current.path = file;
    current.content = inf;
    opened = TRUE;
  }
  return static_cast<BOOL>(ToolkitResult("FOpenInf", opened));
}

extern "C" int WINAPI CbGetInfSectionKeyField(LPCSTR section, LPCSTR key, USHORT fieldNumber,
                                              LPSTR buffer, int size) {
  if (ToolkitCallFails("CbGetInfSectionKeyField",
                       {CallArg(section), CallArg(key), CallArg(fieldNumber), CallArg(size)})) {
    return -1;
  }
  int result = -1;
  const InfSection* found = SectionOf(section);
  const InfLine* line = found == nullptr || key == nullptr ? nullptr : FindInfKey(*found, key);
  if (line != nullptr && fieldNumber >= 1 && fieldNumber <= line->fields.size()) {
    result = CopyOut(line->fields[fieldNumber - 1], buffer, size);
  }
  return static_cast<int>(ToolkitResult("CbGetInfSectionKeyField", result));
}

// Lines without a key give an empty item when nullsToo asks for them.
extern "C" BOOL WINAPI FSetSymbolToListOfInfKeys(LPCSTR symbol, LPCSTR section, BOOL nullsToo) {
  if (ToolkitCallFails("FSetSymbolToListOfInfKeys",
                       {CallArg(symbol), CallArg(section), CallArg(nullsToo)})) {
    return FALSE;
  }
  BOOL done = FALSE;
  const InfSection* found = SectionOf(section);
  if (found != nullptr && symbol != nullptr && *symbol != '\0') {
    std::vector<std::string> keys;
    for (const InfLine& line : found->lines) {
      if (line.has_key) {
        keys.push_back(line.key);
      } else if (nullsToo) {
        keys.push_back(std::string());
      }
    }
    StoreList(symbol, keys);
    done = TRUE;
  }
  return static_cast<BOOL>(ToolkitResult("FSetSymbolToListOfInfKeys", done));
}

// A line without that field gives an empty item.
extern "C" BOOL WINAPI FMakeListInfSectionField(LPCSTR symbol, LPCSTR section, USHORT fieldNumber) {
  if (ToolkitCallFails("FMakeListInfSectionField",
                       {CallArg(symbol), CallArg(section), CallArg(fieldNumber)})) {
    return FALSE;
  }
  BOOL done = FALSE;
  const InfSection* found = SectionOf(section);
  if (found != nullptr && symbol != nullptr && *symbol != '\0' && fieldNumber >= 1) {
    std::vector<std::string> items;
    for (const InfLine& line : found->lines) {
      items.push_back(fieldNumber <= line.fields.size() ? line.fields[fieldNumber - 1]
                                                        : std::string());
    }
    StoreList(symbol, items);
    done = TRUE;
  }
  return static_cast<BOOL>(ToolkitResult("FMakeListInfSectionField", done));
}

extern "C" int WINAPI StandinOpenInfPath(LPSTR buffer, int size) {
  TheInf();
  return CopyOut(Current().path, buffer, size);
}

void ResetInf() { Current() = OpenInf(); }

namespace {
const StandinLoadHook kInfHooks([] { RecordOnReset(ResetInf); });
}
