// The short (8.3) names of a FAT folder's entries, as Windows 95 gives them.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace host {

// Whether name is already a short name: one to eight characters, at most
// one dot followed by at most three, none of the characters a short name
// may not hold (blanks among them); letter case is not looked at, since a
// short name is the same name in capitals.
bool IsShortName(const std::string& name);

// The short names of the entries of one folder that need one (those that
// are not short names themselves), by long name. Each is the name in
// capitals without blanks or inner dots, its base cut to six characters
// and "~1" added, its extension cut to three ("page.html" is
// PAGE~1.HTM); where that clashes with a name the folder already has, ~2,
// ~3 ... (the base shorter still once the number takes more digits).
// Names are given out in the order of names, so the same folder always
// gets the same short names.
std::map<std::string, std::string> ShortNamesOf(const std::vector<std::string>& names);

}  // namespace host
