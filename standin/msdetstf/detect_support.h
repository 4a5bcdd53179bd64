// What the detection library's functions share.
#pragma once

#include <string>
#include <vector>

#include "winapi.h"

// Copies text into buffer as CbGetSymbolValue does (at most size - 1
// characters and a zero; nothing without a buffer or for size <= 0) and
// returns the whole text's length.
int CopyToolkitText(const std::string& text, LPSTR buffer, int size);

// Makes list symbol hold exactly these items, through the list functions of
// mscomstf.dll. False for a missing list name or when a list call fails.
bool FillListSymbol(LPCSTR list, const std::vector<std::string>& items);

// The items of a comma-separated setting, blanks around each removed and
// empty ones left out.
std::vector<std::string> SplitSetting(const std::string& text);

// Texts equal without regard to letter case in the system code page.
bool SameTextNoCase(const std::string& a, const std::string& b);
