// The thread's message queue: posted messages, the quit flag, peeking and
// dispatching. The host runs the module on one thread, so there is one
// queue.

#include <time.h>

#include <deque>

#include "user32/window_table.h"
#include "winapi.h"

namespace host::windows {
namespace {

struct Queue {
  std::deque<MSG> posted;
  // PostQuitMessage does not queue a message: it raises a flag that is
  // turned into WM_QUIT once no posted message is left, as on Windows.
  bool quitPending = false;
  int quitCode = 0;
};

Queue& TheQueue() {
  static Queue queue;
  return queue;
}

DWORD TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<DWORD>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

bool IsChildOf(HWND window, HWND ancestor) {
  for (Window* w = Find(window); w != nullptr && w->parent != nullptr; w = Find(w->parent))
    if (w->parent == ancestor) return true;
  return false;
}

// The window filter of PeekMessage: null takes every message, (HWND)-1 only
// thread messages, a window its own messages and those of its children.
bool MatchesWindow(HWND filter, HWND window) {
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return window == nullptr;
  return window == filter || IsChildOf(window, filter);
}

// Both bounds zero take every message; so does a minimum above the maximum.
bool MatchesRange(UINT message, UINT filterMin, UINT filterMax) {
  if (filterMin == 0 && filterMax == 0) return true;
  if (filterMin > filterMax) return true;
  return message >= filterMin && message <= filterMax;
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = TickCount();
  TheQueue().posted.push_back(msg);
}

}  // namespace

void DropQueuedMessages(HWND window) {
  auto& posted = TheQueue().posted;
  for (auto it = posted.begin(); it != posted.end();)
    it = it->hwnd == window ? posted.erase(it) : it + 1;
}

void ResetQueue() { TheQueue() = Queue(); }

}  // namespace host::windows

using host::windows::Find;

extern "C" {

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == HWND_BROADCAST) {
    for (HWND top : host::windows::TopLevelWindows())
      host::windows::Post(top, message, wParam, lParam);
    return TRUE;
  }
  if (window != nullptr && Find(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  host::windows::Post(window, message, wParam, lParam);
  return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
  auto& queue = host::windows::TheQueue();
  queue.quitPending = true;
  queue.quitCode = exitCode;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT remove) {
  if (msg == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (window != nullptr && window != reinterpret_cast<HWND>(-1) && Find(window) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  auto& queue = host::windows::TheQueue();
  for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
    if (!host::windows::MatchesWindow(window, it->hwnd) ||
        !host::windows::MatchesRange(it->message, filterMin, filterMax))
      continue;
    *msg = *it;
    if (remove & PM_REMOVE) queue.posted.erase(it);
    return TRUE;
  }
  // The quit flag answers whatever the filters, once nothing posted matches.
  if (queue.quitPending) {
    *msg = MSG{};
    msg->message = WM_QUIT;
    msg->wParam = static_cast<WPARAM>(queue.quitCode);
    msg->time = host::windows::TickCount();
    if (remove & PM_REMOVE) queue.quitPending = false;
    return TRUE;
  }
  return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
  // There is no keyboard: keyboard messages are reported as translated
  // (Windows answers nonzero for every message of the keyboard range,
  // whatever it translates), but no character message is generated.
  if (msg == nullptr) return FALSE;
  return msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST ? TRUE : FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || msg->hwnd == nullptr) return 0;
  host::windows::Window* w = Find(msg->hwnd);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  WNDPROC proc = w->proc != nullptr ? w->proc : DefWindowProcA;
  return proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

}  // extern "C"
