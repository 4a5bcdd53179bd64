// System metrics of the machine's screen.

#include "machine/machine_internal.h"
#include "winapi.h"

namespace {
// The icon size every Windows display driver of the time reports.
constexpr int kIconSize = 32;
}  // namespace

extern "C" int WINAPI GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return host::Config().screenWidth;
    case SM_CYSCREEN:
      return host::Config().screenHeight;
    case SM_CXICON:
    case SM_CYICON:
      return kIconSize;
    default:
      return 0;  // as Windows answers for an index it does not know
  }
}
