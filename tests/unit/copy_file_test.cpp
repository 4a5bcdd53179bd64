// Paths, the checked LZ copy, and the verified backups and their restore.
#include "installer/copy_file.h"

#include <gtest/gtest.h>

#include <string>

#include "host/syscalls.h"
#include "unit/install_support.h"

namespace {

using install_support::InstallMachine;

class CopyFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(machine_.Open()); }
  void TearDown() override { host::ClearFaults(); }
  InstallMachine machine_;
};

// A 16-byte buffer holds 15 characters.
TEST_F(CopyFileTest, JoinPathPutsOneBackslashAndFitsTheBuffer) {
  struct Case {
    const char* directory;
    const char* name;
    const char* expected;  // null: does not fit
  };
  for (const Case& c : {Case{"C:\\WINDOW", "WIN.I", "C:\\WINDOW\\WIN.I"},  // 15: fits
                        Case{"C:\\WINDOW", "WIN.IN", nullptr},             // 16: one over
                        Case{"C:\\", "WIN.INI", "C:\\WIN.INI"},            // a root
                        Case{"C:\\WINDO\\", "WIN.I", "C:\\WINDO\\WIN.I"},  // own backslash
                        Case{"C:\\WINDOW\\", "WIN.IN", nullptr}}) {
    SCOPED_TRACE(std::string(c.directory) + " + " + c.name);
    char path[16] = "untouched";
    BOOL joined = JoinPath(path, sizeof path, c.directory, c.name);
    EXPECT_EQ(joined != FALSE, c.expected != nullptr);
    EXPECT_STREQ(path, c.expected != nullptr ? c.expected : "");
  }
}

TEST_F(CopyFileTest, BackupIsVerifiedAndRestoreMakesTheOriginalAgain) {
  const std::string original = std::string("[boot]\r\n\0shell=x\r\n", 19) + std::string(3000, 'o');
  machine_.Write("c/windows/system.ini", original);
  ASSERT_EQ(BackupFile("C:\\windows\\system.ini", "C:\\windows\\system.kyr"), kBackupDone);
  EXPECT_EQ(machine_.Read("c/windows/system.kyr"), original);

  // Restore over a longer and over a shorter file.
  for (const std::string& changed : {original + std::string(700, 'n'), std::string("short")}) {
    machine_.Write("c/windows/system.ini", changed);
    EXPECT_TRUE(RestoreFile("C:\\windows\\system.kyr", "C:\\windows\\system.ini"));
    EXPECT_EQ(machine_.Read("c/windows/system.ini"), original);
  }
  EXPECT_TRUE(FilesMatch("C:\\windows\\system.ini", "C:\\windows\\system.kyr"));
  machine_.Write("c/windows/system.ini", original.substr(0, original.size() - 1) + "O");
  EXPECT_FALSE(FilesMatch("C:\\windows\\system.ini", "C:\\windows\\system.kyr"));
}

TEST_F(CopyFileTest, BackupWithoutOriginalOrWithFailedCopyIsNotDone) {
  EXPECT_EQ(BackupFile("C:\\windows\\missing.ini", "C:\\windows\\missing.kyr"), kBackupNoOriginal);
  machine_.Write("c/windows/system.ini", std::string(2000, 's'));
  // A full disk part-way through the backup's copy.
  host::SetDiskFree(1000);
  EXPECT_EQ(BackupFile("C:\\windows\\system.ini", "C:\\windows\\system.kyr"), kBackupFailed);
  host::ClearFaults();
  // A read that fails while the backup is compared with its original.
  for (int n = 1; n < 40; ++n) {
    host::FailSyscall(host::Syscall::Read, n);
    BackupResult result = BackupFile("C:\\windows\\system.ini", "C:\\windows\\system.kyr");
    host::ClearFaults();
    if (result == kBackupDone) {
      EXPECT_GT(n, 8);  // 2000 bytes: 4 reads to copy, 8 more to compare
      EXPECT_EQ(machine_.Read("c/windows/system.kyr"), std::string(2000, 's'));
      break;
    }
    EXPECT_EQ(result, kBackupFailed) << n;
  }
}

TEST_F(CopyFileTest, ExpandCopiesPlainAndCompressedSources) {
  const std::string content = install_support::SourceContent("kyr.386");
  for (bool compressed : {false, true}) {
    SCOPED_TRACE(compressed);
    machine_.Write("c/kyrdrv/source.bin",
                   compressed ? install_support::Compress(content) : content);
    HFILE source = _lopen("C:\\KYRDRV\\source.bin", OF_READ);
    ASSERT_NE(source, HFILE_ERROR);
    EXPECT_EQ(ExpandOpenedFile(source, "C:\\KYRDRV\\target.bin"), kExpandDone);
    _lclose(source);
    EXPECT_EQ(machine_.Read("c/kyrdrv/target.bin"), content);
  }
  HFILE source = _lopen("C:\\KYRDRV\\source.bin", OF_READ);
  host::SetDiskFree(100);
  EXPECT_EQ(ExpandOpenedFile(source, "C:\\KYRDRV\\full.bin"), kExpandFailed);
  host::ClearFaults();
  host::FailOpenOf("C:\\KYRDRV\\refused.bin");
  EXPECT_EQ(ExpandOpenedFile(source, "C:\\KYRDRV\\refused.bin"), kExpandNoTarget);
  _lclose(source);
}

}  // namespace
