// The printer text kyrInstall is handed, and the transcript's lines once it
// has returned.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "printer_text.h"

namespace {

// What RecordInstallResult writes after the module left the text so.
std::string RecordedLines(const PrinterText& printer, int result) {
  char path[] = "/tmp/printer_text_testXXXXXX";
  int fd = mkstemp(path);
  EXPECT_GE(fd, 0);
  close(fd);
  setenv("SETUPHOST_TRANSCRIPT", path, 1);
  RecordInstallResult(printer, result);
  unsetenv("SETUPHOST_TRANSCRIPT");
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  unlink(path);
  return content.str();
}

TEST(PrinterText, TranscriptShowsWhatTheModuleLeftWithinTheBuffer) {
  const std::string whole(kPrinterTextSize, 'P');
  struct Case {
    const char* what;
    std::string left;  // the bytes the module wrote from the start; no zero for "whole"
    std::string line;
  };
  const Case cases[] = {
      {"unchanged", "", "printer \"Kyroth FS-600\""},
      {"shortened", std::string("Kyroth\0", 7), "printer \"Kyroth\""},
      {"every byte written, no zero", whole, "printer \"" + whole + "\""},
  };
  for (const Case& c : cases) {
    PrinterText printer("Kyroth FS-600");
    std::memcpy(printer.text, c.left.data(), c.left.size());
    EXPECT_EQ(RecordedLines(printer, 1), c.line + "\nreturn 1\n") << c.what;
  }
}

TEST(PrinterText, HoldsTheLongestNameTheOptionsTakeWithItsZero) {
  PrinterText printer(std::string(kPrinterTextSize - 1, 'N'));
  EXPECT_EQ(std::strlen(printer.text), kPrinterTextSize - 1);
}

}  // namespace
