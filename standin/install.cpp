// msinsstf.dll: installation, directories and the Program Manager. The
// Program Manager calls are recorded, one line each, in PROGMAN.LOG in the
// Windows directory.
#include <cstring>
#include <string>

#include "calls.h"
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

void RecordProgMan(const std::string& line) {
  TranscriptLine("progman " + line);
  AppendProgManRecord(line);
}

// Creates every missing directory of path, parents first.
BOOL CreateDirectoryTree(const char* path) {
  std::string partial;
  for (const char* c = path; *c != '\0'; c = CharNextA(c)) {
    if (*c == '\\' && !partial.empty() && partial.back() != ':') {
      if (GetFileAttributesA(partial.c_str()) == INVALID_FILE_ATTRIBUTES) {
        CreateDirectoryA(partial.c_str(), nullptr);
      }
    }
    const char* next = CharNextA(c);
    partial.append(c, static_cast<size_t>(next - c));
  }
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    CreateDirectoryA(path, nullptr);
    attributes = GetFileAttributesA(path);
  }
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

extern "C" BOOL WINAPI FInitializeInstall(HINSTANCE instance, HWND frameWindow) {
  (void)instance;
  (void)frameWindow;
  return ToolkitCallFails("FInitializeInstall", {}) ? FALSE : TRUE;
}

extern "C" BOOL WINAPI FCreateDir(LPCSTR path, int options) {
  if (ToolkitCallFails("FCreateDir", {CallArg(path), CallArg(options)})) return FALSE;
  if (path == nullptr || *path == '\0') return FALSE;
  TranscriptLine("dir create " + CallArg(path));
  return CreateDirectoryTree(path);
}

extern "C" BOOL WINAPI FCreateProgManGroup(LPCSTR group, LPCSTR text, int options) {
  if (ToolkitCallFails("FCreateProgManGroup", {CallArg(group), CallArg(text), CallArg(options)})) {
    return FALSE;
  }
  RecordProgMan("group " + CallArg(group) + " " + CallArg(text) + " " + CallArg(options));
  return TRUE;
}

extern "C" BOOL WINAPI FShowProgManGroup(LPCSTR group, LPCSTR number, int options) {
  if (ToolkitCallFails("FShowProgManGroup", {CallArg(group), CallArg(number), CallArg(options)})) {
    return FALSE;
  }
  RecordProgMan("show " + CallArg(group) + " " + CallArg(number) + " " + CallArg(options));
  return TRUE;
}

extern "C" BOOL WINAPI FCreateProgManItem(LPCSTR group, LPCSTR item, LPCSTR command, int options) {
  if (ToolkitCallFails("FCreateProgManItem",
                       {CallArg(group), CallArg(item), CallArg(command), CallArg(options)})) {
    return FALSE;
  }
  RecordProgMan("item " + CallArg(group) + " " + CallArg(item) + " " + CallArg(command) + " " +
                CallArg(options));
  return TRUE;
}

extern "C" void WINAPI TerminateInstall(void) {
  ToolkitCallFails("TerminateInstall", {});
  TranscriptLine("install end");
}
