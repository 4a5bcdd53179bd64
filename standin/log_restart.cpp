// msinsstf.dll: the log file and the restart list. The log is a real file,
// each text appended as it comes (`log "TEXT"` in the transcript too). The
// restart list holds the files to put in place when Windows restarts; the
// stand-in keeps it and its directory (`restart dir "DIR"`) and records the
// restart asked for (`restart exec N`, N the list's length) without ending
// anything.
#include <string>
#include <vector>

#include "calls.h"
#include "file_ops.h"
#include "internal.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

struct LogAndRestart {
  std::string log_path;  // empty: no log open
  std::string restart_dir;
  std::vector<std::string> restart_list;
};

LogAndRestart& State() {
  static LogAndRestart state;
  return state;
}

bool HasText(LPCSTR text) { return text != nullptr && *text != '\0'; }

}  // namespace

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
  ToolkitCallFails("FRestartListEmpty", {});
  return static_cast<BOOL>(ToolkitResult("FRestartListEmpty", State().restart_list.empty()));
}

extern "C" BOOL WINAPI FExitExecRestart(void) {
  if (ToolkitCallFails("FExitExecRestart", {})) return FALSE;
  TranscriptLine("restart exec " + std::to_string(State().restart_list.size()));
  return static_cast<BOOL>(ToolkitResult("FExitExecRestart", TRUE));
}

void ResetLogAndRestart() { State() = LogAndRestart(); }
