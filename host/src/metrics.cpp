// System metrics of the machine's screen.

#include "host_internal.h"
#include "winapi.h"

extern "C" int WINAPI GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return host::Config().screenWidth;
    case SM_CYSCREEN:
      return host::Config().screenHeight;
    default:
      return 0;  // as Windows answers for an index it does not know
  }
}
