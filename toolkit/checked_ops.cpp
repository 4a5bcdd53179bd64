#include "toolkit/checked_ops.h"

#include <cstdio>

#include "toolkit/fail_fast.h"
#include "toolkit/session.h"
#include "toolkit/symbols.h"
#include "toolkit/toolkit_api.h"

namespace {

// The decimal text of a number, and an item with its extra text.
constexpr int kNumberTextSize = 256;
constexpr int kItemTextSize = 256;

}  // namespace

void SetFrameBitmapChecked(const char* library, int number) {
  FailUnless(FSetBitmap(library, static_cast<UINT>(number)));
}

void CreateDirChecked(const char* path, int options) { FailUnless(FCreateDir(path, options)); }

void CreateProgManGroupChecked(const char* group, const char* text, int options) {
  FailUnless(FCreateProgManGroup(group, text, options));
}

void ShowProgManGroupChecked(const char* group, int number, int options) {
  char numberText[kNumberTextSize];
  std::snprintf(numberText, sizeof numberText, "%d", number);
  FailUnless(FShowProgManGroup(group, numberText, options));
}

void CreateProgManItemChecked(const char* group, const char* item, const char* command,
                              const char* extra, int options) {
  const char* itemText = item;
  char joined[kItemTextSize];
  if (extra != nullptr && *extra != '\0') {
    int length = std::snprintf(joined, sizeof joined, "%s,%s", item, extra);
    if (length < 0 || length >= kItemTextSize) {
      ShowBufferOverflow();
      SetupErrorExit(SetupErrorFail);
    }
    itemText = joined;
  }
  FailUnless(FCreateProgManItem(group, itemText, command, options));
}

bool IsDirWritable(const char* path) { return FIsDirWritable(path) != 0; }
