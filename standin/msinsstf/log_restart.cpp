// msinsstf.dll: the log file and the restart list. The log is a real file,
// each text appended as it comes (`log "TEXT"` in the transcript too). The
// restart list holds the files to put in place when Windows restarts: a
// copy whose destination is in use leaves the file in the restart directory
// as RSTnnnnn.TMP (`file defer "SRC" "DST"`). The stand-in keeps the list
// and its directory (`restart dir "DIR"`) and records the restart asked for
// (`restart exec N`, N the list's length) without ending anything.
#include <cstdio>
#include <string>
#include <vector>

#include "core/call_record.h"
#include "core/calls.h"
#include "core/internal.h"
#include "msinsstf/file_ops.h"
#include "msinsstf/restart_list.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

struct PendingFile {
  std::string staged;  // the file waiting in the restart directory
  std::string destination;
};

struct LogAndRestart {
  std::string log_path;  // empty: no log open
  std::string restart_dir;
  std::vector<PendingFile> restart_list;
};

LogAndRestart& State() {
  static LogAndRestart state;
  return state;
}

bool HasText(LPCSTR text) { return text != nullptr && *text != '\0'; }

}  // namespace

bool DeferCopyToRestart(const std::string& source, const std::string& destination) {
  LogAndRestart& state = State();
  if (state.restart_dir.empty()) return false;
  char name[16];
  std::snprintf(name, sizeof name, "RST%05u.TMP",
                static_cast<unsigned>(state.restart_list.size() % 100000));
  std::string staged = JoinPath(state.restart_dir, name);
  if (CopyFileExpanding(source, staged, false) != CopyOutcome::kDone) return false;
  state.restart_list.push_back(PendingFile{staged, destination});
  TranscriptLine("file defer " + CallArg(source.c_str()) + " " + CallArg(destination.c_str()));
  return true;
}

// Without append the file starts empty. A log already open is closed first.
extern "C" BOOL WINAPI FOpenLogFile(LPCSTR file, BOOL append) {
  if (ToolkitCallFails("FOpenLogFile", {CallArg(file), CallArg(append)})) return FALSE;
  BOOL done = FALSE;
  if (HasText(file)) {
    done = append ? AppendToFile(file, "") : WriteWholeFile(file, "");
    State().log_path = done ? file : "";
    if (done) TranscriptLine("log open " + CallArg(file));
  }
  return static_cast<BOOL>(ToolkitResult("FOpenLogFile", done));
}

extern "C" BOOL WINAPI FCloseLogFile(void) {
  if (ToolkitCallFails("FCloseLogFile", {})) return FALSE;
  BOOL done = State().log_path.empty() ? FALSE : TRUE;
  if (done) TranscriptLine("log close");
  State().log_path.clear();
  return static_cast<BOOL>(ToolkitResult("FCloseLogFile", done));
}

// newLine ends the text with CR LF.
extern "C" BOOL WINAPI FWriteToLogFile(LPCSTR text, BOOL newLine) {
  if (ToolkitCallFails("FWriteToLogFile", {CallArg(text), CallArg(newLine)})) return FALSE;
  BOOL done = FALSE;
  if (!State().log_path.empty()) {
    std::string line = text == nullptr ? "" : text;
    done = AppendToFile(State().log_path, newLine ? line + "\r\n" : line);
    if (done) TranscriptLine("log " + CallArg(line.c_str()));
  }
  return static_cast<BOOL>(ToolkitResult("FWriteToLogFile", done));
}

extern "C" BOOL WINAPI FSetRestartDir(LPCSTR directory) {
  if (ToolkitCallFails("FSetRestartDir", {CallArg(directory)})) return FALSE;
  BOOL done = HasText(directory) && IsExistingDirectory(directory);
  if (done) {
    State().restart_dir = directory;
    TranscriptLine("restart dir " + CallArg(directory));
  }
  return static_cast<BOOL>(ToolkitResult("FSetRestartDir", done));
}

extern "C" BOOL WINAPI FRestartListEmpty(void) {
  if (ToolkitCallFails("FRestartListEmpty", {})) return FALSE;
  return static_cast<BOOL>(ToolkitResult("FRestartListEmpty", State().restart_list.empty()));
}

extern "C" BOOL WINAPI FExitExecRestart(void) {
  if (ToolkitCallFails("FExitExecRestart", {})) return FALSE;
  TranscriptLine("restart exec " + std::to_string(State().restart_list.size()));
  return static_cast<BOOL>(ToolkitResult("FExitExecRestart", TRUE));
}

void ResetLogAndRestart() { State() = LogAndRestart(); }

namespace {
const StandinLoadHook kLogAndRestartHooks([] { RecordOnReset(ResetLogAndRestart); });
}
