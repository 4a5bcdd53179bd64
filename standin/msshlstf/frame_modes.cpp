// msshlstf.dll: the frame's about box, its cursor and its modes. The
// stand-in keeps them as the frame would and writes each change into the
// transcript: `about "TITLE" "TEXT"`, `cursor wait`, `cursor restore`,
// `mode beeping on|off`, `mode silent on|off`.
#include <string>

#include "core/call_record.h"
#include "core/calls.h"
#include "core/internal.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

// The cursors the stand-in hands out: tokens the caller gives back to
// FRestoreCursor, never drawn.
HCURSOR const kArrowCursor = reinterpret_cast<HCURSOR>(static_cast<INT_PTR>(0x7f00));
HCURSOR const kWaitCursor = reinterpret_cast<HCURSOR>(static_cast<INT_PTR>(0x7f02));

struct FrameModes {
  std::string about_title;
  std::string about_text;
  HCURSOR cursor = kArrowCursor;
  BOOL beeping = TRUE;
  BOOL silent = FALSE;
};

FrameModes& Modes() {
  static FrameModes modes;
  return modes;
}

const char* OnOff(BOOL on) { return on ? "on" : "off"; }

}  // namespace

extern "C" BOOL WINAPI FSetAbout(LPCSTR title, LPCSTR text) {
  if (ToolkitCallFails("FSetAbout", {CallArg(title), CallArg(text)})) return FALSE;
  Modes().about_title = title == nullptr ? "" : title;
  Modes().about_text = text == nullptr ? "" : text;
  TranscriptLine("about " + CallArg(Modes().about_title.c_str()) + " " +
                 CallArg(Modes().about_text.c_str()));
  return static_cast<BOOL>(ToolkitResult("FSetAbout", TRUE));
}

extern "C" HCURSOR WINAPI HShowWaitCursor(void) {
  if (ToolkitCallFails("HShowWaitCursor", {})) return nullptr;
  HCURSOR previous = Modes().cursor;
  Modes().cursor = kWaitCursor;
  TranscriptLine("cursor wait");
  INT_PTR result = ToolkitResult("HShowWaitCursor", reinterpret_cast<INT_PTR>(previous));
  return reinterpret_cast<HCURSOR>(result);
}

// Only a cursor that HShowWaitCursor handed out can be put back.
extern "C" BOOL WINAPI FRestoreCursor(HCURSOR previous) {
  if (ToolkitCallFails("FRestoreCursor",
                       {CallArg(static_cast<long long>(reinterpret_cast<INT_PTR>(previous)))})) {
    return FALSE;
  }
  BOOL restored = previous == kArrowCursor || previous == kWaitCursor;
  if (restored) {
    Modes().cursor = previous;
    TranscriptLine("cursor restore");
  }
  return static_cast<BOOL>(ToolkitResult("FRestoreCursor", restored));
}

extern "C" BOOL WINAPI FSetBeepingMode(BOOL beeping) {
  if (ToolkitCallFails("FSetBeepingMode", {CallArg(beeping)})) return FALSE;
  BOOL previous = Modes().beeping;
  Modes().beeping = beeping ? TRUE : FALSE;
  TranscriptLine(std::string("mode beeping ") + OnOff(Modes().beeping));
  return static_cast<BOOL>(ToolkitResult("FSetBeepingMode", previous));
}

extern "C" BOOL WINAPI FSetSilent(BOOL silent) {
  if (ToolkitCallFails("FSetSilent", {CallArg(silent)})) return FALSE;
  BOOL previous = Modes().silent;
  Modes().silent = silent ? TRUE : FALSE;
  TranscriptLine(std::string("mode silent ") + OnOff(Modes().silent));
  return static_cast<BOOL>(ToolkitResult("FSetSilent", previous));
}

void ResetFrameModes() { Modes() = FrameModes(); }

namespace {
const StandinLoadHook kFrameModeHooks([] { RecordOnReset(ResetFrameModes); });
}
