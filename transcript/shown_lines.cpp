#include "shown_lines.h"

#include "transcript.h"

std::string CaptionLine(const std::string& caption) {
  return "caption " + TranscriptQuote(caption);
}

std::string ControlTextLine(int id, const std::string& text) {
  return "text " + std::to_string(id) + " " + TranscriptQuote(text);
}

std::string ListBoxAddLine(int id, const std::string& text) {
  return "listbox " + std::to_string(id) + " add " + TranscriptQuote(text);
}

std::string DialogShowLine(const std::string& name) { return "dialog show " + name; }

std::string DialogEndLine(const std::string& name, long long result) {
  return "dialog end " + name + " " + std::to_string(result);
}

std::string MessageBoxLine(const std::string& text, const std::string& caption, unsigned style) {
  return "msgbox " + TranscriptQuote(text) + " " + TranscriptQuote(caption) + " " +
         std::to_string(style);
}

std::string FontLoadLine(const std::string& file) { return "font load " + TranscriptQuote(file); }

std::string BroadcastLine(unsigned message) { return "broadcast " + std::to_string(message); }

std::string ExitLine(unsigned status) { return "exit " + std::to_string(status); }

std::string PrinterLine(const std::string& printer) {
  return "printer " + TranscriptQuote(printer);
}

std::string ReturnLine(int result) { return "return " + std::to_string(result); }
