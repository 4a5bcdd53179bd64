// mscomstf.dll: the toolkit's error handler. It tells the user which
// operation failed; the caller decides what happens next.
#include <string>

#include "core/calls.h"
#include "shown_lines.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

constexpr char kCaption[] = "Setup Error";
constexpr UINT kStyle = MB_OK | MB_ICONSTOP;
// The toolkit's answer when the user can only acknowledge: give up.
constexpr int kErrorAbort = 0;

// "Error 104: CreateRegKey", with any further texts after the first.
std::string ErrorMessage(int code, const char* text1, const char* text2, const char* text3) {
  std::string message = "Error " + std::to_string(code) + ":";
  for (const char* text : {text1, text2, text3})
    if (text != nullptr) message.append(" ").append(text);
  return message;
}

}  // namespace

extern "C" int WINAPI EercErrorHandler(int code, BOOL fatal, LPCSTR text1, LPCSTR text2,
                                       LPCSTR text3) {
  if (ToolkitCallFails("EercErrorHandler", {CallArg(code), CallArg(fatal), CallArg(text1),
                                            CallArg(text2), CallArg(text3)}))
    return kErrorAbort;
  std::string line = "error " + std::to_string(code);
  for (const char* text : {text1, text2, text3})
    if (text != nullptr) line.append(" ").append(CallArg(text));
  TranscriptLine(line);
  std::string message = ErrorMessage(code, text1, text2, text3);
  if (QuietMode()) {
    TranscriptLine(MessageBoxLine(message, kCaption, kStyle));
  } else {
    MessageBoxA(HwndFrame(), message.c_str(), kCaption, kStyle);
  }
  return static_cast<int>(ToolkitResult("EercErrorHandler", kErrorAbort));
}
