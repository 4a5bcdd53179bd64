// The block reader cuts exactly the lines the byte-wise line reader reads
// from the file, whatever the buffer and wherever the blocks end; the block
// writer writes every byte once, and a failed write stops it.
#include "installer/block_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "host/syscalls.h"
#include "installer/control_file.h"
#include "unit/install_support.h"

namespace {

using install_support::InstallMachine;

constexpr char kFile[] = "C:\\windows\\lines.txt";
constexpr size_t kBlock = kFileBlockSize;

class BlockFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(machine_.Open()); }
  void TearDown() override { host::ClearFaults(); }
  void Put(const std::string& content) { machine_.Write("c/windows/lines.txt", content); }
  InstallMachine machine_;
  std::vector<char> block_ = std::vector<char>(kBlock);
};

// A line of `length` bytes with its line feed.
std::string Line(size_t length, char fill) { return std::string(length - 1, fill) + "\n"; }

// Files whose lines end at, before and after the blocks' ends.
std::vector<std::pair<const char*, std::string>> Inputs() {
  static constexpr char kZeros[] = "a\0b\r\n\0\n";
  std::string shortLines;
  for (int i = 0; i < 4000; ++i) shortLines += "key" + std::to_string(i) + "=value\r\n";
  return {
      {"empty", ""},
      {"final piece only", "no line break"},
      {"empty lines", "\n\n\r\n\n"},
      {"zero bytes", std::string(kZeros, sizeof kZeros - 1) + "end"},
      {"line ends at the block's end", Line(kBlock, 'a') + Line(10, 'b') + "tail"},
      {"line ends one after", Line(kBlock + 1, 'a') + Line(3, 'b')},
      {"line ends one before", Line(kBlock - 1, 'a') + Line(3, 'b') + "\n"},
      {"file of exactly one block", Line(kBlock / 2, 'a') + Line(kBlock / 2, 'b')},
      {"line of two blocks", Line(2 * kBlock + 17, 'c') + "x"},
      {"many short lines", shortLines},
  };
}

TEST_F(BlockFileTest, ReadsTheSameLinesAsTheLineReader) {
  for (const auto& [name, content] : Inputs()) {
    Put(content);
    for (int size : {2, 3, 16, 1000, static_cast<int>(kBlock) + 5}) {
      // Small buffers make many calls: small files only.
      if ((size < 16 && content.size() > 1000) || (size < 1000 && content.size() > 10000)) {
        continue;
      }
      SCOPED_TRACE(std::string(name) + ", buffer " + std::to_string(size));
      HFILE byteWise = _lopen(kFile, OF_READ);
      HFILE blockWise = _lopen(kFile, OF_READ);
      ASSERT_NE(byteWise, HFILE_ERROR);
      BlockReader reader(blockWise, 0, block_.data());
      std::vector<char> expected(static_cast<size_t>(size), '#');
      std::vector<char> got(static_cast<size_t>(size), '#');
      LONG before = 0;
      for (int line = 0;; ++line) {
        ASSERT_LE(static_cast<size_t>(line), content.size()) << "no end";
        int expectedResult = ReadTextLine(expected.data(), size, byteWise);
        int result = reader.ReadTextLine(got.data(), size);
        LONG position = _llseek(byteWise, 0, FILE_CURRENT);
        ASSERT_EQ(result, expectedResult) << "line " << line;
        ASSERT_EQ(reader.Position(), position) << "line " << line;
        // The bytes stored and the terminating zero after them.
        size_t stored = static_cast<size_t>(position - before) + 1;
        ASSERT_EQ(std::memcmp(got.data(), expected.data(), stored), 0) << "line " << line;
        before = position;
        if (result == 0) break;
      }
      EXPECT_FALSE(reader.Failed());
      _lclose(byteWise);
      _lclose(blockWise);
    }
  }
}

// As the rewrite reads: the whole lines of each block where they lie, the
// line across the block's end into a buffer. Together they are the file,
// line for line.
TEST_F(BlockFileTest, WholeLinesAndTheLineAcrossMakeTheFile) {
  for (const auto& [name, content] : Inputs()) {
    SCOPED_TRACE(name);
    Put(content);
    HFILE file = _lopen(kFile, OF_READ);
    BlockReader reader(file, 0, block_.data());
    std::vector<char> line(4 * kBlock);
    std::string read;
    for (int step = 0;; ++step) {
      ASSERT_LE(static_cast<size_t>(step), content.size()) << "no end";
      const char* lines = nullptr;
      int taken = reader.TakeWholeLines(&lines);
      if (taken > 0) {
        EXPECT_EQ(lines[taken - 1], '\n') << "a line cut short at " << read.size();
        read.append(lines, static_cast<size_t>(taken));
        EXPECT_EQ(reader.Position(), static_cast<LONG>(read.size()));
        continue;
      }
      LONG before = reader.Position();
      int result = reader.ReadTextLine(line.data(), static_cast<int>(line.size()));
      ASSERT_NE(result, kLineTooLong);
      read.append(line.data(), static_cast<size_t>(reader.Position() - before));
      if (result == 0) break;
      EXPECT_EQ(read.back(), '\n');
    }
    EXPECT_EQ(read == content, true) << read.size() << " of " << content.size() << " bytes";
    EXPECT_FALSE(reader.Failed());
    _lclose(file);
  }
}

// A failed read is told apart from the end of the file.
TEST_F(BlockFileTest, FailedReadIsNotTheEnd) {
  Put(Line(kBlock + 100, 'a') + "b\n");
  HFILE file = _lopen(kFile, OF_READ);
  BlockReader reader(file, 0, block_.data());
  std::vector<char> line(2 * kBlock);
  host::FailSyscall(host::Syscall::Read, 2);
  EXPECT_EQ(reader.ReadTextLine(line.data(), static_cast<int>(line.size())), 0);
  EXPECT_TRUE(reader.Failed());
  EXPECT_EQ(reader.Position(), static_cast<LONG>(kBlock));
  const char* bytes = nullptr;
  EXPECT_EQ(reader.Take(&bytes, 10), 0);
  _lclose(file);
}

TEST_F(BlockFileTest, SeekAndTakeGiveTheFileBytes) {
  std::string content;
  for (size_t i = 0; i < 3 * kBlock; ++i) content += static_cast<char>('a' + i % 23);
  Put(content);
  HFILE file = _lopen(kFile, OF_READ);
  BlockReader reader(file, 0, block_.data());
  struct Case {
    LONG offset;
    int count;
  } cases[] = {{0, 10},
               {static_cast<LONG>(kBlock) - 5, 20},
               {5, static_cast<int>(2 * kBlock)},
               {static_cast<LONG>(3 * kBlock) - 3, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    ASSERT_TRUE(reader.SeekTo(c.offset));
    std::string taken;
    const char* bytes = nullptr;
    for (int piece; taken.size() < static_cast<size_t>(c.count) &&
                    (piece = reader.Take(&bytes, c.count - static_cast<int>(taken.size()))) > 0;) {
      taken.append(bytes, static_cast<size_t>(piece));
    }
    EXPECT_EQ(taken, content.substr(static_cast<size_t>(c.offset), static_cast<size_t>(c.count)));
    EXPECT_EQ(reader.Position(), c.offset + static_cast<LONG>(taken.size()));
  }
  host::FailSyscall(host::Syscall::Seek, 1);
  EXPECT_FALSE(reader.SeekTo(7));
  EXPECT_TRUE(reader.Failed());
  _lclose(file);
}

// Small pieces are gathered, a piece of a block or more goes out whole; a
// failed write keeps what went out before it, a prefix, and stops the writer.
TEST_F(BlockFileTest, WriterWritesEveryByteOnce) {
  std::string content;
  for (size_t i = 0; i < 3 * kBlock + 7; ++i) content += static_cast<char>('A' + i % 26);
  struct Case {
    const char* name;
    size_t piece;      // bytes handed to each Write
    int failingWrite;  // 0: none
  } cases[] = {{"small pieces", 100, 0},
               {"block-sized pieces", kBlock, 0},
               {"larger pieces", 2 * kBlock + 1, 0},
               {"first write fails", 100, 1},
               {"second write fails", 100, 2},
               {"last write fails", 100, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HFILE file = _lcreat(kFile, 0);
    if (c.failingWrite > 0) host::FailSyscall(host::Syscall::Write, c.failingWrite);
    BlockWriter writer(file, block_.data());
    bool ok = true;
    for (size_t at = 0; at < content.size(); at += c.piece) {
      size_t count = std::min(c.piece, content.size() - at);
      ok = writer.Write(content.data() + at, static_cast<int>(count)) && ok;
    }
    ok = writer.Flush() && ok;
    host::ClearFaults();
    EXPECT_EQ(ok, c.failingWrite == 0);
    if (c.failingWrite > 0) {
      EXPECT_FALSE(writer.Write("x", 1)) << "a failed writer writes on";
    }
    _lclose(file);
    std::string written = machine_.Read("c/windows/lines.txt");
    if (c.failingWrite == 0) {
      EXPECT_EQ(written == content, true) << written.size() << " bytes";
    } else {
      EXPECT_LT(written.size(), content.size());
      EXPECT_EQ(content.compare(0, written.size(), written), 0);
      EXPECT_EQ(written.empty(), c.failingWrite == 1);
    }
  }
}

}  // namespace
