// Program Manager members of the checked wrappers.
#include "toolkit/bounded_text.h"
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
  DecimalText(numberText, sizeof numberText, number);
  FailUnless(FShowProgManGroupEx(group, groupFile, numberText, options));
}

void CreateProgManItemExChecked(LPCSTR group, LPCSTR groupFile, LPCSTR item, LPCSTR command,
                                LPCSTR extra, int options) {
  LPCSTR itemText = item;
  // The join shows the overflow box and ends the run when the joined text
  // would not fit its buffer.
  if (extra != nullptr && *extra != '\0') itemText = JoinThree(item, ",", extra);
  FailUnless(FCreateProgManItemEx(group, groupFile, itemText, command, options));
}
