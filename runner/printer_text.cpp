#include "printer_text.h"

#include <algorithm>
#include <cstring>

#include "shown_lines.h"
#include "transcript.h"

PrinterText::PrinterText(const std::string& name) {
  std::memcpy(text, name.data(), name.size() < sizeof text ? name.size() : sizeof text - 1);
}

void RecordInstallResult(const PrinterText& printer, int result) {
  const char* end = std::find(printer.text, printer.text + sizeof printer.text, '\0');
  TranscriptLine(PrinterLine(std::string(printer.text, end)));
  TranscriptLine(ReturnLine(result));
}
