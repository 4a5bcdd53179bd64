// SetFocus on windows of this program: top-level windows active and not,
// their children, disabled windows, and no window. Each line names the
// window returned and the one with the focus afterwards.
#include <cstring>
#include <string>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "focus";

struct Named {
  const char* name;
  HWND window;
};

std::string NameOf(const Named* windows, size_t count, HWND window) {
  if (window == nullptr) return "NULL";
  for (size_t i = 0; i < count; ++i)
    if (windows[i].window == window) return windows[i].name;
  return "another";
}

// The program's own instance, where its image is loaded on Windows.
HINSTANCE OwnInstance() { return reinterpret_cast<HINSTANCE>(0x00400000); }

HWND Make(DWORD style, HWND parent) {
  return CreateWindowExA(0, "ConformFocus", "", style, 0, 0, 50, 50, parent, nullptr, OwnInstance(),
                         nullptr);
}

}  // namespace

void RunFocus() {
  WNDCLASSA windowClass;
  std::memset(&windowClass, 0, sizeof windowClass);
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = OwnInstance();
  windowClass.lpszClassName = "ConformFocus";
  if (RegisterClassA(&windowClass) == 0) return;
  HWND a = Make(WS_OVERLAPPEDWINDOW, nullptr), b = Make(WS_OVERLAPPEDWINDOW, nullptr);
  HWND d = Make(WS_OVERLAPPEDWINDOW | WS_DISABLED, nullptr);
  const Named windows[] = {{"A", a},
                           {"a1", Make(WS_CHILD, a)},
                           {"B", b},
                           {"b1", Make(WS_CHILD, b)},
                           {"D", d},
                           {"d1", Make(WS_CHILD, d)},
                           {"not a window", reinterpret_cast<HWND>(0x7654)},
                           {"NULL", nullptr}};
  const size_t count = sizeof windows / sizeof windows[0];
  auto window = [&](const char* name) {
    for (const Named& n : windows)
      if (std::strcmp(n.name, name) == 0) return n.window;
    return HWND{nullptr};
  };
  struct {
    const char* label;
    const char* target;
  } cases[] = {
      {"A, no window active", "A"},
      {"a1, child of the active A", "a1"},
      {"a1 again", "a1"},
      {"B, inactive", "B"},
      {"a1, child of the inactive A", "a1"},
      {"NULL", "NULL"},
      {"NULL again", "NULL"},
      {"b1, no focus, B inactive", "b1"},
      {"D, disabled", "D"},
      {"d1, in the disabled D", "d1"},
      {"not a window", "not a window"},
      {"A, inactive", "A"},
  };
  for (const auto& c : cases) {
    ArmError();
    HWND previous = SetFocus(window(c.target));
    std::string shown = NameOf(windows, count, previous);
    if (previous == nullptr) shown += Error();
    Observe(kArea, "SetFocus", c.label, shown + " focus " + NameOf(windows, count, GetFocus()));
  }
  for (HWND top : {a, b, d}) DestroyWindow(top);
}

}  // namespace conformance
