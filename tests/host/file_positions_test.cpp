// Each handle keeps its position and every handle on a file shares its
// length: the disk's accounting stays exact across handles, and a read or
// write asks the system nothing but the read or write itself.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "host/syscalls.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

int lseekCalls = 0;
int fstatCalls = 0;
int writeCalls = 0;
off_t CountingLseek(int fd, off_t offset, int whence) {
  ++lseekCalls;
  return lseek(fd, offset, whence);
}
int CountingFstat(int fd, struct stat* info) {
  ++fstatCalls;
  return fstat(fd, info);
}
ssize_t CountingWrite(int fd, const void* buffer, size_t count) {
  ++writeCalls;
  return write(fd, buffer, count);
}

class FilePositionsTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Write("c/windows/system.ini", "[boot]\r\n");
    Open("[machine]\nwindows=C:\\windows\ncwd=C:\\windows\n");
  }
  void TearDown() override {
    host::SetSyscall("lseek", nullptr);
    host::SetSyscall("fstat", nullptr);
    host::SetSyscall("write", nullptr);
    MachineTest::TearDown();
  }
  static HANDLE AsHandle(HFILE file) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file));
  }
};

TEST_F(FilePositionsTest, ReadsAndWritesCostOneSystemCallEach) {
  HFILE file = _lcreat("out.txt", 0);
  ASSERT_NE(file, HFILE_ERROR);
  lseekCalls = fstatCalls = writeCalls = 0;
  host::SetSyscall("lseek", reinterpret_cast<host::SyscallPointer>(CountingLseek));
  host::SetSyscall("fstat", reinterpret_cast<host::SyscallPointer>(CountingFstat));
  host::SetSyscall("write", reinterpret_cast<host::SyscallPointer>(CountingWrite));
  for (int i = 0; i < 100; ++i) ASSERT_EQ(_lwrite(file, "x", 1), 1u);
  EXPECT_EQ(_llseek(file, 0, FILE_CURRENT), 100);
  EXPECT_EQ(_llseek(file, 0, FILE_END), 100);
  char byte;
  EXPECT_EQ(_lread(file, &byte, 1), 0u);
  EXPECT_EQ(writeCalls, 100);
  EXPECT_EQ(lseekCalls, 0);
  EXPECT_EQ(fstatCalls, 0);
  _lclose(file);
  EXPECT_EQ(Read("c/windows/out.txt"), std::string(100, 'x'));
}

// Where the handle stands after each kind of call, and where the next byte
// really goes.
TEST_F(FilePositionsTest, PositionFollowsEveryCall) {
  HFILE file = _lopen("system.ini", OF_READWRITE);  // "[boot]\r\n"
  ASSERT_NE(file, HFILE_ERROR);
  char buffer[16];
  struct Step {
    const char* what;
    std::function<LONG()> call;
    LONG result;
    LONG position;  // _llseek(FILE_CURRENT) afterwards
  };
  const Step steps[] = {
      {"read 3", [&] { return static_cast<LONG>(_lread(file, buffer, 3)); }, 3, 3},
      {"read past the end", [&] { return static_cast<LONG>(_lread(file, buffer, 16)); }, 5, 8},
      {"seek back 2", [&] { return _llseek(file, -2, FILE_CURRENT); }, 6, 6},
      {"write 4", [&] { return static_cast<LONG>(_lwrite(file, "ABCD", 4)); }, 4, 10},
      {"seek to the start", [&] { return _llseek(file, 0, FILE_BEGIN); }, 0, 0},
      {"seek to the end", [&] { return _llseek(file, 0, FILE_END); }, 10, 10},
      {"seek beyond the end", [&] { return _llseek(file, 5, FILE_END); }, 15, 15},
      {"negative seek", [&] { return _llseek(file, -16, FILE_CURRENT); }, HFILE_ERROR, 15},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(step.call(), step.result) << step.what;
    EXPECT_EQ(_llseek(file, 0, FILE_CURRENT), step.position) << step.what;
  }
  EXPECT_EQ(_lwrite(file, "!", 1), 1u);  // after a gap of zeros
  _lclose(file);
  EXPECT_EQ(Read("c/windows/system.ini"), std::string("[boot]ABCD") + std::string(5, '\0') + "!");
}

// A file grown through one handle is as long for the other: writing over
// those bytes takes no space, and the end is where the other handle left it.
TEST_F(FilePositionsTest, HandlesOnOneFileShareItsLength) {
  host::SetDiskFree(10);
  HFILE first = _lcreat("shared.txt", 0);
  HFILE second = _lopen("C:\\WINDOWS\\SHARED.TXT", OF_READWRITE);
  ASSERT_NE(first, HFILE_ERROR);
  ASSERT_NE(second, HFILE_ERROR);
  EXPECT_EQ(_lwrite(first, "0123456789", 10), 10u);       // all the free space
  EXPECT_EQ(_lwrite(second, "abcdefghij", 10), 10u);      // over bytes the file has
  EXPECT_EQ(_lwrite(second, "k", 1), UINT(HFILE_ERROR));  // one past its end
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_EQ(_llseek(second, 0, FILE_END), 10);
  // Cutting the file through one handle gives the bytes back for the other.
  EXPECT_EQ(_llseek(second, 4, FILE_BEGIN), 4);
  EXPECT_TRUE(SetEndOfFile(AsHandle(second)));
  EXPECT_EQ(_llseek(first, 0, FILE_END), 4);
  EXPECT_EQ(_lwrite(first, "456789", 6), 6u);
  EXPECT_EQ(_lwrite(first, "!", 1), UINT(HFILE_ERROR));
  // Creating the file anew empties it for the handles still open on it.
  HFILE third = _lcreat("shared.txt", 0);
  ASSERT_NE(third, HFILE_ERROR);
  EXPECT_EQ(_llseek(first, 0, FILE_END), 0);
  EXPECT_EQ(_lwrite(third, "0123456789", 10), 10u);  // the 10 bytes are free again
  _lclose(first);
  _lclose(second);
  _lclose(third);
  EXPECT_EQ(Read("c/windows/shared.txt"), "0123456789");
}

// A write the disk cannot take leaves the position where it was.
TEST_F(FilePositionsTest, FailedWriteKeepsThePosition) {
  host::SetDiskFree(4);
  HFILE file = _lcreat("full.txt", 0);
  EXPECT_EQ(_lwrite(file, "abc", 3), 3u);
  EXPECT_EQ(_lwrite(file, "de", 2), UINT(HFILE_ERROR));
  EXPECT_EQ(_llseek(file, 0, FILE_CURRENT), 3);
  EXPECT_EQ(_lwrite(file, "d", 1), 1u);
  _lclose(file);
  EXPECT_EQ(Read("c/windows/full.txt"), "abcd");
}

}  // namespace
