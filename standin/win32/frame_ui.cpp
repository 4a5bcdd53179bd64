// msshlstf.dll on Windows: the setup frame is a real top-level window that
// fills the screen (the work area of the desktop it is given), as setup
// programs of the time did: a blue background shading to black, the
// program's title, and the bitmap of the custom-dialog library behind the
// pages. It shows the custom-dialog library's bitmap 1 from its first paint;
// FSetBitmap names the one to show from then on.
#include <windows.h>

#include <string>

#include "core/calls.h"
#include "core/page_ui.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr char kFrameClass[] = "SetupFrame";
constexpr char kCustomDialogLibrary[] = "mscuistf.dll";
constexpr int kDefaultBitmap = 1;
constexpr int kFrameIcon = 202;  // the custom-dialog library's setup icon
constexpr char kBitmapProperty[] = "SetupFrameBitmap";
// Where the bitmap and the title sit, and the title's size.
constexpr int kMargin = 16;
constexpr int kTitleHeight = 36;
// The background: blue at the top, shading to black in this many bands.
constexpr int kShadeBands = 64;
constexpr int kTopBlue = 255;

HBITMAP LoadLibraryBitmap(const std::string& library, int number) {
  // The library stays loaded for the frame's life: it is the toolkit's own.
  HMODULE module = LoadLibraryA(library.c_str());
  if (module == nullptr) return nullptr;
  return LoadBitmapA(module, MAKEINTRESOURCEA(number));
}

void SetBitmap(HWND frame, HBITMAP bitmap) {
  HANDLE old = RemovePropA(frame, kBitmapProperty);
  if (old != nullptr) DeleteObject(old);
  if (bitmap != nullptr) SetPropA(frame, kBitmapProperty, bitmap);
  InvalidateRect(frame, nullptr, TRUE);
}

void PaintBackground(HDC dc, const RECT& client) {
  int height = client.bottom - client.top;
  for (int band = 0; band < kShadeBands; ++band) {
    RECT stripe = client;
    stripe.top = client.top + height * band / kShadeBands;
    stripe.bottom = client.top + height * (band + 1) / kShadeBands;
    int blue = kTopBlue - kTopBlue * band / kShadeBands;
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, blue));
    FillRect(dc, &stripe, brush);
    DeleteObject(brush);
  }
}

// The bitmap at the top left; its size, or 0 x 0 without one.
SIZE PaintBitmap(HWND frame, HDC dc) {
  SIZE size = {0, 0};
  auto bitmap = static_cast<HBITMAP>(GetPropA(frame, kBitmapProperty));
  if (bitmap == nullptr) return size;
  BITMAP info;
  GetObjectA(bitmap, sizeof info, &info);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(dc, kMargin, kMargin, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  size.cx = info.bmWidth;
  size.cy = info.bmHeight;
  return size;
}

// The frame's caption as the program's title, white on the background with a
// black shadow, beside the bitmap.
void PaintTitle(HWND frame, HDC dc, SIZE bitmap) {
  char title[128];
  int length = GetWindowTextA(frame, title, sizeof title);
  if (length <= 0) return;
  HFONT font = CreateFontA(kTitleHeight, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           VARIABLE_PITCH | FF_ROMAN, "Times New Roman");
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  int x = kMargin + (bitmap.cx > 0 ? bitmap.cx + kMargin : 0);
  int y = kMargin + (bitmap.cy > kTitleHeight ? (bitmap.cy - kTitleHeight) / 2 : 0);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutA(dc, x + 3, y + 3, title, length);
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutA(dc, x, y, title, length);
  SelectObject(dc, old);
  DeleteObject(font);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      PaintBackground(reinterpret_cast<HDC>(wParam), client);
      return TRUE;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      PaintTitle(window, dc, PaintBitmap(window, dc));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      SetBitmap(window, nullptr);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HINSTANCE ToolkitInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

HWND CreateFrameWindow(HINSTANCE toolkitInstance) {
  static bool registered = false;
  HMODULE pages = LoadLibraryA(kCustomDialogLibrary);
  if (!registered) {
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = toolkitInstance;
    frameClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    frameClass.hIcon = pages != nullptr ? LoadIconA(pages, MAKEINTRESOURCEA(kFrameIcon)) : nullptr;
    frameClass.lpszClassName = kFrameClass;
    registered = RegisterClassA(&frameClass) != 0;
  }
  RECT desktop;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0)) {
    desktop = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  // A pop-up without a border: the whole desktop is the setup's.
  HWND frame =
      CreateWindowExA(0, kFrameClass, "Setup", WS_POPUP | WS_CLIPCHILDREN, desktop.left,
                      desktop.top, desktop.right - desktop.left, desktop.bottom - desktop.top,
                      nullptr, nullptr, toolkitInstance, nullptr);
  if (frame == nullptr) return nullptr;
  SetBitmap(frame, LoadLibraryBitmap(kCustomDialogLibrary, kDefaultBitmap));
  // Quiet, nothing is shown: the window is there for the module, hidden.
  if (!QuietMode()) {
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
  }
  return frame;
}

void DestroyFrameWindow(HWND frame) { DestroyWindow(frame); }

void ShowFrameBitmap(HWND frame, const std::string& library, int number) {
  HBITMAP bitmap = LoadLibraryBitmap(library, number);
  if (bitmap != nullptr) SetBitmap(frame, bitmap);
}
