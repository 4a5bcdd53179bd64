// msshlstf.dll on Windows: the setup frame is a real top-level window that
// shows the bitmap of the custom-dialog library behind the pages.
#include <windows.h>

#include "calls.h"
#include "page_ui.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr char kFrameClass[] = "SetupFrame";
constexpr char kCustomDialogLibrary[] = "mscuistf.dll";
constexpr int kFrameBitmap = 1;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    // The bitmap comes from the library's resources, when it is loaded.
    HMODULE library = GetModuleHandleA(kCustomDialogLibrary);
    HBITMAP bitmap =
        library != nullptr ? LoadBitmapA(library, MAKEINTRESOURCEA(kFrameBitmap)) : nullptr;
    if (bitmap != nullptr) {
      HDC memory = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(memory, bitmap);
      BITMAP size;
      GetObjectA(bitmap, sizeof size, &size);
      BitBlt(dc, 8, 8, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteDC(memory);
      DeleteObject(bitmap);
    }
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HINSTANCE ToolkitInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

HWND CreateFrameWindow(HINSTANCE toolkitInstance) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = toolkitInstance;
    frameClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frameClass.lpszClassName = kFrameClass;
    registered = RegisterClassA(&frameClass) != 0;
  }
  HWND frame = CreateWindowExA(0, kFrameClass, "Setup", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                               640, 480, nullptr, nullptr, toolkitInstance, nullptr);
  // Quiet, nothing is shown: the window is there for the module, hidden.
  if (frame != nullptr && !QuietMode()) {
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
  }
  return frame;
}

void DestroyFrameWindow(HWND frame) { DestroyWindow(frame); }
