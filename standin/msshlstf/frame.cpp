// msshlstf.dll: the setup frame.
#include "core/call_record.h"
#include "core/calls.h"
#include "core/internal.h"
#include "core/page_ui.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {
HWND frameWindow;
}

extern "C" int WINAPI InitializeFrame(LPSTR commandLine) {
  if (ToolkitCallFails("InitializeFrame", {CallArg(commandLine)})) return 0;
  int result = ConfiguredFrameResult();
  TranscriptLine("frame open " + std::to_string(result));
  if (result > 0 && frameWindow == nullptr) frameWindow = CreateFrameWindow(ToolkitInstance());
  return result;
}

extern "C" HWND WINAPI HwndFrame(void) {
  if (ToolkitCallFails("HwndFrame", {})) return nullptr;
  return frameWindow;
}

extern "C" HINSTANCE WINAPI HinstFrame(void) {
  if (ToolkitCallFails("HinstFrame", {})) return nullptr;
  return ToolkitInstance();
}

extern "C" BOOL WINAPI FSetBitmap(LPCSTR library, UINT resourceNumber) {
  if (ToolkitCallFails("FSetBitmap", {CallArg(library), CallArg(resourceNumber)})) return FALSE;
  TranscriptLine("frame bitmap " + CallArg(library) + " " + std::to_string(resourceNumber));
  if (frameWindow != nullptr && library != nullptr)
    ShowFrameBitmap(frameWindow, library, static_cast<int>(resourceNumber));
  return static_cast<BOOL>(ToolkitResult("FSetBitmap", TRUE));
}

extern "C" void WINAPI TerminateFrame(void) {
  ToolkitCallFails("TerminateFrame", {});
  TranscriptLine("frame end");
  if (frameWindow != nullptr) {
    DestroyFrameWindow(frameWindow);
    frameWindow = nullptr;
  }
}

void ResetFrame() {
  if (frameWindow != nullptr) DestroyFrameWindow(frameWindow);
  frameWindow = nullptr;
}

namespace {
const StandinLoadHook kFrameHooks([] { RecordOnReset(ResetFrame); });
}
