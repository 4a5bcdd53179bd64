// Settings the stand-in toolkit reads from the machine's machine.ini itself
// (the file named by SETUPHOST_MACHINE_INI), natively and under Wine alike.
#pragma once

#include <string>

// The value of key in section, read as machine_ini.h reads machine.ini, or
// fallback when the file, section or key is missing.
std::string MachineSetting(const std::string& section, const std::string& key,
                           const std::string& fallback);
