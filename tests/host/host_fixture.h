// A machine directory made in a temporary folder for one test, and the
// transcript the test's calls write.
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

class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/hosttest.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    transcript_ = dir_ + "/transcript.txt";
    setenv("SETUPHOST_TRANSCRIPT", transcript_.c_str(), 1);
    host::ResetHost();
    std::filesystem::create_directories(dir_ + "/machine/c");
  }

  void TearDown() override {
    host::ResetHost();
    unsetenv("SETUPHOST_TRANSCRIPT");
    std::filesystem::remove_all(dir_);
  }

  std::string Machine() const { return dir_ + "/machine"; }

  // A file below the machine directory, with its folders ("c/windows/x.ini").
  void Write(const std::string& relative, const std::string& content) {
    std::filesystem::path path = Machine() + "/" + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }
  void MakeDir(const std::string& relative) {
    std::filesystem::create_directories(Machine() + "/" + relative);
  }
  std::string Read(const std::string& relative) const {
    std::ifstream file(Machine() + "/" + relative, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
  }
  bool Exists(const std::string& relative) const {
    return std::filesystem::exists(Machine() + "/" + relative);
  }

  // Writes machine.ini and opens the machine.
  void Open(const std::string& machineIni = "[machine]\n") {
    Write("machine.ini", machineIni);
    std::string error;
    ASSERT_TRUE(host::OpenMachine(Machine(), &error)) << error;
  }

  std::vector<std::string> Transcript() const {
    std::ifstream file(transcript_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }

  std::string dir_;
  std::string transcript_;
};
