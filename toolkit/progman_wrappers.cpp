// Program Manager members of the checked wrappers.
#include <cstdio>
#include <cstring>

#include "toolkit/checked_wrappers.h"
#include "toolkit/fail_fast.h"
#include "toolkit/path_helpers.h"
#include "toolkit/toolkit_api.h"

namespace {

// The decimal text of a 32-bit number: 12 bytes would do.
constexpr int kNumberTextSize = 256;

}  // namespace

void CreateProgManGroupExChecked(LPCSTR group, LPCSTR groupFile, int options) {
  FailUnless(FCreateProgManGroupEx(group, groupFile, options));
}

void ShowProgManGroupExChecked(LPCSTR group, LPCSTR groupFile, int number, int options) {
  char numberText[kNumberTextSize];
  std::snprintf(numberText, sizeof numberText, "%d", number);
  FailUnless(FShowProgManGroupEx(group, groupFile, numberText, options));
}

void CreateProgManItemExChecked(LPCSTR group, LPCSTR groupFile, LPCSTR item, LPCSTR command,
                                LPCSTR extra, int options) {
  LPCSTR itemText = item;
  if (extra != nullptr && *extra != '\0') {
    // The join's buffer is a limit too: a joined text that would not fit
    // ends the run with the overflow box rather than overrun it.
    size_t joinedLength = std::strlen(item) + 1 + std::strlen(extra);
    FailOnOverflow(joinedLength, kJoinThreeSize);
    itemText = JoinThree(item, ",", extra);
  }
  FailUnless(FCreateProgManItemEx(group, groupFile, itemText, command, options));
}
