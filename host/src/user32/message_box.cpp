// Message boxes: recorded in the transcript and answered by the user agent.

#include <string>

#include "host/user_agent.h"
#include "shown_lines.h"
#include "transcript.h"
#include "winapi.h"

extern "C" int WINAPI MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
  std::string body = text != nullptr ? text : "";
  // Windows shows "Error" when no caption is given.
  std::string title = caption != nullptr ? caption : "Error";
  TranscriptLine(MessageBoxLine(body, title, type));
  return host::User().AnswerMessageBox(body, title, type);
}
