// Pages on the host layer: the host's user agent is the person who answers.
#include "page_ui.h"

#include "host/loader.h"
#include "host/user_agent.h"

std::string WaitForPageOutcome(StandinPage& page, HWND frameWindow) {
  (void)frameWindow;
  return host::User().AnswerPage(page.number, page.has_edit ? &page.edit_text : nullptr);
}

void ClosePageUi(StandinPage& page) { (void)page; }

HINSTANCE ToolkitInstance() {
  static HINSTANCE instance = host::RegisterLinkedModule("C:\\WINDOWS\\SYSTEM\\MSSHLSTF.DLL");
  return instance;
}

namespace {

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateFrameWindow(HINSTANCE toolkitInstance) {
  // Registered for every frame: a host reset between tests forgets the
  // class, and a second registration is refused harmlessly.
  WNDCLASSA frameClass = {};
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = toolkitInstance;
  frameClass.lpszClassName = "SetupFrame";
  RegisterClassA(&frameClass);
  return CreateWindowExA(0, "SetupFrame", "Setup", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                         nullptr, toolkitInstance, nullptr);
}

void DestroyFrameWindow(HWND frame) { DestroyWindow(frame); }
