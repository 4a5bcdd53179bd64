// msinsstf.dll's restart list, shared by its copies: a destination that
// exists but cannot be written now (a file in use) is put in place when
// Windows restarts. The file is copied into the restart directory and the
// pair kept in the restart list.
#pragma once

#include <string>

// False when no restart directory is set or the copy into it fails.
bool DeferCopyToRestart(const std::string& source, const std::string& destination);
