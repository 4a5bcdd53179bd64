// Pages on the host layer: the host's user agent is the person who answers.
// It is shown what the page shows, from the custom-dialog library's own
// templates (standin/mscuistf/mscuistf.rc, compiled and embedded by the build).
#include "core/page_ui.h"
#include "mscuistf/page_buttons.h"

#include <cstdio>

#include "host/dialog_view.h"
#include "host/loader.h"
#include "host/user_agent.h"

extern "C" const unsigned char StandinPageResources[];
extern "C" const unsigned long StandinPageResourcesSize;

namespace {

host::WindowView TemplateView(int number) {
  host::WindowView view;
  std::string error;
  if (!host::DescribeDialogTemplate(StandinPageResources, StandinPageResourcesSize,
                                    MAKEINTRESOURCEA(number), &view, &error)) {
    std::fprintf(stderr, "toolkit: page %d cannot be shown: %s\n", number, error.c_str());
    view.caption = "Setup";
  }
  return view;
}

// What the page shows, with the edit field holding what it holds now.
host::WindowView PageView(const StandinPage& page) {
  host::WindowView view = TemplateView(page.number);
  for (host::ControlView& control : view.controls) {
    if (control.kind == host::ControlView::Kind::Edit) control.text = page.edit_text;
  }
  return view;
}

}  // namespace

std::string WaitForPageOutcome(StandinPage& page, HWND frameWindow) {
  (void)frameWindow;
  std::string outcome = host::User().AnswerShownPage(page.number, PageView(page),
                                                     page.has_edit ? &page.edit_text : nullptr);
  if (outcome == "REACTIVATE") host::User().ShowHelp(page.number, TemplateView(kHelpPage));
  return outcome;
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

// The host draws nothing: the transcript's "frame bitmap" line is all.
void ShowFrameBitmap(HWND frame, const std::string& library, int number) {
  (void)frame;
  (void)library;
  (void)number;
}
