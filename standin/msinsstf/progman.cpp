// msinsstf.dll: the Program Manager. The calls are recorded, one line each,
// in PROGMAN.LOG in the Windows directory and as `progman ...` transcript
// lines; the Ex forms carry the group's file too (`groupex`, `showex`,
// `itemex`).
#include <cstring>
#include <string>

#include "core/calls.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

void AppendProgManRecord(const std::string& line) {
  char path[MAX_PATH];
  UINT length = GetWindowsDirectoryA(path, sizeof path);
  if (length == 0 || length + sizeof "\\PROGMAN.LOG" > sizeof path) return;
  std::strcat(path, "\\PROGMAN.LOG");
  HFILE file = _lopen(path, OF_READWRITE);
  if (file == HFILE_ERROR) file = _lcreat(path, 0);
  if (file == HFILE_ERROR) return;
  _llseek(file, 0, FILE_END);
  std::string record = line + "\r\n";
  _lwrite(file, record.c_str(), static_cast<UINT>(record.size()));
  _lclose(file);
}

BOOL RecordProgMan(const char* function, const std::string& line) {
  TranscriptLine("progman " + line);
  AppendProgManRecord(line);
  return static_cast<BOOL>(ToolkitResult(function, TRUE));
}

}  // namespace

extern "C" BOOL WINAPI FCreateProgManGroup(LPCSTR group, LPCSTR text, int options) {
  if (ToolkitCallFails("FCreateProgManGroup", {CallArg(group), CallArg(text), CallArg(options)})) {
    return FALSE;
  }
  return RecordProgMan("FCreateProgManGroup",
                       "group " + CallArg(group) + " " + CallArg(text) + " " + CallArg(options));
}

extern "C" BOOL WINAPI FShowProgManGroup(LPCSTR group, LPCSTR number, int options) {
  if (ToolkitCallFails("FShowProgManGroup", {CallArg(group), CallArg(number), CallArg(options)})) {
    return FALSE;
  }
  return RecordProgMan("FShowProgManGroup",
                       "show " + CallArg(group) + " " + CallArg(number) + " " + CallArg(options));
}

extern "C" BOOL WINAPI FCreateProgManItem(LPCSTR group, LPCSTR item, LPCSTR command, int options) {
  if (ToolkitCallFails("FCreateProgManItem",
                       {CallArg(group), CallArg(item), CallArg(command), CallArg(options)})) {
    return FALSE;
  }
  return RecordProgMan("FCreateProgManItem", "item " + CallArg(group) + " " + CallArg(item) + " " +
                                                 CallArg(command) + " " + CallArg(options));
}

extern "C" BOOL WINAPI FCreateProgManGroupEx(LPCSTR group, LPCSTR groupFile, int options) {
  if (ToolkitCallFails("FCreateProgManGroupEx",
                       {CallArg(group), CallArg(groupFile), CallArg(options)})) {
    return FALSE;
  }
  return RecordProgMan("FCreateProgManGroupEx", "groupex " + CallArg(group) + " " +
                                                    CallArg(groupFile) + " " + CallArg(options));
}

extern "C" BOOL WINAPI FShowProgManGroupEx(LPCSTR group, LPCSTR groupFile, LPCSTR number,
                                           int options) {
  if (ToolkitCallFails("FShowProgManGroupEx",
                       {CallArg(group), CallArg(groupFile), CallArg(number), CallArg(options)})) {
    return FALSE;
  }
  return RecordProgMan("FShowProgManGroupEx", "showex " + CallArg(group) + " " +
                                                  CallArg(groupFile) + " " + CallArg(number) + " " +
                                                  CallArg(options));
}

extern "C" BOOL WINAPI FCreateProgManItemEx(LPCSTR group, LPCSTR groupFile, LPCSTR item,
                                            LPCSTR command, int options) {
  if (ToolkitCallFails("FCreateProgManItemEx", {CallArg(group), CallArg(groupFile), CallArg(item),
                                                CallArg(command), CallArg(options)})) {
    return FALSE;
  }
  return RecordProgMan("FCreateProgManItemEx", "itemex " + CallArg(group) + " " +
                                                   CallArg(groupFile) + " " + CallArg(item) + " " +
                                                   CallArg(command) + " " + CallArg(options));
}
