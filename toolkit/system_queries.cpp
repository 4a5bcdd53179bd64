// System queries of the checked wrappers' library: no toolkit involved.
#include "toolkit/checked_wrappers.h"

namespace {

// GetModeCode's one answer.
constexpr int kModeCode = 2;

}  // namespace

// GetVersion's low word holds the major version in its low byte and the
// minor version in its high byte; the high word is the platform's.
int GetWindowsMajorVersion() { return static_cast<int>(GetVersion() & 0xFF); }

int GetWindowsMinorVersion() { return static_cast<int>((GetVersion() >> 8) & 0xFF); }

int GetModeCode() { return kModeCode; }

int GetScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int GetScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

void NoOperation() {}
