#include "host/syscalls.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

#include "host_fixture.h"
#include "winapi.h"

namespace {

class FilesTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Write("c/windows/system.ini", "[boot]\r\nshell=progman.exe\r\n");
    MakeDir("d");
    Open("[machine]\nwindows=C:\\windows\ncwd=C:\\windows\n");
  }
  std::string ReadAll(HFILE file) {
    std::string content;
    char buffer[7];  // small, so that reads cross the buffer's end
    for (UINT got; (got = _lread(file, buffer, sizeof buffer)) != 0 && got != UINT(HFILE_ERROR);)
      content.append(buffer, got);
    return content;
  }
};

TEST_F(FilesTest, OpenModes) {
  struct Case {
    const char* path;
    int mode;
    bool opens;
    DWORD error;
  } cases[] = {
      {"C:\\WINDOWS\\SYSTEM.INI", OF_READ, true, 0},
      {"system.ini", OF_WRITE, true, 0},
      {"system.ini", OF_READWRITE | OF_SHARE_DENY_WRITE, true, 0},
      {"system.ini", 3, true, 0},  // neither reads nor writes, but opens
      {"C:\\windows\\none.ini", OF_READ, false, ERROR_FILE_NOT_FOUND},
      {"C:\\none\\none.ini", OF_READ, false, ERROR_PATH_NOT_FOUND},
      {"C:\\windows", OF_READ, false, ERROR_ACCESS_DENIED},
      {"Q:\\x", OF_READ, false, ERROR_PATH_NOT_FOUND},
      {"", OF_READ, false, ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    HFILE file = _lopen(c.path, c.mode);
    EXPECT_EQ(file != HFILE_ERROR, c.opens) << c.path << " mode " << c.mode;
    if (c.opens) {
      EXPECT_EQ(_lclose(file), 0);
    } else {
      EXPECT_EQ(GetLastError(), c.error) << c.path << " mode " << c.mode;
    }
  }
}

TEST_F(FilesTest, AccessFollowsTheMode) {
  HFILE reader = _lopen("system.ini", OF_READ);
  char byte = 'x';
  EXPECT_EQ(_lwrite(reader, &byte, 1), UINT(HFILE_ERROR));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(SetEndOfFile(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(reader))));
  HFILE writer = _lopen("system.ini", OF_WRITE);
  EXPECT_EQ(_lread(writer, &byte, 1), UINT(HFILE_ERROR));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  _lclose(reader);
  _lclose(writer);
  EXPECT_EQ(_lclose(writer), HFILE_ERROR);  // closed already
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(_lread(reader, &byte, 1), UINT(HFILE_ERROR));
}

TEST_F(FilesTest, ReadOnlyFilesRefuseWriting) {
  Write("c/windows/ro.txt", "keep");
  chmod((Machine() + "/c/windows/ro.txt").c_str(), 0444);
  EXPECT_NE(_lopen("ro.txt", OF_READ), HFILE_ERROR);
  EXPECT_EQ(_lopen("ro.txt", OF_READWRITE), HFILE_ERROR);
  EXPECT_EQ(_lcreat("ro.txt", 0), HFILE_ERROR);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Read("c/windows/ro.txt"), "keep");
  // A file created read-only still writes through its handle.
  HFILE created = _lcreat("new.txt", FILE_ATTRIBUTE_READONLY);
  ASSERT_NE(created, HFILE_ERROR);
  EXPECT_EQ(_lwrite(created, "abc", 3), 3u);
  _lclose(created);
  EXPECT_EQ(GetFileAttributesA("new.txt"),
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
}

TEST_F(FilesTest, CreateReadWriteSeek) {
  HFILE file = _lcreat("C:\\windows\\system.kyr", 0);
  ASSERT_NE(file, HFILE_ERROR);
  EXPECT_EQ(_lwrite(file, "hello, world", 12), 12u);
  EXPECT_EQ(_llseek(file, 0, FILE_CURRENT), 12);
  EXPECT_EQ(_llseek(file, -5, FILE_END), 7);
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(_lread(file, buffer, sizeof buffer), 5u);  // to the end only
  EXPECT_EQ(std::string(buffer, 6), "world#");
  EXPECT_EQ(_lread(file, buffer, sizeof buffer), 0u);
  EXPECT_EQ(_llseek(file, -1, FILE_BEGIN), HFILE_ERROR);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  EXPECT_EQ(_llseek(file, 0, 7), HFILE_ERROR);
  EXPECT_EQ(_llseek(file, 5, FILE_BEGIN), 5);
  EXPECT_TRUE(SetEndOfFile(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file))));
  EXPECT_EQ(_lclose(file), 0);
  EXPECT_EQ(Read("c/windows/system.kyr"), "hello");
  // _lcreat truncates what is there.
  file = _lcreat("system.kyr", 0);
  _lclose(file);
  EXPECT_EQ(Read("c/windows/system.kyr"), "");
}

TEST_F(FilesTest, WritingNoBytesEndsTheFileAtThePosition) {
  HFILE file = _lopen("system.ini", OF_READWRITE);
  EXPECT_EQ(ReadAll(file), "[boot]\r\nshell=progman.exe\r\n");
  _llseek(file, 0, FILE_BEGIN);
  EXPECT_EQ(_lwrite(file, "[386Enh]\r\n", 10), 10u);
  EXPECT_EQ(_lwrite(file, "", 0), 0u);
  _lclose(file);
  EXPECT_EQ(Read("c/windows/system.ini"), "[386Enh]\r\n");
}

TEST_F(FilesTest, FailNthCall) {
  struct Case {
    host::Syscall kind;
    int n;
    int failingCall;  // 1-based; 0: every call
    DWORD error;
  } cases[] = {
      {host::Syscall::Read, 1, 1, ERROR_READ_FAULT},
      {host::Syscall::Read, 3, 3, ERROR_READ_FAULT},
      {host::Syscall::Write, 2, 2, ERROR_WRITE_FAULT},
      {host::Syscall::Write, 0, 0, ERROR_WRITE_FAULT},
      {host::Syscall::Open, 2, 2, ERROR_ACCESS_DENIED},
  };
  for (const Case& c : cases) {
    host::ClearFaults();
    HFILE file = _lcreat("calls.txt", 0);
    _lwrite(file, "abcdef", 6);
    _llseek(file, 0, FILE_BEGIN);
    host::FailSyscall(c.kind, c.n);
    for (int call = 1; call <= 4; ++call) {
      bool failed;
      char buffer[1];
      HFILE other = HFILE_ERROR;
      switch (c.kind) {
        case host::Syscall::Read:
          failed = _lread(file, buffer, 1) == UINT(HFILE_ERROR);
          break;
        case host::Syscall::Write:
          failed = _lwrite(file, "x", 1) == UINT(HFILE_ERROR);
          break;
        default:
          other = _lopen("system.ini", OF_READ);
          failed = other == HFILE_ERROR;
          if (!failed) _lclose(other);
          break;
      }
      bool expected = c.failingCall == 0 || c.failingCall == call;
      EXPECT_EQ(failed, expected) << "kind " << static_cast<int>(c.kind) << " n " << c.n << " call "
                                  << call;
      if (failed) {
        EXPECT_EQ(GetLastError(), c.error);
      }
    }
    host::ClearFaults();
    _lclose(file);
  }
}

TEST_F(FilesTest, FailOpenOfOnePath) {
  host::FailOpenOf("c:/WINDOWS/System.ini");
  EXPECT_EQ(_lopen("C:\\windows\\system.ini", OF_READ), HFILE_ERROR);
  EXPECT_EQ(_lcreat("system.ini", 0), HFILE_ERROR);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  HFILE other = _lcreat("win.ini", 0);
  EXPECT_NE(other, HFILE_ERROR);
  _lclose(other);
  EXPECT_EQ(Read("c/windows/system.ini"), "[boot]\r\nshell=progman.exe\r\n");
}

TEST_F(FilesTest, DiskFreeLimitsGrowthPerDrive) {
  host::SetDiskFree(10);
  HFILE file = _lcreat("C:\\windows\\big.txt", 0);
  EXPECT_EQ(_lwrite(file, "0123456789", 10), 10u);      // exactly what is free
  EXPECT_EQ(_lwrite(file, "x", 1), UINT(HFILE_ERROR));  // one over
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  _llseek(file, 2, FILE_BEGIN);
  EXPECT_EQ(_lwrite(file, "abcd", 4), 4u);  // over bytes the file has: no space
  _llseek(file, 8, FILE_BEGIN);
  EXPECT_EQ(_lwrite(file, "XYZ", 3), UINT(HFILE_ERROR));  // one byte past the end
  _llseek(file, 5, FILE_BEGIN);
  EXPECT_TRUE(SetEndOfFile(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file))));
  EXPECT_EQ(_lwrite(file, "", 0), 0u);
  _llseek(file, 0, FILE_END);
  EXPECT_EQ(_lwrite(file, "56789", 5), 5u);  // the 5 bytes given up are free again
  EXPECT_EQ(_lwrite(file, "!", 1), UINT(HFILE_ERROR));
  _lclose(file);
  EXPECT_EQ(Read("c/windows/big.txt"), "01abc56789");
  // Another drive has its own space.
  HFILE other = _lcreat("D:\\d.txt", 0);
  EXPECT_EQ(_lwrite(other, "0123456789", 10), 10u);
  _lclose(other);
  // Truncating a file by _lcreat frees its bytes.
  file = _lcreat("C:\\windows\\big.txt", 0);
  EXPECT_EQ(_lwrite(file, "0123456789", 10), 10u);
  _lclose(file);
  host::SetDiskFree(-1);
  file = _lcreat("C:\\windows\\big.txt", 0);
  EXPECT_EQ(_lwrite(file, std::string(100, 'z').c_str(), 100), 100u);
  _lclose(file);
}

TEST_F(FilesTest, FaultsFromMachineIni) {
  host::ResetHost();
  Write("c/windows/a.txt", "aaaa");
  Open(
      "[machine]\nwindows=C:\\windows\ncwd=C:\\windows\n"
      "[faults]\nfail_open=C:\\WINDOWS\\A.TXT, c:\\windows\\b.txt\nfail_read=2\n"
      "fail_write=1\ndisk_free=3\n");
  EXPECT_EQ(_lopen("a.txt", OF_READ), HFILE_ERROR);
  EXPECT_EQ(_lcreat("b.txt", 0), HFILE_ERROR);
  HFILE file = _lopen("system.ini", OF_READWRITE);
  char buffer[4];
  EXPECT_EQ(_lread(file, buffer, 4), 4u);
  EXPECT_EQ(_lread(file, buffer, 4), UINT(HFILE_ERROR));
  EXPECT_EQ(_lread(file, buffer, 4), 4u);
  EXPECT_EQ(_lwrite(file, "x", 1), UINT(HFILE_ERROR));
  _llseek(file, 0, FILE_END);
  EXPECT_EQ(_lwrite(file, "xyz", 3), 3u);
  EXPECT_EQ(_lwrite(file, "x", 1), UINT(HFILE_ERROR));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  _lclose(file);

  for (const char* bad :
       {"[faults]\nfail_read=x\n", "[faults]\ndisk_free=-1\n", "[faults]\nfail_write=1.5\n"}) {
    Write("machine.ini", bad);
    std::string error;
    EXPECT_FALSE(host::OpenMachine(Machine(), &error)) << bad;
    EXPECT_NE(error.find("[faults]"), std::string::npos) << error;
  }
}

int replacedOpens = 0;
int CountingOpen(const char* path, int flags, mode_t mode) {
  ++replacedOpens;
  return open(path, flags, mode);
}

TEST_F(FilesTest, TableEntriesCanBeReplaced) {
  std::vector<std::string> names;
  for (const char* name = host::NextSyscall(nullptr); name != nullptr;
       name = host::NextSyscall(name))
    names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"open", "close", "read", "write", "lseek", "ftruncate",
                                             "fstat", "stat", "mkdir", "unlink", "rmdir", "rename",
                                             "opendir", "readdir", "closedir", "getxattr",
                                             "setxattr", "_exit"}));
  host::SyscallPointer original = host::GetSyscall("open");
  EXPECT_TRUE(host::SetSyscall("open", reinterpret_cast<host::SyscallPointer>(CountingOpen)));
  EXPECT_FALSE(host::SetSyscall("nosuch", nullptr));
  _lclose(_lopen("system.ini", OF_READ));
  EXPECT_EQ(replacedOpens, 1);
  EXPECT_TRUE(host::SetSyscall("open", nullptr));
  EXPECT_EQ(host::GetSyscall("open"), original);
  _lclose(_lopen("system.ini", OF_READ));
  EXPECT_EQ(replacedOpens, 1);
}

}  // namespace
