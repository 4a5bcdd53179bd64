// The printer's name as the system hands it to kyrInstall: a writable text
// of kPrinterTextSize bytes, which the module may change.
#pragma once

#include <string>

#include "options.h"

struct PrinterText {
  // The name fits: ParseRunnerOptions refuses a longer one.
  explicit PrinterText(const std::string& name);
  char text[kPrinterTextSize] = {};
};

// kyrInstall has returned: the transcript's last lines, the printer text as
// the module left it (up to its zero, or the whole buffer when the module
// left none) and the result.
void RecordInstallResult(const PrinterText& printer, int result);
