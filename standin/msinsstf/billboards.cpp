// msinsstf.dll: the billboards shown during the copy run and the progress
// gauge. The stand-in keeps both and shows them in the transcript:
// `billboard add "LIB" N "PROC" TICKS`, `billboard clear`, `progress POS
// TOTAL`.
#include <string>
#include <vector>

#include "core/call_record.h"
#include "core/calls.h"
#include "core/internal.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

struct Billboard {
  std::string library;  // empty for a blank billboard
  int dialog = 0;
  std::string procedure;
  LONG ticks = 0;
};

struct Progress {
  std::vector<Billboard> billboards;
  int position = 0;
};

Progress& State() {
  static Progress state;
  return state;
}

}  // namespace

extern "C" BOOL WINAPI FAddToBillboardList(LPCSTR library, int dialogNumber, LPCSTR procedure,
                                           LONG ticks) {
  if (ToolkitCallFails("FAddToBillboardList", {CallArg(library), CallArg(dialogNumber),
                                               CallArg(procedure), CallArg(ticks)})) {
    return FALSE;
  }
  State().billboards.push_back(Billboard{library == nullptr ? "" : library, dialogNumber,
                                         procedure == nullptr ? "" : procedure, ticks});
  TranscriptLine("billboard add " + CallArg(library) + " " + std::to_string(dialogNumber) + " " +
                 CallArg(procedure) + " " + std::to_string(ticks));
  return static_cast<BOOL>(ToolkitResult("FAddToBillboardList", TRUE));
}

extern "C" BOOL WINAPI FClearBillboardList(void) {
  if (ToolkitCallFails("FClearBillboardList", {})) return FALSE;
  State().billboards.clear();
  TranscriptLine("billboard clear");
  return static_cast<BOOL>(ToolkitResult("FClearBillboardList", TRUE));
}

extern "C" int WINAPI ProSetPos(int position, int total) {
  if (ToolkitCallFails("ProSetPos", {CallArg(position), CallArg(total)})) return 0;
  int previous = State().position;
  State().position = position;
  TranscriptLine("progress " + std::to_string(position) + " " + std::to_string(total));
  return static_cast<int>(ToolkitResult("ProSetPos", previous));
}

void ResetBillboards() { State() = Progress(); }

namespace {
const StandinLoadHook kBillboardHooks([] { RecordOnReset(ResetBillboards); });
}
