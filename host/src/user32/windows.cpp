// The window table: classes, creation and destruction, window text and the
// calls that reach a window's procedure directly.

#include <algorithm>
#include <cstring>
#include <map>

#include "machine/machine_internal.h"
#include "shown_lines.h"
#include "truncated_copy.h"
#include "transcript.h"
#include "user32/window_table.h"
#include "winapi.h"

namespace host::windows {

void DropQueuedMessages(HWND window);  // message_queue.cpp
void ResetQueue();                     // message_queue.cpp

namespace {

struct WindowClass {
  std::string name;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  ATOM atom = 0;
};

struct Table {
  std::map<uintptr_t, std::unique_ptr<Window>> windows;  // by handle: creation order
  uintptr_t nextHandle = kFirstHandle;
  std::vector<WindowClass> classes;
  ATOM nextAtom = 0xC000;  // where Windows numbers registered classes
  static constexpr uintptr_t kFirstHandle = 0x10002;
};

Table& TheTable() {
  static Table table;
  return table;
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A class of the name: the one the given instance registered, else a
// built-in one, as Windows looks (each module's instance has classes of its
// own, so two modules may register the same name); else, where Windows would
// fail, the first registered by any instance.
const WindowClass* FindClass(const std::string& name, HINSTANCE instance = nullptr) {
  const WindowClass* other = nullptr;
  for (const WindowClass& c : TheTable().classes) {
    if (!host::EqualNoCase(c.name, name)) continue;
    if (c.instance == instance) return &c;
    if (other == nullptr) other = &c;
  }
  static const WindowClass kBuiltIn[] = {
      {"STATIC", ControlProc, nullptr, 0},
      {"BUTTON", ControlProc, nullptr, 0},
      {"EDIT", ControlProc, nullptr, 0},
      {"LISTBOX", ListBoxProc, nullptr, 0},
  };
  for (const WindowClass& c : kBuiltIn)
    if (host::EqualNoCase(c.name, name)) return &c;
  return other;
}

const WindowClass* FindClassByAtom(ATOM atom) {
  for (const WindowClass& c : TheTable().classes)
    if (c.atom == atom) return &c;
  return nullptr;
}

LRESULT CallProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(window);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  WNDPROC proc = w->proc != nullptr ? w->proc : DefWindowProcA;
  return proc(window, message, wParam, lParam);
}

void Destroy(HWND window) {
  Window* w = Find(window);
  if (w == nullptr || w->destroying) return;
  w->destroying = true;
  // Owned windows go before their owner.
  for (HWND owned : TopLevelWindows()) {
    Window* o = Find(owned);
    if (o != nullptr && o->owner == window) Destroy(owned);
  }
  CallProc(window, WM_DESTROY, 0, 0);
  for (HWND child : Children(window)) Destroy(child);
  CallProc(window, WM_NCDESTROY, 0, 0);
  DropQueuedMessages(window);
  TheTable().windows.erase(reinterpret_cast<uintptr_t>(window));
}

}  // namespace

Window* Find(HWND window) {
  auto& windows = TheTable().windows;
  auto found = windows.find(reinterpret_cast<uintptr_t>(window));
  return found == windows.end() ? nullptr : found->second.get();
}

HWND CreateTableWindow(const WindowShape& shape, bool sendCreate) {
  Table& table = TheTable();
  auto window = std::make_unique<Window>();
  HWND handle = reinterpret_cast<HWND>(table.nextHandle);
  table.nextHandle += 2;
  window->handle = handle;
  window->className = shape.className;
  window->text = shape.text;
  window->proc = shape.proc;
  window->dialogProc = shape.dialogProc;
  if (shape.style & WS_CHILD)
    window->parent = shape.parent;
  else
    window->owner = shape.parent;
  window->id = shape.id;
  window->style = shape.style;
  window->exStyle = shape.exStyle;
  window->rect = shape.rect;
  window->instance = shape.instance;
  table.windows[reinterpret_cast<uintptr_t>(handle)] = std::move(window);
  if (!sendCreate) return handle;

  CREATESTRUCTA create{};
  create.lpCreateParams = shape.createParam;
  create.hInstance = shape.instance;
  create.hwndParent = shape.parent;
  create.x = shape.rect.left;
  create.y = shape.rect.top;
  create.cx = shape.rect.right - shape.rect.left;
  create.cy = shape.rect.bottom - shape.rect.top;
  create.style = static_cast<LONG>(shape.style);
  create.lpszName = shape.text.c_str();
  create.lpszClass = shape.className.c_str();
  create.dwExStyle = shape.exStyle;
  LPARAM param = reinterpret_cast<LPARAM>(&create);
  if (!CallProc(handle, WM_NCCREATE, 0, param) || CallProc(handle, WM_CREATE, 0, param) == -1) {
    // A window refused at creation was never fully made: Windows sends it
    // WM_NCDESTROY alone, not WM_DESTROY.
    CallProc(handle, WM_NCDESTROY, 0, 0);
    DropQueuedMessages(handle);
    table.windows.erase(reinterpret_cast<uintptr_t>(handle));
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return Find(handle) != nullptr ? handle : nullptr;
}

WNDPROC ClassProc(const std::string& className) {
  const WindowClass* c = FindClass(className);
  return c == nullptr ? nullptr : c->proc;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> result;
  for (const auto& [handle, window] : TheTable().windows)
    if (window->parent == nullptr) result.push_back(window->handle);
  return result;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> result;
  for (const auto& [handle, window] : TheTable().windows)
    if (window->parent == parent && parent != nullptr) result.push_back(window->handle);
  return result;
}

HWND ChildById(HWND parent, int id) {
  for (HWND child : Children(parent))
    if (Find(child)->id == id) return child;
  return nullptr;
}

void Reset() {
  Table& table = TheTable();
  table.windows.clear();
  table.classes.clear();
  table.nextHandle = Table::kFirstHandle;
  table.nextAtom = 0xC000;
  ResetQueue();
}

}  // namespace host::windows

namespace host {
void ResetWindows() { windows::Reset(); }
}  // namespace host

using host::windows::Find;
using host::windows::Window;

extern "C" {

ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
  if (windowClass == nullptr || windowClass->lpszClassName == nullptr ||
      IS_INTRESOURCE(windowClass->lpszClassName) || *windowClass->lpszClassName == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& table = host::windows::TheTable();
  for (const auto& c : table.classes) {
    if (host::EqualNoCase(c.name, windowClass->lpszClassName) &&
        c.instance == windowClass->hInstance) {
      SetLastError(ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
  }
  host::windows::WindowClass c;
  c.name = windowClass->lpszClassName;
  c.proc = windowClass->lpfnWndProc;
  c.instance = windowClass->hInstance;
  c.atom = table.nextAtom++;
  table.classes.push_back(c);
  return c.atom;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  if (className == nullptr) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  const host::windows::WindowClass* windowClass =
      IS_INTRESOURCE(className) ? host::windows::FindClassByAtom(
                                      static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(className)))
                                : host::windows::FindClass(className, instance);
  if (windowClass == nullptr) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  Window* parentWindow = parent != nullptr ? Find(parent) : nullptr;
  if (parent != nullptr && parentWindow == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if ((style & WS_CHILD) && parentWindow == nullptr) {
    // A child needs a parent, as on Windows.
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  host::windows::WindowShape shape;
  shape.className = windowClass->name;
  shape.text = windowName != nullptr ? windowName : "";
  shape.proc = windowClass->proc;
  shape.parent = parent;
  shape.style = style;
  shape.exStyle = exStyle;
  shape.instance = instance;
  shape.createParam = param;
  if (style & WS_CHILD) shape.id = static_cast<int>(reinterpret_cast<ULONG_PTR>(menu));
  // CW_USEDEFAULT places a top-level window at the origin with half the
  // screen's size; child coordinates are relative to the parent.
  const host::MachineConfig& config = host::Config();
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) {
    width = config.screenWidth / 2;
    height = config.screenHeight / 2;
  }
  if ((style & WS_CHILD) && parentWindow != nullptr) {
    x += parentWindow->rect.left;
    y += parentWindow->rect.top;
  }
  shape.rect = RECT{x, y, x + width, y + height};
  return host::windows::CreateTableWindow(shape, true);
}

BOOL WINAPI DestroyWindow(HWND window) {
  if (Find(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  host::windows::Destroy(window);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND window) { return Find(window) != nullptr ? TRUE : FALSE; }

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(window);
  if (w == nullptr) return 0;
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_SETTEXT:
      w->text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
      return TRUE;
    case WM_GETTEXT: {
      if (wParam == 0 || lParam == 0) return 0;
      return static_cast<LRESULT>(machine_ini::CopyTruncated(
          w->text, reinterpret_cast<char*>(lParam), static_cast<size_t>(wParam)));
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    default:
      return 0;
  }
}

BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text) {
  if (Find(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  std::string value = text != nullptr ? text : "";
  TranscriptLine(CaptionLine(value));
  return host::windows::CallProc(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()))
             ? TRUE
             : FALSE;
}

int WINAPI GetWindowTextA(HWND window, LPSTR text, int size) {
  if (Find(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    if (text != nullptr && size > 0) *text = '\0';
    return 0;
  }
  if (text == nullptr || size <= 0) return 0;
  return static_cast<int>(host::windows::CallProc(window, WM_GETTEXT, static_cast<WPARAM>(size),
                                                  reinterpret_cast<LPARAM>(text)));
}

BOOL WINAPI ShowWindow(HWND window, int command) {
  Window* w = Find(window);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  bool visible = command != SW_HIDE;
  if (visible)
    w->style |= WS_VISIBLE;
  else
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
  if (visible != wasVisible) host::windows::CallProc(window, WM_SHOWWINDOW, visible, 0);
  return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND window) {
  if (Find(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI RedrawWindow(HWND window, const RECT* /*update*/, void* /*region*/, UINT /*flags*/) {
  // Null stands for the desktop, which always exists.
  if (window != nullptr && Find(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return TRUE;
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == HWND_BROADCAST) {
    for (HWND top : host::windows::TopLevelWindows())
      if (Find(top) != nullptr) host::windows::CallProc(top, message, wParam, lParam);
    return 1;
  }
  return host::windows::CallProc(window, message, wParam, lParam);
}

}  // extern "C"
