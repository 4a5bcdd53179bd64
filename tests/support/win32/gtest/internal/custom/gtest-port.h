// GoogleTest's port settings for the Windows test programs, found before
// GoogleTest's own (empty) file of this name.
//
// MinGW's win32 thread model gives a C++ library without std::mutex and
// std::condition_variable, which GoogleTest's Notification is made of; its
// other threading is Win32's own. Notification here is a Win32 event.
#pragma once

#include <windows.h>

namespace testing {
namespace internal {

// Lets a controller thread hold new threads back until it notifies them.
class Notification {
 public:
  Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace internal
}  // namespace testing

#define GTEST_HAS_NOTIFICATION_ 1
