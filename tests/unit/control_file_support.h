// Test machines and a scripted user for the control file reader and the
// installed-driver check.
#pragma once

#include <string>
#include <vector>

#include "host/user_agent.h"

namespace control_file_support {

// A machine directory in a fresh temporary folder: machine.ini with the
// Windows directory C:\windows and the system directory C:\windows\system32,
// both folders, and an empty registry. Removed again on destruction.
class TestMachine {
 public:
  TestMachine();
  ~TestMachine();
  TestMachine(const TestMachine&) = delete;
  TestMachine& operator=(const TestMachine&) = delete;

  // Writes a file of the system directory, byte for byte.
  void WriteSystemFile(const std::string& name, const std::string& content);
  // Replaces registry.reg; content follows the "REGEDIT4" line.
  void WriteRegistry(const std::string& content);
  // Opens the machine for the host layer; false (with a test failure) when
  // the host refuses it.
  bool Open();

  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
};

struct MessageBoxShown {
  std::string text;
  std::string caption;
  unsigned style;
};

// Answers every message box with OK and every module dialog with `answer`,
// recording what was shown. A toolkit page fails the test.
class ScriptedUser : public host::UserAgent {
 public:
  std::string AnswerPage(int page, std::string* editText) override;
  int AnswerMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override;
  host::DialogAnswer AnswerDialog(const std::string& name) override;

  host::DialogAnswer answer;
  std::vector<MessageBoxShown> messageBoxes;
  std::vector<std::string> dialogs;
};

}  // namespace control_file_support
