#include "printer_wizard.h"

namespace {

constexpr char kWizardClass[] = "PrinterInstall";
constexpr char kFrameClass[] = "SetupFrame";  // the stand-in toolkit's frame
// The wizard's size as the system's wizards have it, and its parts.
constexpr int kWidth = 480, kHeight = 360;
constexpr int kMargin = 12;
constexpr int kPictureWidth = 140;
constexpr int kButtonWidth = 80, kButtonHeight = 24, kButtonGap = 8;
constexpr int kPrinterIcon = 202;  // the printer of the custom-dialog library
// Posted to itself: it steps out of the setup frame's way.
constexpr UINT kStepAside = WM_APP + 1;

HWND VisibleSetupFrame(HWND wizard) {
  HWND frame = FindWindowA(kFrameClass, nullptr);
  if (frame == nullptr || !IsWindowVisible(frame)) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(frame, &process);
  DWORD own = 0;
  GetWindowThreadProcessId(wizard, &own);
  return process == own ? frame : nullptr;
}

void PaintPicture(HWND wizard, HDC dc) {
  RECT client;
  GetClientRect(wizard, &client);
  RECT picture = {kMargin, kMargin, kMargin + kPictureWidth,
                  client.bottom - 2 * kMargin - kButtonHeight};
  HBRUSH teal = CreateSolidBrush(RGB(0, 128, 128));
  FillRect(dc, &picture, teal);
  DeleteObject(teal);
  DrawEdge(dc, &picture, EDGE_SUNKEN, BF_RECT);
  HMODULE pages = GetModuleHandleA("mscuistf.dll");
  if (pages == nullptr) pages = LoadLibraryA("mscuistf.dll");
  HICON icon = pages != nullptr ? LoadIconA(pages, MAKEINTRESOURCEA(kPrinterIcon)) : nullptr;
  if (icon == nullptr) icon = LoadIconA(nullptr, IDI_APPLICATION);
  DrawIcon(dc, (picture.left + picture.right - 32) / 2, (picture.top + picture.bottom - 32) / 2,
           icon);
  RECT rule = {kMargin, client.bottom - 2 * kMargin - kButtonHeight + kMargin / 2,
               client.right - kMargin,
               client.bottom - 2 * kMargin - kButtonHeight + kMargin / 2 + 2};
  DrawEdge(dc, &rule, EDGE_ETCHED, BF_TOP);
}

LRESULT CALLBACK WizardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      PaintPicture(window, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ACTIVATE:
      // Activated again when a dialog it owns goes; the setup frame covers
      // the screen by then, and the wizard waits out of its way.
      if (LOWORD(wParam) != WA_INACTIVE && VisibleSetupFrame(window) != nullptr)
        PostMessageA(window, kStepAside, 0, 0);
      break;
    case kStepAside:
      if (VisibleSetupFrame(window) != nullptr) ShowWindow(window, SW_HIDE);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND Child(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
           int width, int height) {
  HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                               height, parent, nullptr, nullptr, nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return child;
}

}  // namespace

HWND CreatePrinterWizardWindow(HINSTANCE instance, const std::string& printer) {
  WNDCLASSA wizardClass = {};
  wizardClass.lpfnWndProc = WizardProc;
  wizardClass.hInstance = instance;
  wizardClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wizardClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wizardClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wizardClass.lpszClassName = kWizardClass;
  RegisterClassA(&wizardClass);
  int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND wizard = CreateWindowExA(WS_EX_DLGMODALFRAME, kWizardClass, "Add Printer Wizard",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU, left, top, kWidth, kHeight,
                                nullptr, nullptr, instance, nullptr);
  if (wizard == nullptr) return nullptr;
  RECT client;
  GetClientRect(wizard, &client);
  int textLeft = 2 * kMargin + kPictureWidth;
  int textWidth = client.right - textLeft - kMargin;
  std::string text = "Windows is installing the software for \"" + printer +
                     "\".\n\nThe printer manufacturer's setup program is running. Follow its "
                     "instructions; the wizard goes on when it has finished.";
  Child(wizard, "Static", text.c_str(), SS_LEFT, textLeft, kMargin, textWidth, 120);
  int buttonTop = client.bottom - kMargin - kButtonHeight;
  const char* buttons[] = {"< &Back", "&Finish", "Cancel"};
  for (int i = 0; i < 3; ++i) {
    int x = client.right - kMargin - (3 - i) * kButtonWidth - (2 - i) * kButtonGap;
    Child(wizard, "Button", buttons[i], BS_PUSHBUTTON | WS_DISABLED, x, buttonTop, kButtonWidth,
          kButtonHeight);
  }
  ShowWindow(wizard, SW_SHOWNORMAL);
  UpdateWindow(wizard);
  return wizard;
}
