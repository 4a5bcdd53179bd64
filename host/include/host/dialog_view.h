// What a person sees of a dialog, for agents that show it (user_agent.h).
#pragma once

#include <string>

#include "host/user_agent.h"
#include "winapi.h"

namespace host {

// The view of dialog template `name` (MAKEINTRESOURCE(n) or "NAME") in the
// resource script text `script`: its caption and its controls as the
// template makes them. False with a message when the script does not parse
// or has no such template.
bool DescribeDialogTemplate(const char* script, LPCSTR name, WindowView* view, std::string* error);

// The view of a dialog window as it is now: its caption, its controls' texts,
// list entries, selection and whether each is enabled.
WindowView DescribeDialogWindow(HWND dialog);

}  // namespace host
