// msinsstf.dll: the installation's start and end, and directories.
#include <cstring>
#include <string>

#include "core/calls.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

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
  if (ToolkitCallFails("FInitializeInstall", {})) return FALSE;
  return static_cast<BOOL>(ToolkitResult("FInitializeInstall", TRUE));
}

extern "C" BOOL WINAPI FCreateDir(LPCSTR path, int options) {
  if (ToolkitCallFails("FCreateDir", {CallArg(path), CallArg(options)})) return FALSE;
  if (path == nullptr || *path == '\0') return FALSE;
  TranscriptLine("dir create " + CallArg(path));
  return static_cast<BOOL>(ToolkitResult("FCreateDir", CreateDirectoryTree(path)));
}

extern "C" void WINAPI TerminateInstall(void) {
  ToolkitCallFails("TerminateInstall", {});
  TranscriptLine("install end");
}
