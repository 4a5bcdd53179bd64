// What a person sees of a dialog, for agents that show it (user_agent.h).
#pragma once

#include <cstddef>
#include <string>

#include "host/user_agent.h"
#include "winapi.h"

namespace host {

// The view of dialog template `name` (MAKEINTRESOURCE(n) or "NAME") in the
// compiled resource file of size bytes at `resources`: its caption and its
// controls as the template makes them. False with a message when the file
// does not read or has no such template.
bool DescribeDialogTemplate(const unsigned char* resources, size_t size, LPCSTR name,
                            WindowView* view, std::string* error);

// The view of a dialog window as it is now: its caption, its controls' texts,
// list entries, selection and whether each is enabled.
WindowView DescribeDialogWindow(HWND dialog);

}  // namespace host
