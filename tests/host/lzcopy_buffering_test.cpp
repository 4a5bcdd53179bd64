// LZCopy writes the expansion in blocks: few writes for a large file, and a
// failure of any one of them, the last included, fails the copy.
#include <unistd.h>

#include <fstream>

#include "host/syscalls.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

int writeCalls = 0;
ssize_t CountingWrite(int fd, const void* buffer, size_t count) {
  ++writeCalls;
  return write(fd, buffer, count);
}

std::string Fixture(const std::string& name) {
  std::ifstream file(std::string(HOST_FIXTURES_DIR) + "/" + name, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

class LZCopyBufferingTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Open("[machine]\ncwd=C:\\src\n");
    Write("c/src/compressed_large.bi_", Fixture("compressed_large.bi_"));
    MakeDir("c/dst");
  }
  void TearDown() override {
    host::SetSyscall("write", nullptr);
    MachineTest::TearDown();
  }
  LONG Copy() {
    HFILE source = _lopen("compressed_large.bi_", OF_READ);
    HFILE destination = _lcreat("C:\\dst\\out", 0);
    LONG result = LZCopy(source, destination);
    _lclose(source);
    _lclose(destination);
    return result;
  }
};

TEST_F(LZCopyBufferingTest, WritesTheExpansionInBlocks) {
  host::SetSyscall("write", reinterpret_cast<host::SyscallPointer>(CountingWrite));
  writeCalls = 0;
  EXPECT_EQ(Copy(), 70000);
  EXPECT_EQ(Read("c/dst/out") == Fixture("large.bin"), true);
  EXPECT_GT(writeCalls, 1);
  EXPECT_LT(writeCalls, 70000 / 1000) << "one write per expanded byte or so";
}

// Counted from a copy that succeeds: failing the first, a middle or the last
// write (the block left over when the expansion ends) fails the copy; one
// more than there are writes fails nothing.
TEST_F(LZCopyBufferingTest, EveryWriteCanFailTheCopy) {
  host::SetSyscall("write", reinterpret_cast<host::SyscallPointer>(CountingWrite));
  writeCalls = 0;
  ASSERT_EQ(Copy(), 70000);
  const int writes = writeCalls;
  host::SetSyscall("write", nullptr);
  ASSERT_GT(writes, 2);
  struct Case {
    int n;
    LONG result;
  } cases[] = {{1, LZERROR_WRITE},
               {writes / 2, LZERROR_WRITE},
               {writes, LZERROR_WRITE},
               {writes + 1, 70000}};
  for (const Case& c : cases) {
    host::ClearFaults();
    host::FailSyscall(host::Syscall::Write, c.n);
    EXPECT_EQ(Copy(), c.result) << "write " << c.n << " of " << writes;
  }
  host::ClearFaults();
}

// A disk that fills up anywhere in the expansion, at a block's edge or
// inside one, fails the copy, and no more than the free bytes reach it; a
// disk with exactly room enough takes it all.
TEST_F(LZCopyBufferingTest, FullDiskAnywhereFailsTheCopy) {
  for (int64_t free : {0, 1, 4095, 4096, 4097, 35000, 69631, 69632, 69999, 70000}) {
    Write("c/dst/out", "");
    host::SetDiskFree(free);
    LONG result = Copy();
    host::SetDiskFree(-1);
    std::string out = Read("c/dst/out");
    if (free >= 70000) {
      EXPECT_EQ(result, 70000);
      EXPECT_EQ(out == Fixture("large.bin"), true);
    } else {
      EXPECT_EQ(result, LZERROR_WRITE) << "free " << free;
      EXPECT_LE(static_cast<int64_t>(out.size()), free);
    }
  }
}

}  // namespace
