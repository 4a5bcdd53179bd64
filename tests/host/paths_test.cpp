#include "host/src/machine/machine_internal.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

class NativePathTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    MakeDir("c/Windows/SYSTEM");
    Write("c/Windows/System.INI", "x");
    MakeDir("d/Data");
    Open("[machine]\ncwd=C:\\Windows\\SYSTEM\n");
  }
};

TEST_F(NativePathTest, MapsWindowsPathsOntoDriveFolders) {
  struct Case {
    const char* windows;
    const char* native;  // below the machine directory; "" for no path
  } cases[] = {
      {"C:\\WINDOWS\\system.ini", "c/Windows/System.INI"},
      {"c:/windows/SYSTEM.ini", "c/Windows/System.INI"},
      {"C:\\", "c"},
      {"C:", "c/Windows/SYSTEM"},  // the current directory of drive C
      {"C:\\Windows\\..\\windows\\.\\system\\", "c/Windows/SYSTEM"},
      {"C:\\windows\\new\\File.TXT", "c/Windows/new/File.TXT"},  // missing: case kept
      {"C:\\windows\\system.ini.", "c/Windows/System.INI"},      // trailing dot dropped
      {"C:\\..\\..\\windows", "c/Windows"},                      // cannot leave the root
      {"kyr.386", "c/Windows/SYSTEM/kyr.386"},                   // relative
      {"..\\System.ini", "c/Windows/System.INI"},
      {"\\windows", "c/Windows"},    // root of current drive
      {"D:data", "d/Data"},          // D's root: cwd is on C
      {"E:\\x", ""},                 // no such drive
      {"\\\\server\\share\\x", ""},  // UNC
      {"", ""},
      {"1:\\x", ""},
  };
  for (const Case& c : cases) {
    std::string expected = *c.native ? Machine() + "/" + c.native : "";
    EXPECT_EQ(host::NativePath(c.windows), expected) << "for " << c.windows;
  }
}

TEST_F(NativePathTest, ExactNameWinsOverOtherCase) {
  Write("c/Windows/a.txt", "lower");
  Write("c/Windows/A.TXT", "upper");
  EXPECT_EQ(host::NativePath("C:\\windows\\A.TXT"), Machine() + "/c/Windows/A.TXT");
  EXPECT_EQ(host::NativePath("C:\\windows\\a.txt"), Machine() + "/c/Windows/a.txt");
  // Neither matches exactly: the first in byte order.
  EXPECT_EQ(host::NativePath("C:\\windows\\A.txt"), Machine() + "/c/Windows/A.TXT");
}

TEST_F(NativePathTest, FullWindowsPathKeepsGivenCase) {
  EXPECT_EQ(host::FullWindowsPath("c:\\Foo\\\\bar\\"), "C:\\Foo\\bar");
  EXPECT_EQ(host::FullWindowsPath("x"), "C:\\Windows\\SYSTEM\\x");
  EXPECT_EQ(host::FullWindowsPath("d:"), "D:\\");
}

}  // namespace
