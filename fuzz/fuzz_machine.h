// A machine directory for the fuzz targets: one temporary folder per process,
// opened afresh for every input so that no input sees what the one before it
// left, and removed when the process ends.
#pragma once

#include <string>

namespace fuzz {

// The folder, made at the first call.
const std::string& MachineFolder();

// Writes a file of the machine (a path relative to the folder, with '/'),
// byte for byte, making the folders above it.
void WriteMachineFile(const std::string& relative, const std::string& content);

// The content of a machine file, or empty when it cannot be read.
std::string ReadMachineFile(const std::string& relative);

// Forgets what the last input left in the host and the stand-in toolkit,
// writes machine.ini and opens the machine. Traps when the host refuses it:
// a target's own machine must always open.
void OpenFreshMachine(const std::string& machineIni);

// The same, but only when machine.ini changes: for targets whose inputs
// leave nothing behind but need a machine (its code page, its folders).
void UseMachine(const std::string& machineIni);

// machine.ini of a machine with the ANSI code page 1252 or 932.
std::string MachineWithCodePage(bool doubleByte);

// Stops the process with a message: a result the target checks is wrong.
[[noreturn]] void Fail(const std::string& what);

}  // namespace fuzz

namespace fuzz {

// Silences standard error while it lives (a reader's warnings about bad
// lines would flood the fuzzer's log), unless KYR_FUZZ_VERBOSE is set, as
// it should be when replaying an input to see what went wrong.
class QuietStderr {
 public:
  QuietStderr();
  ~QuietStderr();
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace fuzz
