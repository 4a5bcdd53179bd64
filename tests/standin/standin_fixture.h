// A machine directory for one stand-in toolkit test: drive C with the
// Windows and System directories and C:\PKG, machine.ini with the test's
// [toolkit] lines, the stand-in quiet and reset, and the transcript.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/machine.h"
#include "host/src/reset_host.h"
#include "standin/core/standin.h"

class StandinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/standintest.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    setenv("SETUPHOST_TRANSCRIPT", (dir_ + "/transcript.txt").c_str(), 1);
    Open();
  }

  void TearDown() override {
    StandinReset();
    StandinSetQuiet(false);
    host::ResetHost();
    unsetenv("SETUPHOST_TRANSCRIPT");
    unsetenv("SETUPHOST_MACHINE_INI");
    std::filesystem::remove_all(dir_);
  }

  // (Re)opens the machine with these further machine.ini lines ([toolkit]
  // ...) and [machine] lines; the stand-in starts afresh.
  void Open(const std::string& sections = "", const std::string& machineLines = "") {
    for (const char* folder : {"c/windows/system", "c/pkg", "c/dest"}) {
      std::filesystem::create_directories(Machine() + "/" + folder);
    }
    std::string ini = Machine() + "/machine.ini";
    std::ofstream(ini, std::ios::binary)
        << "[machine]\nwindows=C:\\WINDOWS\nsystem=C:\\WINDOWS\\SYSTEM\ncwd=C:\\PKG\n"
        << machineLines << "\n"
        << sections;
    host::ResetHost();
    setenv("SETUPHOST_MACHINE_INI", ini.c_str(), 1);
    StandinReset();
    StandinSetQuiet(true);
    std::string error;
    ASSERT_TRUE(host::OpenMachine(Machine(), &error)) << error;
  }

  std::string Machine() const { return dir_ + "/machine"; }

  void Write(const std::string& windowsPath, const std::string& bytes) {
    std::filesystem::path path = host::NativePath(windowsPath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& windowsPath) const {
    std::ifstream file(host::NativePath(windowsPath), std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
  }
  bool Exists(const std::string& windowsPath) const {
    return std::filesystem::exists(host::NativePath(windowsPath));
  }
  // A fixture file of tests/host/fixtures, as bytes.
  static std::string Fixture(const std::string& name) {
    std::ifstream file(std::string(HOST_FIXTURES_DIR) + "/" + name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
  }

  std::vector<std::string> Transcript() const {
    std::ifstream file(dir_ + "/transcript.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }
  // The transcript lines that start with prefix.
  std::vector<std::string> TranscriptOf(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : Transcript()) {
      if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  std::string dir_;
};
