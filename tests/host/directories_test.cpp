#include <cstring>

#include "host_fixture.h"
#include "winapi.h"

namespace {

class DirectoriesTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    MakeDir("c/windows/system32");
    MakeDir("c/Kyroth");
    Write("c/windows/win.ini", "");
    Open("[machine]\nwindows=C:\\windows\ncwd=C:\\Kyroth\nsystem=C:\\windows\\system32\n");
  }
};

// Each of the directory readers follows one contract: the length when the
// text fits with its zero, else the size needed and nothing written.
TEST_F(DirectoriesTest, ReadersReturnLengthOrSizeNeeded) {
  struct Reader {
    const char* name;
    DWORD (*call)(LPSTR, DWORD);
    const char* expected;
  } readers[] = {
      {"GetCurrentDirectoryA", [](LPSTR b, DWORD n) { return GetCurrentDirectoryA(n, b); },
       "C:\\Kyroth"},
      {"GetWindowsDirectoryA",
       [](LPSTR b, DWORD n) { return static_cast<DWORD>(GetWindowsDirectoryA(b, n)); },
       "C:\\windows"},
      {"GetSystemDirectoryA",
       [](LPSTR b, DWORD n) { return static_cast<DWORD>(GetSystemDirectoryA(b, n)); },
       "C:\\windows\\system32"},
  };
  for (const Reader& r : readers) {
    const DWORD length = static_cast<DWORD>(std::strlen(r.expected));
    for (DWORD size : {DWORD{0}, length - 1, length, length + 1, DWORD{260}}) {
      char buffer[300];
      std::memset(buffer, '#', sizeof buffer);
      DWORD result = r.call(buffer, size);
      if (size > length) {
        EXPECT_EQ(result, length) << r.name << " size " << size;
        EXPECT_STREQ(buffer, r.expected) << r.name << " size " << size;
        EXPECT_EQ(buffer[length + 1], '#') << r.name << " wrote past the zero";
      } else {
        EXPECT_EQ(result, length + 1) << r.name << " size " << size;
        EXPECT_EQ(buffer[0], '#') << r.name << " size " << size << " wrote";
      }
    }
  }
}

// A test may have the readers report a text of its own; the host keeps
// win.ini where the machine's Windows directory is.
TEST_F(DirectoriesTest, ReportedTextsReplaceTheDirectories) {
  Open(
      "[machine]\nwindows=C:\\windows\nsystem=C:\\windows\\system32\n"
      "windows_text=\\WINDOWS\nsystem_text=\n");
  char buffer[64];
  EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 8u);
  EXPECT_STREQ(buffer, "\\WINDOWS");
  EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof buffer), 0u);
  ASSERT_TRUE(WriteProfileStringA("fonts", "Kyroth", "k.fon"));
  EXPECT_EQ(Read("c/windows/win.ini"), "[fonts]\r\nKyroth=k.fon\r\n");
}

TEST_F(DirectoriesTest, SetCurrentDirectory) {
  struct Case {
    const char* path;
    BOOL ok;
    DWORD error;
    const char* after;
  } cases[] = {
      {"C:\\WINDOWS\\", TRUE, 0, "C:\\WINDOWS"},
      {"system32", TRUE, 0, "C:\\WINDOWS\\system32"},
      {"..", TRUE, 0, "C:\\WINDOWS"},
      // The text is kept as given, the drive letter's case too.
      {"c:\\", TRUE, 0, "c:\\"},
      {"C:\\missing", FALSE, ERROR_FILE_NOT_FOUND, "c:\\"},
      {"C:\\missing\\deeper", FALSE, ERROR_PATH_NOT_FOUND, "c:\\"},
      {"C:\\windows\\win.ini", FALSE, ERROR_DIRECTORY, "c:\\"},
      {"Q:\\", FALSE, ERROR_PATH_NOT_FOUND, "c:\\"},
      {"win*", FALSE, ERROR_INVALID_NAME, "c:\\"},
      {"", FALSE, ERROR_INVALID_NAME, "c:\\"},
      {"windows", TRUE, 0, "c:\\windows"},
      {"C:\\Windows", TRUE, 0, "C:\\Windows"},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(SetCurrentDirectoryA(c.path), c.ok) << c.path;
    if (!c.ok) {
      EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    char buffer[MAX_PATH];
    GetCurrentDirectoryA(sizeof buffer, buffer);
    EXPECT_STREQ(buffer, c.after) << "after " << c.path;
  }
}

TEST_F(DirectoriesTest, CurrentDirectoryLengthLimit) {
  // 258 characters with the backslash Windows keeps fit below MAX_PATH.
  std::string path = "C:\\" + std::string(255, 'a');
  MakeDir("c/" + std::string(255, 'a'));
  EXPECT_TRUE(SetCurrentDirectoryA(path.c_str()));
  std::string longer = path + "\\b";
  MakeDir("c/" + std::string(255, 'a') + "/b");
  EXPECT_FALSE(SetCurrentDirectoryA(longer.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

TEST_F(DirectoriesTest, FileAttributes) {
  EXPECT_EQ(GetFileAttributesA("C:\\WINDOWS"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesA("c:\\windows\\WIN.INI"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesA("C:\\windows\\none.ini"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesA("C:\\nodir\\none.ini"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(DirectoriesTest, CreateDirectory) {
  EXPECT_TRUE(CreateDirectoryA("C:\\Kyroth\\Sub", nullptr));
  EXPECT_TRUE(Exists("c/Kyroth/Sub"));
  EXPECT_TRUE(CreateDirectoryA("c:\\KYROTH\\sub2", nullptr));  // existing part's case
  EXPECT_TRUE(Exists("c/Kyroth/sub2"));
  EXPECT_FALSE(CreateDirectoryA("C:\\kyroth\\SUB", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryA("C:\\none\\sub", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(CreateDirectoryA("Z:\\sub", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
