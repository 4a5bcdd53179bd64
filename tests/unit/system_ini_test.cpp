// The system.ini rewrite on host files: which lines go, where the device
// line goes, and that every other line, of any length, stays byte for byte.
#include "installer/system_ini.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "host/syscalls.h"
#include "installer/block_file.h"
#include "unit/install_support.h"

namespace {

using install_support::InstallMachine;

constexpr char kDevice[] = "device=C:\\Kyroth\\kyr.386\r\n";

std::string Repeat(char c, size_t count) { return std::string(count, c); }

class SystemIniTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(machine_.Open()); }
  void TearDown() override { host::ClearFaults(); }

  // Rewrites `input` (as system.kyr) over a longer system.ini; false when
  // RewriteSystemIni failed. The result is in *output.
  bool Rewrite(const std::string& input, std::string* output, int bufferSize = kSystemIniLineSize,
               const char* deviceLine = kDevice) {
    machine_.Write("c/windows/system.kyr", input);
    machine_.Write("c/windows/system.ini", input + Repeat('x', 3000) + "\r\n");
    HFILE source = _lopen("C:\\windows\\system.kyr", OF_READ);
    HFILE target = _lopen("C:\\windows\\system.ini", OF_READWRITE);
    EXPECT_NE(source, HFILE_ERROR);
    EXPECT_NE(target, HFILE_ERROR);
    std::vector<char> buffer(static_cast<size_t>(bufferSize), 0);
    BOOL ok = RewriteSystemIni(source, static_cast<LONG>(input.size()), target, deviceLine,
                               buffer.data(), bufferSize);
    _lclose(source);
    _lclose(target);
    *output = machine_.Read("c/windows/system.ini");
    return ok != FALSE;
  }

  std::string Rewritten(const std::string& input, int bufferSize = kSystemIniLineSize) {
    std::string output;
    EXPECT_TRUE(Rewrite(input, &output, bufferSize));
    return output;
  }

  InstallMachine machine_;
};

TEST_F(SystemIniTest, IsDeviceLineNeedsTheExactEnding) {
  struct Case {
    const char* line;
    BOOL expected;
  };
  for (const Case& c :
       {Case{"kyr.386\r\n", TRUE}, Case{"device=C:\\Kyroth\\kyr.386\r\n", TRUE},
        Case{"; remember kyr.386\r\n", TRUE}, Case{"yr.386\r\n", FALSE},
        Case{"device=C:\\K\\KYR.386\r\n", FALSE}, Case{"device=C:\\K\\kyr.386\n", FALSE},
        Case{"device=C:\\K\\kyr.386\r\n ", FALSE}, Case{"device=C:\\K\\kyr.386", FALSE},
        Case{"", FALSE}}) {
    EXPECT_EQ(IsDeviceLine(c.line), c.expected) << c.line;
  }
}

TEST_F(SystemIniTest, DeviceLineFitsItsBufferExactly) {
  char line[kDeviceLineSize];
  // "device=" and "\kyr.386" with the line break take 17 of the 259.
  const size_t fits = kDeviceLineSize - 1 - 17;
  std::string destination = "C:\\" + Repeat('D', fits - 3);
  ASSERT_TRUE(BuildDeviceLine(line, sizeof line, destination.c_str()));
  EXPECT_EQ(std::string(line), "device=" + destination + "\\kyr.386\r\n");
  EXPECT_EQ(std::string(line).size(), static_cast<size_t>(kDeviceLineSize - 1));
  destination += 'D';
  EXPECT_FALSE(BuildDeviceLine(line, sizeof line, destination.c_str()));
  EXPECT_STREQ(line, "");
  ASSERT_TRUE(BuildDeviceLine(line, sizeof line, "C:\\"));
  EXPECT_STREQ(line, "device=C:\\kyr.386\r\n");
}

TEST_F(SystemIniTest, WriteTextWritesTheTextWithoutItsZero) {
  HFILE file = _lcreat("C:\\windows\\out.txt", 0);
  ASSERT_NE(file, HFILE_ERROR);
  EXPECT_EQ(WriteText("device=x\r\n", file), 10);
  EXPECT_EQ(WriteText("", file), 0);
  host::FailSyscall(host::Syscall::Write, 1);
  EXPECT_EQ(WriteText("more", file), -1);
  _lclose(file);
  EXPECT_EQ(machine_.Read("c/windows/out.txt"), "device=x\r\n");
}

TEST_F(SystemIniTest, RewritesLinesAsTheyAre) {
  struct Case {
    const char* name;
    std::string input;
    std::string expected;
  };
  const std::string d = kDevice;
  static constexpr char kZeroBytesText[] = "a=\0b\r\n\x1a\r\n[386Enh]\0\r\n";
  const std::string kZeroBytes(kZeroBytesText, sizeof kZeroBytesText - 1);
  const std::vector<Case> cases = {
      {"empty file", "", ""},
      {"no [386Enh] section: no device line, old ones still go",
       "[boot]\r\nshell=x\r\ndevice=C:\\OLD\\kyr.386\r\n[drivers]\r\nkyr.386\r\n",
       "[boot]\r\nshell=x\r\n[drivers]\r\n"},
      {"device line right after the header", "[386Enh]\r\nA=1\r\nB=2\r\n",
       "[386Enh]\r\n" + d + "A=1\r\nB=2\r\n"},
      {"header followed by more text", "[386Enh] ; enhanced\r\nA=1\r\n",
       "[386Enh] ; enhanced\r\n" + d + "A=1\r\n"},
      {"header other case or indented", "[386ENH]\r\n [386Enh]\r\n[386enh]\r\n",
       "[386ENH]\r\n [386Enh]\r\n[386enh]\r\n"},
      {"header with line feed only", "[386Enh]\nA=1\n", "[386Enh]\n" + d + "A=1\n"},
      {"every header gets one", "[386Enh]\r\n[x]\r\n[386Enh]\r\n",
       "[386Enh]\r\n" + d + "[x]\r\n[386Enh]\r\n" + d},
      {"old device line replaced", "[386Enh]\r\ndevice=D:\\OLD\\kyr.386\r\nA=1\r\n",
       "[386Enh]\r\n" + d + "A=1\r\n"},
      {"upper case and line feed only stay",
       "[x]\r\ndevice=C:\\A\\KYR.386\r\ndevice=C:\\A\\kyr.386\n",
       "[x]\r\ndevice=C:\\A\\KYR.386\r\ndevice=C:\\A\\kyr.386\n"},
      {"final line without break", "[a]\r\nlast=1", "[a]\r\nlast=1"},
      {"final device text without break stays", "[a]\r\ndevice=kyr.386\r",
       "[a]\r\ndevice=kyr.386\r"},
      {"header as final piece gets no device line", "[a]\r\n[386Enh]", "[a]\r\n[386Enh]"},
      {"zero and end-of-file bytes inside lines", kZeroBytes, kZeroBytes + d},
      {"a Windows 95 system.ini", install_support::kSystemIni,
       install_support::InstalledSystemIni("C:\\Kyroth")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Rewritten(c.input), c.expected);
  }
}

// Lines around the line buffer's size (999 bytes and the terminating zero)
// and far beyond it stay whole; a long line that ends like a device line
// goes like one.
TEST_F(SystemIniTest, LongLinesAreKeptWhole) {
  const std::string d = kDevice;
  const std::string fits = Repeat('a', 997) + "\r\n";     // 999 bytes
  const std::string oneOver = Repeat('b', 998) + "\r\n";  // 1000 bytes
  const std::string huge = Repeat('c', 5000) + "\r\n";
  const std::string header = "[386Enh]" + Repeat('h', 2500) + "\r\n";
  const std::string longDevice = "device=" + Repeat('d', 1500) + "\\kyr.386\r\n";
  // The ending "kyr.386\r\n" split across the buffer's first piece.
  const std::string splitDevice = Repeat('e', 994) + "kyr.386\r\n";
  const std::string longUpper = Repeat('u', 1200) + "KYR.386\r\n";
  struct Case {
    const char* name;
    std::string input;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"999 bytes", "[x]\r\n" + fits + "y=1\r\n", "[x]\r\n" + fits + "y=1\r\n"},
      {"1000 bytes", "[x]\r\n" + oneOver + "y=1\r\n", "[x]\r\n" + oneOver + "y=1\r\n"},
      {"5002 bytes", huge + huge, huge + huge},
      {"long header", header + "A=1\r\n", header + d + "A=1\r\n"},
      {"long device line", "[386Enh]\r\n" + longDevice + "A=1\r\n", "[386Enh]\r\n" + d + "A=1\r\n"},
      {"device ending across pieces", splitDevice + "z\r\n", "z\r\n"},
      {"long upper-case ending stays", longUpper, longUpper},
      {"long final piece", "[x]\r\n" + Repeat('f', 1500), "[x]\r\n" + Repeat('f', 1500)},
      {"final piece of 999 bytes", Repeat('g', 999), Repeat('g', 999)},
      {"final piece of 1000 bytes", Repeat('g', 1000), Repeat('g', 1000)},
      {"final piece of 1998 bytes", Repeat('g', 1998), Repeat('g', 1998)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Rewritten(c.input), c.expected);
  }
}

// The result does not depend on the buffer: a small one reads every line of
// a real system.ini in pieces.
TEST_F(SystemIniTest, SmallBufferGivesTheSameResult) {
  std::string input = std::string(install_support::kSystemIni) + "\r\n" + "[386Enh]\r\n" +
                      "device=C:\\VERYLONGNAME\\kyr.386\r\n" + "x";
  std::string expected = Rewritten(input);
  for (int size : {16, 17, 18, 25, 100}) {
    SCOPED_TRACE(size);
    EXPECT_EQ(Rewritten(input, size), expected);
  }
}

// The rewrite line by line as a model: every line that ends in the driver's
// name goes, and the device line follows every line that starts with the
// header; the final piece stays as it is.
std::string ModelRewrite(const std::string& input, const std::string& device) {
  std::string out;
  size_t start = 0;
  while (start < input.size()) {
    size_t lineFeed = input.find('\n', start);
    if (lineFeed == std::string::npos) {
      out += input.substr(start);
      break;
    }
    std::string line = input.substr(start, lineFeed + 1 - start);
    const std::string ending = "kyr.386\r\n";
    bool dropped = line.size() >= ending.size() &&
                   line.compare(line.size() - ending.size(), ending.size(), ending) == 0;
    if (!dropped) out += line;
    if (line.compare(0, 8, "[386Enh]") == 0) out += device;
    start = lineFeed + 1;
  }
  return out;
}

// Files of several blocks, with every kind of line at every place, against
// the model, with the installation's line buffer and a small one.
TEST_F(SystemIniTest, LargeFilesMatchTheLineByLineModel) {
  const std::vector<std::string> kinds = {"key=value\r\n",
                                          "device=C:\\OLD\\kyr.386\r\n",
                                          "[386Enh]\r\n",
                                          "[386Enh]kyr.386\r\n",
                                          "device=C:\\A\\KYR.386\r\n",
                                          "device=x\\kyr.386\n",
                                          "\n",
                                          "\r\n",
                                          "[boot]\r\n",
                                          " [386Enh]\r\n",
                                          "kyr.386\r\n",
                                          "x=\0\x1a\r\n"};
  std::mt19937 random(8);
  for (int file = 0; file < 24; ++file) {
    std::string input;
    size_t target = 1 + random() % (3 * static_cast<size_t>(kFileBlockSize));
    while (input.size() < target) {
      if (random() % 40 == 0) {
        // A long line, sometimes a header or a device line.
        std::string line = std::string(1 + random() % 40000, 'L');
        if (random() % 3 == 0) line = "[386Enh]" + line;
        line += random() % 3 == 0 ? "kyr.386\r\n" : "\r\n";
        input += line;
      } else {
        input += kinds[random() % kinds.size()];
      }
    }
    if (random() % 2 == 0) input += random() % 2 == 0 ? "[386Enh]" : "last=1";
    for (int size : {kSystemIniLineSize, 16}) {
      SCOPED_TRACE("file " + std::to_string(file) + " of " + std::to_string(input.size()) +
                   " bytes, buffer " + std::to_string(size));
      std::string output;
      ASSERT_TRUE(Rewrite(input, &output, size));
      EXPECT_EQ(output == ModelRewrite(input, kDevice), true) << output.size() << " bytes";
    }
  }
}

// A failed read looks like the end of the file to the line reader; the
// rewrite must not take it for one. Nor may a failed seek or write pass.
TEST_F(SystemIniTest, AnyFailedCallFailsTheRewrite) {
  // A small buffer, and a long line across the end of the first block read,
  // so that the long line is read in pieces and put back.
  constexpr int kSmallBuffer = 32;
  const size_t kLong = kFileBlockSize;
  const std::string input = "[386Enh]\r\n" + Repeat('l', kLong) + "\r\nA=1\r\nlast";
  for (host::Syscall call :
       {host::Syscall::Read, host::Syscall::Write, host::Syscall::Seek, host::Syscall::Truncate}) {
    int failed = 0;
    for (int n = 1; n < 1000; ++n) {
      host::FailSyscall(call, n);
      std::string output;
      bool ok = Rewrite(input, &output, kSmallBuffer);
      host::ClearFaults();
      if (ok) {
        EXPECT_EQ(output,
                  "[386Enh]\r\n" + std::string(kDevice) + Repeat('l', kLong) + "\r\nA=1\r\nlast")
            << "call kind " << static_cast<int>(call) << ", n = " << n;
        break;
      }
      ++failed;
    }
    EXPECT_GT(failed, 0) << "call kind " << static_cast<int>(call);
  }
}

}  // namespace
