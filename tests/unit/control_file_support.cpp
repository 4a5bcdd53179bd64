#include "unit/control_file_support.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "host/machine.h"

namespace control_file_support {
namespace {

void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << content;
  ASSERT_TRUE(file.good()) << "cannot write " << path;
}

}  // namespace

TestMachine::TestMachine() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kyrcf-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  if (made == nullptr) {
    ADD_FAILURE() << "cannot create a temporary machine directory";
    return;
  }
  dir_ = made;
  std::filesystem::create_directories(std::filesystem::path(dir_) / "c/windows/system32");
  WriteFile(std::filesystem::path(dir_) / "machine.ini",
            "[machine]\nwindows=C:\\windows\nsystem=C:\\windows\\system32\ncwd=C:\\\n");
  WriteRegistry("");
}

TestMachine::~TestMachine() {
  if (dir_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void TestMachine::WriteSystemFile(const std::string& name, const std::string& content) {
  WriteFile(std::filesystem::path(dir_) / "c/windows/system32" / name, content);
}

void TestMachine::WriteRegistry(const std::string& content) {
  WriteFile(std::filesystem::path(dir_) / "registry.reg", "REGEDIT4\n\n" + content);
}

bool TestMachine::Open() {
  std::string error;
  bool opened = host::OpenMachine(dir_, &error);
  EXPECT_TRUE(opened) << error;
  return opened;
}

std::string ScriptedUser::AnswerPage(int page, std::string*) {
  ADD_FAILURE() << "unexpected toolkit page " << page;
  return "EXIT";
}

int ScriptedUser::AnswerMessageBox(const std::string& text, const std::string& caption,
                                   unsigned style) {
  messageBoxes.push_back({text, caption, style});
  return 1;  // IDOK
}

host::DialogAnswer ScriptedUser::AnswerDialog(const std::string& name) {
  dialogs.push_back(name);
  return answer;
}

}  // namespace control_file_support
