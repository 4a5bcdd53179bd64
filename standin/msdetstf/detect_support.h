// What the detection library's functions share.
#pragma once

#include <string>
#include <vector>

#include "winapi.h"

// Makes list symbol hold exactly these items, through the list functions of
// mscomstf.dll. False for a missing list name or when a list call fails.
bool FillListSymbol(LPCSTR list, const std::vector<std::string>& items);

// Texts equal without regard to letter case in the system code page.
bool SameTextNoCase(const std::string& a, const std::string& b);
