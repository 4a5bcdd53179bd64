// The transcript's lines for what the user is shown and what the module
// tells the rest of the system. Natively the host layer writes them where it
// does the work; under Wine the runner writes them from its hooks on the
// real windows and calls. Both take the text of each line from here, so a
// run reads the same on either build.
#pragma once

#include <string>

// What a window shows.
std::string CaptionLine(const std::string& caption);                   // caption "TEXT"
std::string ControlTextLine(int id, const std::string& text);          // text ID "TEXT"
std::string ListBoxAddLine(int id, const std::string& text);           // listbox ID add "TEXT"
std::string DialogShowLine(const std::string& name);                   // dialog show NAME
std::string DialogEndLine(const std::string& name, long long result);  // dialog end NAME RESULT
// msgbox "TEXT" "CAPTION" STYLE, the style as MessageBoxA takes it.
std::string MessageBoxLine(const std::string& text, const std::string& caption, unsigned style);

// What the module tells the system and no window shows.
std::string FontLoadLine(const std::string& file);  // font load "FILE"
std::string BroadcastLine(unsigned message);        // broadcast MESSAGE
constexpr char kRestartLine[] = "restart";          // ExitWindowsEx
std::string ExitLine(unsigned status);              // exit STATUS (ExitProcess)

// The end of a run, as the runner saw kyrInstall return: the printer text
// as the module left it, and the result.
std::string PrinterLine(const std::string& printer);  // printer "NAME"
std::string ReturnLine(int result);                   // return RESULT
