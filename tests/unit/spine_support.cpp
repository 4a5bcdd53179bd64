#include "spine_support.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "host/machine.h"
#include "host/src/reset_host.h"
#include "standin/core/standin.h"
#include "toolkit/session.h"

namespace spine_support {

std::string PageScript::AnswerPage(int page, std::string* editText) {
  pagesShown.push_back(page);
  if (editText != nullptr) editTextsSeen.push_back(*editText);
  if (steps.empty()) {
    ADD_FAILURE() << "page " << page << " shown, but the script has ended";
    return "EXIT";
  }
  Step step = steps.front();
  steps.pop_front();
  EXPECT_EQ(step.page, page) << "an unexpected page came";
  if (step.text != nullptr && editText != nullptr) *editText = step.text;
  return step.outcome;
}

int PageScript::AnswerMessageBox(const std::string& text, const std::string& caption,
                                 unsigned style) {
  messageBoxes.push_back(text + "|" + caption + "|" + std::to_string(style));
  return IDOK;
}

host::DialogAnswer PageScript::AnswerDialog(const std::string& name) {
  ADD_FAILURE() << "dialog " << name << " shown";
  return host::DialogAnswer{host::DialogAnswer::kNoSelection, IDCANCEL};
}

void SpineTest::SetUp() {
  char pattern[] = "/tmp/spinetest.XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  dir_ = pattern;
  setenv("SETUPHOST_TRANSCRIPT", (dir_ + "/transcript.txt").c_str(), 1);
  unsetenv("SETUPHOST_MACHINE_INI");
  host::ResetHost();
  StandinReset();
  SessionFrame = 0;
  ErrorInProgress = FALSE;
  SourceDirectory[0] = '\0';
  host::SetUserAgent(&user_);
}

void SpineTest::TearDown() {
  host::SetUserAgent(nullptr);
  StandinReset();
  host::ResetHost();
  unsetenv("SETUPHOST_TRANSCRIPT");
  std::filesystem::remove_all(dir_);
}

void SpineTest::MakeDir(const std::string& relative) {
  std::filesystem::create_directories(dir_ + "/machine/" + relative);
}

void SpineTest::OpenMachine(const std::string& machineLines) {
  MakeDir("c/windows/system32");
  MakeDir("c/kyrdrv");
  std::ofstream(dir_ + "/machine/machine.ini")
      << "[machine]\nwindows=C:\\windows\nsystem=C:\\windows\\system32\ncwd=C:\\KYRDRV\n"
      << machineLines;
  std::string error;
  ASSERT_TRUE(host::OpenMachine(dir_ + "/machine", &error)) << error;
}

std::vector<std::string> SpineTest::Transcript() const {
  std::ifstream file(dir_ + "/transcript.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

}  // namespace spine_support
