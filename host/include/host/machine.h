// The machine directory that the host layer runs on.
//
//   DIR/machine.ini    the machine's settings, read by machine_ini/; its
//                      sections and keys are described in the README ("The
//                      machine directory").
//   DIR/c/, DIR/d/ ... one folder per drive, named by its lower-case letter.
//   DIR/registry.reg   the registry as REGEDIT4 text, written back with the
//                      run's changes when the process ends.
//
// Windows paths map onto the drive folders case-insensitively, as on Windows:
// "C:\WINDOWS\System.INI" finds DIR/c/windows/system.ini whatever the case of
// the stored names. A run changes the machine directory in place.
#pragma once

#include <string>

namespace host {

// Opens DIR as the machine for the rest of the process (or until the next
// OpenMachine). Returns false with a message when DIR or its machine.ini
// cannot be read or holds a bad value.
bool OpenMachine(const std::string& dir, std::string* error);

// The folder given to OpenMachine.
const std::string& MachineDir();

// A value of machine.ini, or fallback when the section or key is missing
// (looked up as machine_ini.h does).
std::string MachineValue(const std::string& section, const std::string& key,
                         const std::string& fallback = std::string());

// True with the value when machine.ini has the key (also an empty value).
bool MachineLookup(const std::string& section, const std::string& key, std::string* value);

// Writes the registry's changes back to DIR/registry.reg as REGEDIT4 text;
// nothing when nothing changed. OpenMachine arranges for it when the
// process exits, and ExitProcess calls it; tests may call it themselves.
void SaveRegistry();

// The native path for a Windows path (absolute, relative to the current
// directory, or drive-relative). Existing components are found
// case-insensitively; missing ones keep the case given. Empty when the drive
// does not exist on the machine.
std::string NativePath(const std::string& windowsPath);

}  // namespace host
