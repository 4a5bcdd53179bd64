// msdetstf.dll: ports, processor, math chip, display and mouse, as the
// machine's machine.ini [hardware] describes them (its keys and defaults are
// in the README, "The machine directory").
#include <cstdio>
#include <string>

#include "core/calls.h"
#include "core/copy_out.h"
#include "msdetstf/detect_support.h"
#include "msdetstf/machine_settings.h"
#include "setting_list.h"
#include "toolkit/toolkit_api.h"

namespace {

std::string Hardware(const char* key, const char* fallback) {
  return MachineSetting("hardware", key, fallback);
}

// Whether the key says `yes` rather than `no`. Any other word is named on
// stderr and read as `no`.
bool HardwareSays(const char* key, const char* fallback, const char* yes, const char* no) {
  std::string value = Hardware(key, fallback);
  if (!SameTextNoCase(value, yes) && !SameTextNoCase(value, no))
    std::fprintf(stderr, "standin: machine.ini [hardware] %s is neither %s nor %s: %s\n", key, yes,
                 no, value.c_str());
  return SameTextNoCase(value, yes);
}

BOOL FillPorts(const char* function, LPCSTR list, const char* key, const char* fallback) {
  if (ToolkitCallFails(function, {CallArg(list)})) return FALSE;
  return static_cast<BOOL>(ToolkitResult(
      function, FillListSymbol(list, machine_ini::SplitList(Hardware(key, fallback)))));
}

}  // namespace

extern "C" BOOL WINAPI FGetParallelPortsList(LPCSTR list) {
  return FillPorts("FGetParallelPortsList", list, "parallel", "LPT1");
}

extern "C" BOOL WINAPI FGetSerialPortsList(LPCSTR list) {
  return FillPorts("FGetSerialPortsList", list, "serial", "COM1,COM2");
}

// The name into buffer; FALSE (buffer untouched) when it does not fit.
extern "C" BOOL WINAPI FGetProcessorType(LPCSTR machine, int flags, LPSTR buffer, int size) {
  if (ToolkitCallFails("FGetProcessorType", {CallArg(machine), CallArg(flags), CallArg(size)})) {
    return FALSE;
  }
  std::string name = Hardware("processor", "PENTIUM");
  bool fits = buffer != nullptr && size > 0 && name.size() < static_cast<size_t>(size);
  if (fits) CopyOut(name, buffer, size);
  return static_cast<BOOL>(ToolkitResult("FGetProcessorType", fits));
}

extern "C" BOOL WINAPI FHas87MathChip(void) {
  if (ToolkitCallFails("FHas87MathChip", {})) return FALSE;
  return static_cast<BOOL>(
      ToolkitResult("FHas87MathChip", HardwareSays("mathchip", "yes", "yes", "no")));
}

extern "C" BOOL WINAPI FHasMonochromeDisplay(void) {
  if (ToolkitCallFails("FHasMonochromeDisplay", {})) return FALSE;
  return static_cast<BOOL>(ToolkitResult("FHasMonochromeDisplay",
                                         HardwareSays("display", "color", "monochrome", "color")));
}

extern "C" BOOL WINAPI FHasMouseInstalled(void) {
  if (ToolkitCallFails("FHasMouseInstalled", {})) return FALSE;
  return static_cast<BOOL>(
      ToolkitResult("FHasMouseInstalled", HardwareSays("mouse", "yes", "yes", "no")));
}
