// msinsstf.dll: the copy list. Entries come from the open INF file's
// sections, where field 1 of a line names the file: the source is that name
// in the source directory, the destination the same name in the destination
// directory (or the path given, for a special file). The run copies them in
// order, expanding compressed sources, one `file copy "SRC" "DST"` line
// each (`file copy failed "SRC" "DST" "REASON"` stops the run; a destination
// in use waits for the restart, restart_list.h); FDumpCopyListToFile writes one `"SRC" "DST"` line
// per entry.
#include <string>
#include <vector>

#include "core/call_record.h"
#include "core/calls.h"
#include "core/internal.h"
#include "inf/inf_file.h"
#include "mscomstf/open_inf.h"
#include "msinsstf/file_ops.h"
#include "msinsstf/restart_list.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

struct CopyEntry {
  std::string source;
  std::string destination;
};

std::vector<CopyEntry>& CopyList() {
  static std::vector<CopyEntry> list;
  return list;
}

// GrcCopyFilesInCopyList's results.
const int kCopyRunDone = 0;
const int kCopyRunFailed = 1;  // an entry could not be copied; the run stops there

bool HasText(LPCSTR text) { return text != nullptr && *text != '\0'; }

// The open INF file's section; false when no INF is open or readable, or
// the section is missing.
bool ReadSection(LPCSTR name, InfSection* section) {
  if (!HasText(name)) return false;
  int length = StandinOpenInfPath(nullptr, 0);
  if (length <= 0) return false;
  std::string path(static_cast<size_t>(length) + 1, '\0');
  StandinOpenInfPath(path.data(), length + 1);
  path.resize(static_cast<size_t>(length));
  InfFile inf;
  std::string error;
  if (!ReadInfFile(path, &inf, &error)) return false;
  const InfSection* found = FindInfSection(inf, name);
  if (found == nullptr) return false;
  *section = *found;
  return true;
}

// Field 1 of the line: the file's name; empty when the line has none.
std::string FileField(const InfLine& line) {
  return line.fields.empty() ? std::string() : line.fields[0];
}

BOOL AddKeyFile(const char* function, LPCSTR sectionName, LPCSTR key, LPCSTR sourceDir,
                const std::string& destination, bool destinationIsDir) {
  InfSection section;
  BOOL done = FALSE;
  if (HasText(key) && ReadSection(sectionName, &section)) {
    const InfLine* line = FindInfKey(section, key);
    std::string name = line == nullptr ? std::string() : FileField(*line);
    if (!name.empty()) {
      std::string target = destinationIsDir ? JoinPath(destination, name) : destination;
      CopyList().push_back(
          CopyEntry{JoinPath(sourceDir == nullptr ? "" : sourceDir, name), target});
      done = TRUE;
    }
  }
  return static_cast<BOOL>(ToolkitResult(function, done));
}

}  // namespace

// Every line of the section; a line without a file name refuses the whole
// section (nothing is added).
extern "C" BOOL WINAPI FAddSectionFilesToCopyList(LPCSTR section, LPCSTR sourceDir,
                                                  LPCSTR destinationDir) {
  if (ToolkitCallFails("FAddSectionFilesToCopyList",
                       {CallArg(section), CallArg(sourceDir), CallArg(destinationDir)})) {
    return FALSE;
  }
  InfSection found;
  BOOL done = FALSE;
  if (HasText(destinationDir) && ReadSection(section, &found)) {
    std::vector<CopyEntry> entries;
    done = TRUE;
    for (const InfLine& line : found.lines) {
      std::string name = FileField(line);
      if (name.empty()) done = FALSE;
      entries.push_back(CopyEntry{JoinPath(sourceDir == nullptr ? "" : sourceDir, name),
                                  JoinPath(destinationDir, name)});
    }
    if (done) CopyList().insert(CopyList().end(), entries.begin(), entries.end());
  }
  return static_cast<BOOL>(ToolkitResult("FAddSectionFilesToCopyList", done));
}

extern "C" BOOL WINAPI FAddSectionKeyFileToCopyList(LPCSTR section, LPCSTR key, LPCSTR sourceDir,
                                                    LPCSTR destinationDir) {
  if (ToolkitCallFails(
          "FAddSectionKeyFileToCopyList",
          {CallArg(section), CallArg(key), CallArg(sourceDir), CallArg(destinationDir)})) {
    return FALSE;
  }
  if (!HasText(destinationDir))
    return static_cast<BOOL>(ToolkitResult("FAddSectionKeyFileToCopyList", FALSE));
  return AddKeyFile("FAddSectionKeyFileToCopyList", section, key, sourceDir, destinationDir, true);
}

extern "C" BOOL WINAPI FAddSpecialFileToCopyList(LPCSTR section, LPCSTR key, LPCSTR sourceDir,
                                                 LPCSTR destinationPath) {
  if (ToolkitCallFails(
          "FAddSpecialFileToCopyList",
          {CallArg(section), CallArg(key), CallArg(sourceDir), CallArg(destinationPath)})) {
    return FALSE;
  }
  if (!HasText(destinationPath))
    return static_cast<BOOL>(ToolkitResult("FAddSpecialFileToCopyList", FALSE));
  return AddKeyFile("FAddSpecialFileToCopyList", section, key, sourceDir, destinationPath, false);
}

extern "C" BOOL WINAPI FDumpCopyListToFile(LPCSTR file) {
  if (ToolkitCallFails("FDumpCopyListToFile", {CallArg(file)})) return FALSE;
  BOOL done = FALSE;
  if (HasText(file)) {
    std::string text;
    for (const CopyEntry& entry : CopyList()) {
      text += CallArg(entry.source.c_str()) + " " + CallArg(entry.destination.c_str()) + "\r\n";
    }
    done = WriteWholeFile(file, text);
  }
  return static_cast<BOOL>(ToolkitResult("FDumpCopyListToFile", done));
}

extern "C" void WINAPI ResetCopyList(void) {
  ToolkitCallFails("ResetCopyList", {});
  CopyList().clear();
}

// The sources' sizes as they lie (compressed ones as compressed); a missing
// source adds nothing, the run reports it. The per-drive lists are left as
// they are.
extern "C" LONGLONG WINAPI LcbGetCopyListCost(LPCSTR extraList, LPCSTR costList,
                                              LPCSTR neededList) {
  if (ToolkitCallFails("LcbGetCopyListCost",
                       {CallArg(extraList), CallArg(costList), CallArg(neededList)})) {
    return -1;
  }
  long long total = 0;
  for (const CopyEntry& entry : CopyList()) {
    long long size = FileSize(entry.source);
    if (size > 0) total += size;
  }
  return ToolkitResult("LcbGetCopyListCost", total);
}

// A run that copies everything empties the list; one that fails keeps it.
extern "C" int WINAPI GrcCopyFilesInCopyList(HINSTANCE instance) {
  (void)instance;
  if (ToolkitCallFails("GrcCopyFilesInCopyList", {})) return kCopyRunFailed;
  int result = kCopyRunDone;
  for (const CopyEntry& entry : CopyList()) {
    CopyOutcome outcome = CopyFileExpanding(entry.source, entry.destination, false);
    if (outcome == CopyOutcome::kDone) {
      TranscriptLine("file copy " + CallArg(entry.source.c_str()) + " " +
                     CallArg(entry.destination.c_str()));
      continue;
    }
    if (outcome == CopyOutcome::kNoDestination && IsExistingFile(entry.destination) &&
        DeferCopyToRestart(entry.source, entry.destination)) {
      continue;
    }
    TranscriptLine("file copy failed " + CallArg(entry.source.c_str()) + " " +
                   CallArg(entry.destination.c_str()) + " " + CallArg(CopyOutcomeText(outcome)));
    result = kCopyRunFailed;
    break;
  }
  if (result == kCopyRunDone) CopyList().clear();
  return static_cast<int>(ToolkitResult("GrcCopyFilesInCopyList", result));
}

void ResetCopyListState() { CopyList().clear(); }

namespace {
const StandinLoadHook kCopyListHooks([] { RecordOnReset(ResetCopyListState); });
}
