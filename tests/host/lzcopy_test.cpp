#include "host/syscalls.h"

#include <fstream>

#include "host_fixture.h"
#include "winapi.h"

namespace {

std::string Fixture(const std::string& name) {
  std::ifstream file(std::string(HOST_FIXTURES_DIR) + "/" + name, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

class LZCopyTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Open("[machine]\ncwd=C:\\src\n");
    MakeDir("c/src");
    MakeDir("c/dst");
  }
  // Copies fixture `name` (placed as C:\src\NAME) to C:\dst\out.
  LONG Copy(const std::string& name) {
    Write("c/src/" + name, Fixture(name));
    HFILE source = _lopen(("C:\\src\\" + name).c_str(), OF_READ);
    HFILE destination = _lcreat("C:\\dst\\out", 0);
    EXPECT_NE(source, HFILE_ERROR);
    EXPECT_NE(destination, HFILE_ERROR);
    LONG result = LZCopy(source, destination);
    _lclose(source);
    _lclose(destination);
    return result;
  }
};

TEST_F(LZCopyTest, ExpandsCompressedAndCopiesOthers) {
  struct Case {
    const char* source;
    std::string expected;  // the destination's content
    LONG result;
  } cases[] = {
      {"compressed_plain.tx_", Fixture("plain.txt"), 76},
      {"compressed_large.bi_", Fixture("large.bin"), 70000},
      {"header_only.tx_", "", 0},
      {"plain.txt", Fixture("plain.txt"), 76},
      {"large.bin", Fixture("large.bin"), 70000},
      {"short_magic.bin", Fixture("short_magic.bin"), 10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Copy(c.source), c.result) << c.source;
    EXPECT_EQ(Read("c/dst/out") == c.expected, true)
        << c.source << ": got " << Read("c/dst/out").size() << " bytes";
  }
}

TEST_F(LZCopyTest, BadSources) { EXPECT_EQ(Copy("bad_method.tx_"), LZERROR_UNKNOWNALG); }

// A compressed file cut short expands as far as it goes, as on Windows: the
// expansion stops at the end of the source, whatever the header's length.
TEST_F(LZCopyTest, TruncatedSourceExpandsWhatItHas) {
  LONG result = Copy("partial_large.bi_");
  std::string out = Read("c/dst/out");
  EXPECT_GT(result, 0);
  EXPECT_LT(result, 70000);
  EXPECT_EQ(out.size(), static_cast<size_t>(result));
  EXPECT_EQ(Fixture("large.bin").substr(0, out.size()) == out, true);
}

TEST_F(LZCopyTest, BadHandles) {
  Write("c/src/plain.txt", Fixture("plain.txt"));
  HFILE source = _lopen("plain.txt", OF_READ);
  HFILE destination = _lcreat("C:\\dst\\out", 0);
  EXPECT_EQ(LZCopy(0x7ff0, destination), LZERROR_BADINHANDLE);
  EXPECT_EQ(LZCopy(source, 0x7ff0), LZERROR_BADOUTHANDLE);
  EXPECT_EQ(LZCopy(source, source), LZERROR_WRITE);  // opened for reading only
  _lclose(source);
  _lclose(destination);
}

TEST_F(LZCopyTest, CopiesFromTheSourceStartToTheDestinationPosition) {
  Write("c/src/compressed_plain.tx_", Fixture("compressed_plain.tx_"));
  HFILE source = _lopen("compressed_plain.tx_", OF_READ);
  char skip[20];
  _lread(source, skip, sizeof skip);
  HFILE destination = _lcreat("C:\\dst\\out", 0);
  _lwrite(destination, "head:", 5);
  EXPECT_EQ(LZCopy(source, destination), 76);
  EXPECT_EQ(_llseek(destination, 0, FILE_CURRENT), 81);
  _lclose(source);
  _lclose(destination);
  EXPECT_EQ(Read("c/dst/out"), "head:" + Fixture("plain.txt"));
}

TEST_F(LZCopyTest, FaultsReachTheCopy) {
  struct Case {
    const char* source;
    host::Syscall kind;
    int n;
    LONG result;
  } cases[] = {
      {"compressed_large.bi_", host::Syscall::Read, 2, LZERROR_READ},
      {"compressed_large.bi_", host::Syscall::Read, 4, LZERROR_READ},
      {"compressed_large.bi_", host::Syscall::Write, 1, LZERROR_WRITE},
      {"compressed_large.bi_", host::Syscall::Write, 3, LZERROR_WRITE},
      {"large.bin", host::Syscall::Read, 3, LZERROR_READ},
      {"large.bin", host::Syscall::Write, 2, LZERROR_WRITE},
  };
  for (const Case& c : cases) {
    host::ClearFaults();
    host::FailSyscall(c.kind, c.n);
    EXPECT_EQ(Copy(c.source), c.result)
        << c.source << " kind " << static_cast<int>(c.kind) << " n " << c.n;
  }
}

TEST_F(LZCopyTest, FullDiskFailsTheCopy) {
  for (int64_t free : {int64_t{69999}, int64_t{70000}}) {
    Write("c/dst/out", "");
    host::SetDiskFree(free);
    LONG expected = free >= 70000 ? 70000 : LZERROR_WRITE;
    EXPECT_EQ(Copy("compressed_large.bi_"), expected) << "free " << free;
    host::SetDiskFree(-1);
  }
}

}  // namespace
