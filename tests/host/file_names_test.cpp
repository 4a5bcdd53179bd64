// Names no file may have, sharing modes and the hidden attribute of files
// by handle.
#include <cstring>

#include "host_fixture.h"
#include "winapi.h"

namespace {

class FileNamesTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Write("c/work/data.txt", "data");
    MakeDir("c/work/sub");
    Open("[machine]\ncwd=C:\\work\n");
  }
};

// Wildcards and the other characters Windows refuses fail every call that
// takes a name with ERROR_INVALID_NAME; a name ending in a backslash is no
// file's name either (attributes: no such path).
TEST_F(FileNamesTest, InvalidNamesAreRefused) {
  const char* invalid[] = {"bad*.txt", "dat?.txt", "a<b", "a>b", "a|b", "a\"b", "ab:c", "x\tb"};
  for (const char* name : invalid) {
    SetLastError(0);
    EXPECT_EQ(_lopen(name, OF_READ), HFILE_ERROR) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME)) << name;
    SetLastError(0);
    EXPECT_EQ(_lcreat(name, 0), HFILE_ERROR) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME)) << name;
    SetLastError(0);
    EXPECT_FALSE(CreateDirectoryA(name, nullptr)) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME)) << name;
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesA(name), INVALID_FILE_ATTRIBUTES) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME)) << name;
    EXPECT_FALSE(DeleteFileA(name)) << name;
  }
  EXPECT_FALSE(Exists("c/work/bad*.txt"));

  struct {
    const char* name;
    DWORD openError;
    DWORD attributesError;
  } trailing[] = {{"data.txt\\", ERROR_INVALID_NAME, ERROR_PATH_NOT_FOUND},
                  {"new.txt\\", ERROR_INVALID_NAME, ERROR_FILE_NOT_FOUND}};
  for (const auto& t : trailing) {
    SetLastError(0);
    EXPECT_EQ(_lopen(t.name, OF_READ), HFILE_ERROR) << t.name;
    EXPECT_EQ(GetLastError(), t.openError) << t.name;
    EXPECT_EQ(_lcreat(t.name, 0), HFILE_ERROR) << t.name;
    SetLastError(0);
    EXPECT_FALSE(DeleteFileA(t.name)) << t.name;
    EXPECT_EQ(GetLastError(), t.openError) << t.name;
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesA(t.name), INVALID_FILE_ATTRIBUTES) << t.name;
    EXPECT_EQ(GetLastError(), t.attributesError) << t.name;
  }
  EXPECT_EQ(Read("c/work/data.txt"), "data");
  EXPECT_EQ(GetFileAttributesA("sub\\"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

// A trail byte with the code of '|' is part of its character, not a
// character Windows refuses.
TEST_F(FileNamesTest, TrailBytesAreNotInvalidCharactersCp932) {
  host::ResetHost();
  Open("[machine]\ncwd=C:\\work\nacp=932\n");
  const char name[] = "\x83\x7C.txt";  // a katakana whose trail byte is 0x7C
  HFILE file = _lcreat(name, 0);
  ASSERT_NE(file, HFILE_ERROR);
  _lclose(file);
  EXPECT_NE(GetFileAttributesA(name), INVALID_FILE_ATTRIBUTES);
}

// A second open of a file is refused (ERROR_SHARING_VIOLATION) when either
// open denies what the other does; the first close lifts it.
TEST_F(FileNamesTest, SharingModes) {
  struct {
    int first;
    int second;
    bool opens;
  } cases[] = {
      {OF_READ | OF_SHARE_EXCLUSIVE, OF_READ | OF_SHARE_DENY_NONE, false},
      {OF_READ | OF_SHARE_DENY_WRITE, OF_READ | OF_SHARE_DENY_NONE, true},
      {OF_READ | OF_SHARE_DENY_WRITE, OF_WRITE | OF_SHARE_DENY_NONE, false},
      {OF_READ | OF_SHARE_DENY_READ, OF_READ | OF_SHARE_DENY_NONE, false},
      {OF_READ | OF_SHARE_DENY_READ, OF_WRITE | OF_SHARE_DENY_NONE, true},
      {OF_READWRITE | OF_SHARE_DENY_NONE, OF_READ | OF_SHARE_DENY_WRITE, false},
      {OF_READ | OF_SHARE_DENY_NONE, OF_READ | OF_SHARE_DENY_WRITE, true},
      {OF_READ | OF_SHARE_COMPAT, OF_READWRITE | OF_SHARE_COMPAT, true},
      {3 | OF_SHARE_DENY_NONE, OF_READ | OF_SHARE_DENY_WRITE, true},
  };
  for (const auto& c : cases) {
    HFILE held = _lopen("data.txt", c.first);
    ASSERT_NE(held, HFILE_ERROR) << std::hex << c.first;
    SetLastError(0);
    HFILE again = _lopen("DATA.TXT", c.second);
    EXPECT_EQ(again != HFILE_ERROR, c.opens) << std::hex << c.first << " then " << c.second;
    if (again != HFILE_ERROR) {
      _lclose(again);
    } else {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    _lclose(held);
    again = _lopen("data.txt", c.second);
    EXPECT_NE(again, HFILE_ERROR) << "after the close, " << std::hex << c.second;
    _lclose(again);
  }
  // _lcreat shares both ways, so an exclusive open keeps it out.
  HFILE exclusive = _lopen("data.txt", OF_READ | OF_SHARE_EXCLUSIVE);
  EXPECT_EQ(_lcreat("data.txt", 0), HFILE_ERROR);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  _lclose(exclusive);
  EXPECT_EQ(Read("c/work/data.txt"), "data");
}

TEST_F(FileNamesTest, AccessModeThreeNeitherReadsNorWrites) {
  HFILE file = _lopen("data.txt", 3);
  ASSERT_NE(file, HFILE_ERROR);
  char byte = 0;
  EXPECT_EQ(_lread(file, &byte, 1), static_cast<UINT>(HFILE_ERROR));
  EXPECT_EQ(_lwrite(file, "x", 1), static_cast<UINT>(HFILE_ERROR));
  _lclose(file);
  EXPECT_EQ(Read("c/work/data.txt"), "data");
}

TEST_F(FileNamesTest, CreatedHiddenFileReadsHidden) {
  struct {
    const char* name;
    int attributes;
    DWORD expected;
  } cases[] = {
      {"plain.txt", 0, FILE_ATTRIBUTE_ARCHIVE},
      {"hidden.txt", 2, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN},
      {"both.txt", 3, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY}};
  for (const auto& c : cases) {
    HFILE file = _lcreat(c.name, c.attributes);
    ASSERT_NE(file, HFILE_ERROR) << c.name;
    _lclose(file);
    EXPECT_EQ(GetFileAttributesA(c.name), c.expected) << c.name;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(c.name, &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << c.name;
    EXPECT_EQ(found.dwFileAttributes, c.expected) << c.name;
    FindClose(search);
  }
}

}  // namespace
