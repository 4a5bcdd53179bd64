// The fixture of the toolkit layer's and the support library's tests. The
// same tests run natively, on a machine directory of the host layer, and
// under Wine against the real system and the stand-in toolkit DLLs.
//
// The stand-in toolkit runs quiet: nothing is shown, message boxes are
// answered OK and pages with StandinQueuePageOutcome's outcomes. Tests
// observe the stand-in's call record (standin/core/standin.h) and the transcript.
// A test that ends the process (the fatal path) is a death test; the
// transcript it wrote stays readable by the test afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winapi.h"

namespace toolkit_test {

class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Opens the machine anew with these extra lines in machine.ini's [machine]
  // section and these further sections ([toolkit], [faults] ...). On
  // Windows the system is what it is: the [machine] lines cannot be chosen
  // there, so a call with any returns false and the test skips; the further
  // sections still reach the stand-in toolkit.
  bool OpenMachine(const std::string& machineLines = "", const std::string& sections = "");
  // Natively, a machine of that ANSI and OEM code page; on Windows, true
  // only when the system's code page is it.
  bool UseCodePage(UINT codePage);
  // Starts the toolkit session (the frame and the source directory).
  void StartSession();

  // A Windows path to an empty folder the test may fill.
  std::string ScratchDir() const;
  void MakeDir(const std::string& windowsPath);
  void WriteFile(const std::string& windowsPath, const std::string& bytes);
  std::string ReadFile(const std::string& windowsPath) const;
  bool FileExists(const std::string& windowsPath) const;

  std::vector<std::string> Transcript() const;
  // The transcript from its first line equal to first on (empty when none).
  std::vector<std::string> TranscriptFrom(const std::string& first) const;

  // The test's own folder (a native path on both).
  std::string dir_;
};

}  // namespace toolkit_test
