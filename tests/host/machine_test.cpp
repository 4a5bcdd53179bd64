#include "host/machine.h"

#include "host/src/machine/machine_internal.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

using MachineIniTest = MachineTest;

TEST_F(MachineIniTest, DefaultsWhenMachineSectionIsEmpty) {
  Open("");
  const host::MachineConfig& config = host::Config();
  EXPECT_EQ(config.windowsDir, "C:\\WINDOWS");
  EXPECT_EQ(config.systemDir, "C:\\WINDOWS\\SYSTEM");
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(GetOEMCP(), 437u);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(GetVersion(), 0xC0000004u);  // Windows 95, 4.0
  EXPECT_EQ(host::MachineDir(), Machine());
}

TEST_F(MachineIniTest, SectionsAndKeysAreCaseInsensitive) {
  Open(
      "; a machine\n[MACHINE]\n  Windows = C:\\windows \nSYSTEM=c:\\windows\\system32\n"
      "Screen=640X480\nACP=932\n[Toolkit]\nFail=FCreateDir\n");
  EXPECT_EQ(host::Config().windowsDir, "C:\\windows");
  EXPECT_EQ(host::Config().systemDir, "C:\\windows\\system32");
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_EQ(host::MachineValue("toolkit", "FAIL"), "FCreateDir");
  EXPECT_EQ(host::MachineValue("TOOLKIT", "missing", "fallback"), "fallback");
  EXPECT_EQ(host::MachineValue("nosection", "fail", "x"), "x");
}

TEST_F(MachineIniTest, RefusesBadValues) {
  struct Case {
    const char* ini;
    const char* mentions;
  } cases[] = {
      {"[machine]\nacp=12x\n", "acp"},
      {"[machine]\nacp=99999\n", "99999"},  // no such code page
      {"[machine]\noemcp=\n", "oemcp"},
      {"[machine]\nscreen=800\n", "screen"},
      {"[machine]\nscreen=0x600\n", "screen"},
      {"[machine]\nwindows=windows\n", "windows"},
      {"[machine]\ncwd=\\temp\n", "cwd"},
      {"[machine]\nversion=0x\n", "version"},
      {"[machine]\nversion=4294967296\n", "version"},
      {"[machine]\nversion=4.10\n", "version"},
  };
  for (const Case& c : cases) {
    Write("machine.ini", c.ini);
    std::string error;
    EXPECT_FALSE(host::OpenMachine(Machine(), &error)) << c.ini;
    EXPECT_NE(error.find(c.mentions), std::string::npos) << c.ini << " gave: " << error;
  }
}

// A zero byte would cut a value short: the machine is refused, naming the
// line. A line that is neither a section nor key=value is named and skipped.
TEST_F(MachineIniTest, BadLinesAreNamed) {
  using namespace std::string_literals;
  Write("machine.ini", "[machine]\nscreen=640x480\nwindows=C:\\wi\0ndows\n"s);
  std::string error;
  EXPECT_FALSE(host::OpenMachine(Machine(), &error));
  EXPECT_NE(error.find("machine.ini line 3: a zero byte"), std::string::npos) << error;

  ::testing::internal::CaptureStderr();
  Open("[machine]\nscreen 640x480\n[faults\ndisk_free=5\n");
  std::string warnings = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(warnings.find("machine.ini line 2: neither"), std::string::npos) << warnings;
  EXPECT_NE(warnings.find("machine.ini line 3: a section without"), std::string::npos) << warnings;
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(host::MachineValue("faults", "disk_free"), "5");
}

TEST_F(MachineIniTest, VersionWordInDecimalOrHex) {
  struct Case {
    const char* value;
    DWORD word;
  } cases[] = {{"0xc0000A04", 0xC0000A04u}, {"3221228036", 0xC0000A04u}, {"0xFFFFFFFF", ~0u}};
  for (const Case& c : cases) {
    host::ResetHost();
    Open(std::string("[machine]\nversion=") + c.value + "\n");
    EXPECT_EQ(GetVersion(), c.word) << c.value;
  }
}

TEST_F(MachineIniTest, RefusesMissingDirectoryOrIni) {
  std::string error;
  EXPECT_FALSE(host::OpenMachine(Machine() + "/absent", &error));
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(host::OpenMachine(Machine(), &error));  // no machine.ini yet
  EXPECT_NE(error.find("machine.ini"), std::string::npos) << error;
}

}  // namespace
