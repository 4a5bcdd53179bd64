#include "toolkit/checked_ops.h"

#include "toolkit/bounded_text.h"
#include "toolkit/fail_fast.h"
#include "toolkit/path_helpers.h"
#include "toolkit/session.h"
#include "toolkit/toolkit_api.h"

namespace {

// The decimal text of a number.
constexpr int kNumberTextSize = 256;

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
  DecimalText(numberText, sizeof numberText, number);
  FailUnless(FShowProgManGroup(group, numberText, options));
}

void CreateProgManItemChecked(const char* group, const char* item, const char* command,
                              const char* extra, int options) {
  const char* itemText = item;
  if (extra != nullptr && *extra != '\0') itemText = JoinThree(item, ",", extra);
  FailUnless(FCreateProgManItem(group, itemText, command, options));
}

bool IsDirWritable(const char* path) { return FIsDirWritable(path) != 0; }
