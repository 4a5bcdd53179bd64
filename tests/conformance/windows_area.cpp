// Window classes, window creation and destruction, messages, list boxes,
// metrics and fonts.
#include <cstring>
#include <string>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "windows";

// The messages of creation and destruction a window procedure saw, and what
// it answers to the first two.
std::string g_seen;
LRESULT g_ncCreateAnswer = TRUE;
LRESULT g_createAnswer = 0;

LRESULT CALLBACK Recording(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      g_seen += " NCCREATE";
      return g_ncCreateAnswer == TRUE ? DefWindowProcA(window, message, wParam, lParam)
                                      : g_ncCreateAnswer;
    case WM_CREATE:
      g_seen += " CREATE";
      return g_createAnswer;
    case WM_DESTROY:
      g_seen += " DESTROY";
      break;
    case WM_NCDESTROY:
      g_seen += " NCDESTROY";
      break;
    case WM_USER:
      g_seen += " USER";
      return 42;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

ATOM Register(const char* name, HINSTANCE instance) {
  WNDCLASSA windowClass;
  std::memset(&windowClass, 0, sizeof windowClass);
  windowClass.lpfnWndProc = Recording;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = name;
  return RegisterClassA(&windowClass);
}

HINSTANCE OtherInstance() { return LoadLibraryA("ADVAPI32.DLL"); }
HINSTANCE OwnInstance() { return reinterpret_cast<HINSTANCE>(0x00400000); }

void Classes() {
  struct {
    const char* label;
    const char* name;
    bool other;
  } cases[] = {{"new", "ConformClass", false},
               {"same name, same instance", "ConformClass", false},
               {"other case, same instance", "CONFORMCLASS", false},
               {"same name, other instance", "ConformClass", true},
               {"built-in name, other instance", "LISTBOX", true}};
  for (const auto& c : cases) {
    ArmError();
    ATOM atom = Register(c.name, c.other ? OtherInstance() : OwnInstance());
    Observe(kArea, "RegisterClassA", c.label, atom == 0 ? "0" + Error() : "atom");
  }
}

void Creation() {
  struct {
    const char* label;
    LRESULT ncCreate;
    LRESULT create;
    DWORD style;
  } cases[] = {{"plain", TRUE, 0, WS_POPUP},
               {"WM_NCCREATE FALSE", FALSE, 0, WS_POPUP},
               {"WM_CREATE -1", TRUE, -1, WS_POPUP},
               {"child without parent", TRUE, 0, WS_CHILD}};
  for (const auto& c : cases) {
    g_seen.clear();
    g_ncCreateAnswer = c.ncCreate;
    g_createAnswer = c.create;
    ArmError();
    HWND window = CreateWindowExA(0, "ConformClass", "title", c.style, 0, 0, 100, 100, nullptr,
                                  nullptr, OwnInstance(), nullptr);
    std::string observed = window == nullptr ? "NULL" + Error() : "window";
    if (window != nullptr) DestroyWindow(window);
    Observe(kArea, "CreateWindowExA", c.label, observed + " saw" + g_seen);
  }
  g_ncCreateAnswer = TRUE;
  g_createAnswer = 0;
  ArmError();
  HWND window = CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                OwnInstance(), nullptr);
  Observe(kArea, "CreateWindowExA", "unknown class",
          window == nullptr ? "NULL" + Error() : "window");
}

void Text() {
  HWND window = CreateWindowExA(0, "ConformClass", "caption", WS_POPUP, 0, 0, 100, 100, nullptr,
                                nullptr, OwnInstance(), nullptr);
  const int sizes[] = {0, 1, 7, 8, 64};
  for (int size : sizes) {
    Buffer buffer(size);
    ArmError();
    int result = GetWindowTextA(window, size == 0 ? nullptr : buffer.data(), size);
    Observe(kArea, "GetWindowTextA", "size " + Number(size),
            Number(result) + " " + buffer.Shown(std::min(size, 9)));
  }
  Observe(kArea, "SetWindowTextA", "new", Number(SetWindowTextA(window, "longer caption")));
  Observe(kArea, "SendMessageA", "WM_GETTEXTLENGTH",
          Number(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)));
  Observe(kArea, "SendMessageA", "WM_USER", Number(SendMessageA(window, WM_USER, 0, 0)));
  DWORD_PTR timedAnswer = 0;
  LRESULT sent = SendMessageTimeoutA(window, WM_USER, 0, 0, SMTO_ABORTIFHUNG, 1000, &timedAnswer);
  Observe(kArea, "SendMessageTimeoutA", "WM_USER",
          Number(sent != 0) + " answer " + Number(static_cast<long long>(timedAnswer)));
  Observe(kArea, "IsWindow", "live", Number(IsWindow(window)));
  Observe(kArea, "ShowWindow", "SW_SHOW hidden", Number(ShowWindow(window, SW_SHOW) != 0));
  Observe(kArea, "ShowWindow", "SW_HIDE shown", Number(ShowWindow(window, SW_HIDE) != 0));
  Observe(kArea, "UpdateWindow", "live", Number(UpdateWindow(window)));
  RECT rect{0, 0, 0, 0};
  Observe(kArea, "MoveWindow", "live", Number(MoveWindow(window, 10, 20, 30, 40, FALSE)));
  GetWindowRect(window, &rect);
  Observe(kArea, "GetWindowRect", "moved",
          Number(rect.left) + "," + Number(rect.top) + "," + Number(rect.right) + "," +
              Number(rect.bottom));
  DestroyWindow(window);
  Observe(kArea, "IsWindow", "destroyed", Number(IsWindow(window)));
  ArmError();
  LRESULT answer = SendMessageA(window, WM_USER, 0, 0);
  Observe(kArea, "SendMessageA", "destroyed window", Number(answer) + Error());
  ArmError();
  BOOL destroyed = DestroyWindow(window);
  Observe(kArea, "DestroyWindow", "destroyed window", Number(destroyed) + Error());
}

// A parent's child windows by control id, as dialogs reach their items.
void ChildItems() {
  HWND parent = CreateWindowExA(0, "ConformClass", "parent", WS_POPUP, 0, 0, 200, 100, nullptr,
                                nullptr, OwnInstance(), nullptr);
  HWND child = CreateWindowExA(0, "STATIC", "item", WS_CHILD, 5, 5, 50, 20, parent,
                               reinterpret_cast<HMENU>(7), OwnInstance(), nullptr);
  Observe(kArea, "GetDlgItem", "7", GetDlgItem(parent, 7) == child ? "the child" : "other");
  ArmError();
  HWND missing = GetDlgItem(parent, 8);
  Observe(kArea, "GetDlgItem", "8", missing == nullptr ? "NULL" : "window");
  Observe(kArea, "SetDlgItemTextA", "7", Number(SetDlgItemTextA(parent, 7, "longer text")));
  const int sizes[] = {1, 6, 11, 12, 64};
  for (int size : sizes) {
    Buffer buffer(size);
    UINT copied = GetDlgItemTextA(parent, 7, buffer.data(), size);
    Observe(kArea, "GetDlgItemTextA", "7 size " + Number(size),
            Number(copied) + " " + buffer.Shown(std::min(size, 13)));
  }
  Observe(kArea, "SendDlgItemMessageA", "7 WM_GETTEXTLENGTH",
          Number(SendDlgItemMessageA(parent, 7, WM_GETTEXTLENGTH, 0, 0)));
  RECT rect{0, 0, 0, 0};
  GetWindowRect(child, &rect);
  Observe(kArea, "GetWindowRect", "child",
          Number(rect.right - rect.left) + "x" + Number(rect.bottom - rect.top));
  DestroyWindow(parent);
  Observe(kArea, "IsWindow", "child of a destroyed parent", Number(IsWindow(child)));
}

void Queue() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  PostMessageA(nullptr, WM_USER + 1, 1, 2);
  PostMessageA(nullptr, WM_USER + 2, 3, 4);
  struct {
    const char* label;
    UINT low, high, remove;
  } peeks[] = {{"second only", WM_USER + 2, WM_USER + 2, PM_REMOVE},
               {"any, keep", 0, 0, PM_NOREMOVE},
               {"any", 0, 0, PM_REMOVE},
               {"empty", 0, 0, PM_REMOVE}};
  for (const auto& p : peeks) {
    std::memset(&msg, 0, sizeof msg);
    BOOL got = PeekMessageA(&msg, reinterpret_cast<HWND>(-1), p.low, p.high, p.remove);
    Observe(kArea, "PeekMessageA", p.label,
            Number(got) + (got ? " " + Hex(msg.message) + " " + Number(msg.wParam) : ""));
  }
  PostQuitMessage(7);
  std::memset(&msg, 0, sizeof msg);
  BOOL got = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
  Observe(kArea, "PeekMessageA", "after PostQuitMessage",
          Number(got) + " " + Hex(msg.message) + " " + Number(msg.wParam));
  const struct {
    const char* label;
    UINT message;
    WPARAM key;
  } translations[] = {{"WM_KEYDOWN A", WM_KEYDOWN, 'A'},
                      {"WM_KEYUP A", WM_KEYUP, 'A'},
                      {"WM_SYSKEYDOWN A", WM_SYSKEYDOWN, 'A'},
                      {"WM_SYSKEYUP A", WM_SYSKEYUP, 'A'},
                      {"WM_CHAR", WM_CHAR, 'a'},
                      {"WM_USER", WM_USER, 0}};
  for (const auto& t : translations) {
    MSG message;
    std::memset(&message, 0, sizeof message);
    message.message = t.message;
    message.wParam = t.key;
    Observe(kArea, "TranslateMessage", t.label, Number(TranslateMessage(&message) != 0));
  }
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  MSG thread{};
  thread.message = WM_USER;
  Observe(kArea, "DispatchMessageA", "thread message", Number(DispatchMessageA(&thread)));
}

void ListBoxes() {
  const char* entries[] = {"beta",  "Alpha", "_under", "10",  "2",  "\xE4pfel",
                           "apfel", "Zulu",  "alpha",  "b-c", "bc", "a b"};
  const DWORD styles[] = {0, LBS_SORT};
  for (DWORD style : styles) {
    // The system's class: only another instance registered a "LISTBOX".
    HWND box = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | style, 0, 0, 100, 100, nullptr, nullptr,
                               OwnInstance(), nullptr);
    std::string positions;
    for (const char* entry : entries)
      positions +=
          " " + Number(SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry)));
    LRESULT count = SendMessageA(box, LB_GETCOUNT, 0, 0);
    std::string order;
    for (LRESULT i = 0; i < count; ++i) {
      char text[32] = "";
      SendMessageA(box, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      order += " " + Quote(text);
    }
    std::string label = style == 0 ? "unsorted" : "LBS_SORT";
    Observe(kArea, "LB_ADDSTRING", label, "positions" + positions);
    Observe(kArea, "LB_GETTEXT", label, Number(count) + order);
    Observe(kArea, "LB_GETTEXTLEN", label + " 0", Number(SendMessageA(box, LB_GETTEXTLEN, 0, 0)));
    Observe(kArea, "LB_GETTEXTLEN", label + " past end",
            Number(SendMessageA(box, LB_GETTEXTLEN, 99, 0)));
    DestroyWindow(box);
  }
}

void MetricsAndFonts() {
  const struct {
    const char* label;
    int index;
  } metrics[] = {{"SM_CXSCREEN", SM_CXSCREEN},
                 {"SM_CYSCREEN", SM_CYSCREEN},
                 {"SM_CXICON", SM_CXICON},
                 {"SM_CYICON", SM_CYICON},
                 {"unknown 9999", 9999}};
  for (const auto& m : metrics)
    Observe(kArea, "GetSystemMetrics", m.label, Number(GetSystemMetrics(m.index)));
  const char* fonts[] = {"C:\\conform\\missing.fon", "missing.fon", "C:\\conform\\data.txt", ""};
  for (const char* font : fonts) {
    ArmError();
    Observe(kArea, "AddFontResourceA", Quote(font), Number(AddFontResourceA(font)));
  }
  ArmError();
  Observe(kArea, "RedrawWindow", "desktop",
          Number(RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE)));
  ArmError();
  BOOL redrawn = RedrawWindow(reinterpret_cast<HWND>(0x7654), nullptr, nullptr, RDW_INVALIDATE);
  Observe(kArea, "RedrawWindow", "not a window", Number(redrawn) + Error());
}

}  // namespace

void RunWindows() {
  Classes();
  Creation();
  Text();
  ChildItems();
  Queue();
  ListBoxes();
  MetricsAndFonts();
}

}  // namespace conformance
