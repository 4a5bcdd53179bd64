// The comma-separated lists of machine.ini values ([faults] fail_open,
// missing_exports; [hardware] parallel, serial).
#pragma once

#include <string>
#include <vector>

namespace machine_ini {

// The items of text between its commas, blanks and tabs around each dropped;
// empty items are left out, so that "" and " , " are no items at all.
std::vector<std::string> SplitList(const std::string& text);

}  // namespace machine_ini
