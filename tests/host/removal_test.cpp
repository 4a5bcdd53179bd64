// DeleteFileA and RemoveDirectoryA on the machine directory.
#include <filesystem>

#include "host/syscalls.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

class RemovalTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Write("c/kyroth/file.txt", "12345");
    Write("c/kyroth/full/inside.txt", "x");
    MakeDir("c/kyroth/empty");
    Open("[machine]\ncwd=C:\\KYROTH\n");
  }
};

TEST_F(RemovalTest, DeleteFile) {
  struct Case {
    const char* path;
    BOOL result;
    DWORD error;
  } cases[] = {
      {"C:\\KYROTH\\FILE.TXT", TRUE, 0},
      {"C:\\KYROTH\\FILE.TXT", FALSE, ERROR_FILE_NOT_FOUND},
      {"C:\\NOWHERE\\FILE.TXT", FALSE, ERROR_PATH_NOT_FOUND},
      {"C:\\KYROTH\\EMPTY", FALSE, ERROR_ACCESS_DENIED},
      {"Q:\\FILE.TXT", FALSE, ERROR_PATH_NOT_FOUND},
      {"", FALSE, ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(DeleteFileA(c.path), c.result) << c.path;
    if (!c.result) {
      EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
  }
  EXPECT_FALSE(Exists("c/kyroth/file.txt"));
}

TEST_F(RemovalTest, DeleteFileRefusesReadOnlyAndRefusedFilesAndGivesSpaceBack) {
  Write("c/kyroth/ro.txt", "r");
  std::filesystem::permissions(Machine() + "/c/kyroth/ro.txt", std::filesystem::perms::owner_read);
  EXPECT_FALSE(DeleteFileA("C:\\KYROTH\\RO.TXT"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  host::FailOpenOf("C:\\KYROTH\\FILE.TXT");
  EXPECT_FALSE(DeleteFileA("C:\\KYROTH\\FILE.TXT"));
  host::ClearFaults();

  host::SetDiskFree(0);
  HFILE file = _lcreat("C:\\KYROTH\\NEW.TXT", 0);
  EXPECT_EQ(_lwrite(file, "ab", 2), static_cast<UINT>(HFILE_ERROR));  // the disk is full
  _lclose(file);
  EXPECT_TRUE(DeleteFileA("C:\\KYROTH\\FILE.TXT"));  // gives its 5 bytes back
  file = _lopen("C:\\KYROTH\\NEW.TXT", OF_WRITE);
  EXPECT_EQ(_lwrite(file, "12345", 5), 5u);
  _lclose(file);
}

// A file open by handle stays, whatever sharing its handle allows; once the
// handle is closed it can go.
TEST_F(RemovalTest, DeleteFileRefusesAFileHeldOpen) {
  const UINT modes[] = {OF_READ | OF_SHARE_DENY_NONE, OF_READ | OF_SHARE_COMPAT,
                        OF_WRITE | OF_SHARE_EXCLUSIVE};
  for (UINT mode : modes) {
    HFILE file = _lopen("C:\\KYROTH\\FILE.TXT", static_cast<int>(mode));
    ASSERT_NE(file, HFILE_ERROR) << mode;
    SetLastError(0);
    EXPECT_FALSE(DeleteFileA("c:\\kyroth\\file.txt")) << mode;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION)) << mode;
    _lclose(file);
  }
  HFILE created = _lcreat("C:\\KYROTH\\NEW.TXT", 0);
  EXPECT_FALSE(DeleteFileA("C:\\KYROTH\\NEW.TXT"));
  _lclose(created);
  EXPECT_TRUE(DeleteFileA("C:\\KYROTH\\NEW.TXT"));
  EXPECT_TRUE(DeleteFileA("C:\\KYROTH\\FILE.TXT"));
}

TEST_F(RemovalTest, RemoveDirectory) {
  struct Case {
    const char* path;
    BOOL result;
    DWORD error;
  } cases[] = {
      {"C:\\KYROTH\\EMPTY", TRUE, 0},
      {"C:\\KYROTH\\EMPTY", FALSE, ERROR_FILE_NOT_FOUND},
      {"C:\\KYROTH\\FULL", FALSE, ERROR_DIR_NOT_EMPTY},
      {"C:\\KYROTH\\FILE.TXT", FALSE, ERROR_DIRECTORY},
      {"C:\\KYROTH", FALSE, ERROR_SHARING_VIOLATION},  // the current directory
      {"c:\\kyroth\\", FALSE, ERROR_SHARING_VIOLATION},
      {"C:\\", FALSE, ERROR_ACCESS_DENIED},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(RemoveDirectoryA(c.path), c.result) << c.path;
    if (!c.result) {
      EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
  }
  EXPECT_FALSE(Exists("c/kyroth/empty"));
  EXPECT_TRUE(Exists("c/kyroth/full/inside.txt"));
}

}  // namespace
