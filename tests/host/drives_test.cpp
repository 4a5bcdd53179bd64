// GetDiskFreeSpaceExA on the paths a program gives it.
#include "host_fixture.h"
#include "winapi.h"

namespace {

class DrivesTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Write("c/kyroth/file.txt", "x");
    MakeDir("c/kyroth/sub");
    MakeDir("d");
    Open(
        "[machine]\ncwd=C:\\KYROTH\n[drives]\nC=fixed 1000 600\nD=fixed 500 100\n"
        "A=removable\n");
  }
};

TEST_F(DrivesTest, DiskFreeSpaceOfEveryKindOfPath) {
  struct Case {
    const char* path;
    BOOL result;
    DWORD errorOrFree;  // the error, or the free bytes
  } cases[] = {
      {nullptr, TRUE, 600},  // the current directory's drive
      {"\\", TRUE, 600},
      {"sub", TRUE, 600},
      {"..\\KYROTH\\SUB\\", TRUE, 600},
      {"D:\\", TRUE, 100},
      {"d:", TRUE, 100},
      {"missing", FALSE, ERROR_FILE_NOT_FOUND},
      {"missing\\deeper", FALSE, ERROR_PATH_NOT_FOUND},
      {"file.txt", FALSE, ERROR_DIRECTORY},
      {"file.txt\\", FALSE, ERROR_INVALID_NAME},
      {"s*", FALSE, ERROR_INVALID_NAME},
      {"", FALSE, ERROR_PATH_NOT_FOUND},
      {"Q:\\", FALSE, ERROR_PATH_NOT_FOUND},
      {"A:\\", FALSE, ERROR_NOT_READY},
  };
  for (const Case& c : cases) {
    const char* shown = c.path == nullptr ? "NULL" : c.path;
    ULARGE_INTEGER free{}, total{};
    SetLastError(0);
    EXPECT_EQ(GetDiskFreeSpaceExA(c.path, &free, &total, nullptr), c.result) << shown;
    if (c.result) {
      EXPECT_EQ(free.QuadPart, c.errorOrFree) << shown;
    } else {
      EXPECT_EQ(GetLastError(), c.errorOrFree) << shown;
    }
  }
}

}  // namespace
