// The fixture on the host layer: a machine directory in a temporary folder.
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/machine.h"
#include "host/src/reset_host.h"
#include "standin/core/standin.h"
#include "support/toolkit_fixture.h"
#include "toolkit/session.h"

namespace toolkit_test {

namespace {

constexpr const char* kDefaultMachine =
    "windows=C:\\WINDOWS\nsystem=C:\\WINDOWS\\SYSTEM\ncwd=C:\\KYRDRV\n";
constexpr const char* kScratchDir = "C:\\SCRATCH";

}  // namespace

void ToolkitTest::SetUp() {
  char pattern[] = "/tmp/toolkittest.XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  dir_ = pattern;
  setenv("SETUPHOST_TRANSCRIPT", (dir_ + "/transcript.txt").c_str(), 1);
  SessionFrame = 0;
  ErrorInProgress = FALSE;
  SourceDirectory[0] = '\0';
  ASSERT_TRUE(OpenMachine());
}

void ToolkitTest::TearDown() {
  StandinReset();
  StandinSetQuiet(false);
  host::ResetHost();
  unsetenv("SETUPHOST_TRANSCRIPT");
  unsetenv("SETUPHOST_MACHINE_INI");
  std::filesystem::remove_all(dir_);
}

bool ToolkitTest::OpenMachine(const std::string& machineLines, const std::string& sections) {
  std::string machine = dir_ + "/machine";
  std::filesystem::remove_all(machine);
  for (const char* folder : {"c/windows/system", "c/kyrdrv", "c/scratch"}) {
    std::filesystem::create_directories(machine + "/" + folder);
  }
  std::string ini = machine + "/machine.ini";
  std::ofstream(ini, std::ios::binary) << "[machine]\n"
                                       << kDefaultMachine << machineLines << "\n"
                                       << sections;
  host::ResetHost();
  setenv("SETUPHOST_MACHINE_INI", ini.c_str(), 1);
  StandinReset();
  StandinSetQuiet(true);
  std::string error;
  bool opened = host::OpenMachine(machine, &error);
  EXPECT_TRUE(opened) << error;
  return opened;
}

bool ToolkitTest::UseCodePage(UINT codePage) {
  std::string cp = std::to_string(codePage);
  return OpenMachine("acp=" + cp + "\noemcp=" + cp + "\n");
}

void ToolkitTest::StartSession() { ASSERT_GT(StartSetupSession(const_cast<char*>("")), 0); }

std::string ToolkitTest::ScratchDir() const { return kScratchDir; }

void ToolkitTest::MakeDir(const std::string& windowsPath) {
  std::filesystem::create_directories(host::NativePath(windowsPath));
}

void ToolkitTest::WriteFile(const std::string& windowsPath, const std::string& bytes) {
  std::filesystem::path path = host::NativePath(windowsPath);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ToolkitTest::ReadFile(const std::string& windowsPath) const {
  std::ifstream file(host::NativePath(windowsPath), std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

bool ToolkitTest::FileExists(const std::string& windowsPath) const {
  return std::filesystem::exists(host::NativePath(windowsPath));
}

std::vector<std::string> ToolkitTest::Transcript() const {
  std::ifstream file(dir_ + "/transcript.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> ToolkitTest::TranscriptFrom(const std::string& first) const {
  std::vector<std::string> lines = Transcript();
  auto start = std::find(lines.begin(), lines.end(), first);
  return std::vector<std::string>(start, lines.end());
}

}  // namespace toolkit_test
