#include "fuzz_machine.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/machine.h"
#include "host/src/reset_host.h"
#include "standin/core/standin.h"

namespace fuzz {
namespace {

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(MachineFolder(), ignored);
}

}  // namespace

const std::string& MachineFolder() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "kyrfuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) Fail("cannot make a temporary machine folder");
    return pattern;
  }();
  static const bool removedAtExit = std::atexit(RemoveFolder) == 0;
  (void)removedAtExit;
  return folder;
}

void WriteMachineFile(const std::string& relative, const std::string& content) {
  std::filesystem::path path = std::filesystem::path(MachineFolder()) / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << content;
  if (!file.flush()) Fail("cannot write " + path.string());
}

std::string ReadMachineFile(const std::string& relative) {
  std::ifstream file(std::filesystem::path(MachineFolder()) / relative, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

void OpenFreshMachine(const std::string& machineIni) {
  WriteMachineFile("machine.ini", machineIni);
  setenv("SETUPHOST_MACHINE_INI", (MachineFolder() + "/machine.ini").c_str(), 1);
  unsetenv("SETUPHOST_TRANSCRIPT");
  host::ResetHost();
  StandinReset();
  StandinSetQuiet(true);
  std::string error;
  if (!host::OpenMachine(MachineFolder(), &error)) Fail("the target's machine: " + error);
}

void UseMachine(const std::string& machineIni) {
  static std::string opened;
  static bool once = false;
  if (once && opened == machineIni) return;
  OpenFreshMachine(machineIni);
  opened = machineIni;
  once = true;
}

std::string MachineWithCodePage(bool doubleByte) {
  return std::string("[machine]\nwindows=C:\\windows\nsystem=C:\\windows\\system\nacp=") +
         (doubleByte ? "932\noemcp=932\n" : "1252\noemcp=437\n");
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz: %s\n", what.c_str());
  std::fflush(stderr);
  __builtin_trap();
}

}  // namespace fuzz

namespace fuzz {

QuietStderr::QuietStderr() {
  if (std::getenv("KYR_FUZZ_VERBOSE") != nullptr) return;
  std::fflush(stderr);
  saved_ = dup(2);
  int null = open("/dev/null", O_WRONLY);
  if (null >= 0) {
    dup2(null, 2);
    close(null);
  }
}

QuietStderr::~QuietStderr() {
  if (saved_ < 0) return;
  std::fflush(stderr);
  dup2(saved_, 2);
  close(saved_);
}

}  // namespace fuzz
