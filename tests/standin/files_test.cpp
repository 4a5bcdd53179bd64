// Single files and directories: copies with expansion, removal, backups,
// the file-open search, writability and the restart list.
#include <cstring>
#include <string>
#include <vector>

#include "host/syscalls.h"
#include "standin_fixture.h"
#include "toolkit/toolkit_api.h"

namespace {

const int kSingleFile = 2;

class FilesTest : public StandinTest {};

TEST_F(FilesTest, ACompressedSourceIsExpandedAndAPlainOneCopied) {
  Write("C:\\PKG\\PLAIN.TX_", Fixture("compressed_plain.tx_"));
  Write("C:\\PKG\\LARGE.BI_", Fixture("compressed_large.bi_"));
  Write("C:\\PKG\\LARGE.BIN", Fixture("large.bin"));
  ASSERT_TRUE(FCopyOneFile("C:\\PKG\\PLAIN.TX_", "C:\\DEST\\PLAIN.TXT", kSingleFile, FALSE));
  ASSERT_TRUE(FCopyOneFile("C:\\PKG\\LARGE.BI_", "C:\\DEST\\LARGE.BIN", kSingleFile, FALSE));
  ASSERT_TRUE(FCopyOneFile("C:\\PKG\\LARGE.BIN", "C:\\DEST\\COPY.BIN", kSingleFile, FALSE));
  EXPECT_EQ(Read("C:\\DEST\\PLAIN.TXT"), Fixture("plain.txt"));
  EXPECT_EQ(Read("C:\\DEST\\LARGE.BIN"), Fixture("large.bin"));
  EXPECT_EQ(Read("C:\\DEST\\COPY.BIN"), Fixture("large.bin"));
  EXPECT_EQ(TranscriptOf("file").front(),
            "file copy \"C:\\PKG\\PLAIN.TX_\" \"C:\\DEST\\PLAIN.TXT\"");
}

TEST_F(FilesTest, AppendAddsToWhatTheDestinationHolds) {
  Write("C:\\PKG\\PLAIN.TX_", Fixture("compressed_plain.tx_"));
  Write("C:\\DEST\\LOG.TXT", "before\r\n");
  ASSERT_TRUE(FCopyOneFile("C:\\PKG\\PLAIN.TX_", "C:\\DEST\\LOG.TXT", kSingleFile, TRUE));
  ASSERT_TRUE(FCopyOneFile("C:\\PKG\\PLAIN.TX_", "C:\\DEST\\NEW.TXT", kSingleFile, TRUE));
  EXPECT_EQ(Read("C:\\DEST\\LOG.TXT"), "before\r\n" + Fixture("plain.txt"));
  EXPECT_EQ(Read("C:\\DEST\\NEW.TXT"), Fixture("plain.txt"));
}

TEST_F(FilesTest, WithoutTheSingleFileBitADirectoryTakesTheSourcesName) {
  Write("C:\\PKG\\README.TXT", "read me");
  ASSERT_TRUE(FCopyOneFile("C:\\PKG\\README.TXT", "C:\\DEST", 0, FALSE));
  EXPECT_EQ(Read("C:\\DEST\\README.TXT"), "read me");
  // With the bit, a directory is the destination itself: it cannot be written.
  EXPECT_FALSE(FCopyOneFile("C:\\PKG\\README.TXT", "C:\\DEST", kSingleFile, FALSE));
}

TEST_F(FilesTest, AFailedCopyLeavesNoDestination) {
  Write("C:\\PKG\\BAD.TX_", Fixture("bad_method.tx_"));
  Write("C:\\DEST\\KEEP.TXT", "kept");
  Write("C:\\PKG\\PLAIN.TXT", Fixture("plain.txt"));
  EXPECT_FALSE(FCopyOneFile("C:\\PKG\\BAD.TX_", "C:\\DEST\\BAD.TXT", kSingleFile, FALSE));
  EXPECT_FALSE(Exists("C:\\DEST\\BAD.TXT"));
  EXPECT_FALSE(FCopyOneFile("C:\\PKG\\BAD.TX_", "C:\\DEST\\KEEP.TXT", kSingleFile, TRUE));
  EXPECT_EQ(Read("C:\\DEST\\KEEP.TXT"), "kept");
  EXPECT_FALSE(FCopyOneFile("C:\\PKG\\MISSING", "C:\\DEST\\X", kSingleFile, FALSE));
  EXPECT_FALSE(Exists("C:\\DEST\\X"));
  host::SetDiskFree(10);
  EXPECT_FALSE(FCopyOneFile("C:\\PKG\\PLAIN.TXT", "C:\\DEST\\FULL.TXT", kSingleFile, FALSE));
  EXPECT_FALSE(Exists("C:\\DEST\\FULL.TXT"));
  EXPECT_EQ(TranscriptOf("file"), std::vector<std::string>{});
}

TEST_F(FilesTest, RemovalAndBackup) {
  Write("C:\\WINDOWS\\SYSTEM.INI", "[boot]\r\n");
  Write("C:\\PKG\\PACKED.TX_", Fixture("compressed_plain.tx_"));
  EXPECT_EQ(YnrcBackupFile("C:\\WINDOWS\\SYSTEM.INI", "SYSTEM.KYR", 0), 1);
  EXPECT_EQ(Read("C:\\WINDOWS\\SYSTEM.KYR"), "[boot]\r\n");
  // A backup keeps the bytes as they are: never expanded.
  EXPECT_EQ(YnrcBackupFile("C:\\PKG\\PACKED.TX_", "C:\\DEST\\PACKED.BAK", 0), 1);
  EXPECT_EQ(Read("C:\\DEST\\PACKED.BAK"), Fixture("compressed_plain.tx_"));
  EXPECT_EQ(YnrcBackupFile("C:\\PKG\\MISSING.INI", "MISSING.BAK", 0), 0);

  EXPECT_NE(YnrcRemoveFile("C:\\WINDOWS\\SYSTEM.KYR", 0), 0);
  EXPECT_FALSE(Exists("C:\\WINDOWS\\SYSTEM.KYR"));
  EXPECT_NE(YnrcRemoveFile("C:\\WINDOWS\\SYSTEM.KYR", 0), 0);  // gone already
  EXPECT_EQ(YnrcRemoveFile("C:\\DEST", 0), 0);                 // a directory is no file
  EXPECT_EQ(TranscriptOf("file"),
            (std::vector<std::string>{
                "file backup \"C:\\WINDOWS\\SYSTEM.INI\" \"C:\\WINDOWS\\SYSTEM.KYR\"",
                "file backup \"C:\\PKG\\PACKED.TX_\" \"C:\\DEST\\PACKED.BAK\"",
                "file remove \"C:\\WINDOWS\\SYSTEM.KYR\"",
            }));
}

TEST_F(FilesTest, DirectoriesAreRemovedOnlyWhenEmpty) {
  Write("C:\\DEST\\SUB\\FILE.TXT", "x");
  EXPECT_FALSE(FRemoveDir("C:\\DEST\\SUB", 0));
  EXPECT_TRUE(Exists("C:\\DEST\\SUB\\FILE.TXT"));
  EXPECT_NE(YnrcRemoveFile("C:\\DEST\\SUB\\FILE.TXT", 0), 0);
  EXPECT_TRUE(FRemoveDir("C:\\DEST\\SUB", 0));
  EXPECT_FALSE(Exists("C:\\DEST\\SUB"));
  EXPECT_TRUE(FRemoveDir("C:\\DEST\\SUB", 0));  // gone already
  Write("C:\\WINDOWS\\WIN.INI", "");
  EXPECT_FALSE(FRemoveDir("C:\\WINDOWS\\WIN.INI", 0));  // a file is no directory
  EXPECT_EQ(TranscriptOf("dir"), (std::vector<std::string>{"dir remove \"C:\\DEST\\SUB\""}));
}

TEST_F(FilesTest, FindFileAnswersFoundNotFoundOrTooLong) {
  Write("C:\\PKG\\SETUP.INF", "[x]\n");
  struct Case {
    const char* file;
    int size;
    int expected;
    const char* text;
  } cases[] = {
      {"C:\\PKG\\SETUP.INF", 17, 0, "C:\\PKG\\SETUP.INF"},  // exact fit
      {"C:\\PKG\\SETUP.INF", 16, 2, " sentinel"},           // one short: an error
      {"C:\\PKG\\NONE.INF", 64, 1, " sentinel"},
      {"C:\\PKG", 64, 1, " sentinel"},  // a directory is not the file
  };
  for (const Case& c : cases) {
    char buffer[64];
    std::strcpy(buffer, " sentinel");
    EXPECT_EQ(WFindFileUsingFileOpen(c.file, buffer, c.size), c.expected)
        << c.file << " " << c.size;
    EXPECT_STREQ(buffer, c.text) << c.file << " " << c.size;
  }
  StandinSetResult("WFindFileUsingFileOpen", 5, 2);  // the next call
  char buffer[64];
  EXPECT_EQ(WFindFileUsingFileOpen("C:\\PKG\\NONE.INF", buffer, sizeof buffer), 2);
}

TEST_F(FilesTest, AFileIsWritableWhenItOrItsDirectoryMayBeWritten) {
  Write("C:\\PKG\\RW.TXT", "x");
  Write("C:\\PKG\\RO.TXT", "x");
  std::filesystem::permissions(host::NativePath("C:\\PKG\\RO.TXT"),
                               std::filesystem::perms::owner_read);
  std::filesystem::create_directories(Machine() + "/c/locked");
  std::filesystem::permissions(Machine() + "/c/locked", std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_exec);
  struct Case {
    const char* file;
    BOOL writable;
  } cases[] = {
      {"C:\\PKG\\RW.TXT", TRUE},
      {"C:\\PKG\\RO.TXT", FALSE},
      {"C:\\PKG\\NEW.TXT", TRUE},
      {"C:\\NODIR\\NEW.TXT", FALSE},
      {"C:\\LOCKED\\NEW.TXT", FALSE},
      {"C:\\PKG", FALSE},
      {"", FALSE},
  };
  for (const Case& c : cases) EXPECT_EQ(FIsFileWritable(c.file), c.writable) << c.file;
  EXPECT_FALSE(Exists("C:\\PKG\\NEW.TXT"));  // asked, not created
  std::filesystem::permissions(Machine() + "/c/locked", std::filesystem::perms::owner_all);
}

TEST_F(FilesTest, ADestinationInUseWaitsForTheRestart) {
  Write("C:\\PKG\\PLAIN.TX_", Fixture("compressed_plain.tx_"));
  Write("C:\\WINDOWS\\SYSTEM\\BUSY.DLL", "old");
  host::FailOpenOf("C:\\WINDOWS\\SYSTEM\\BUSY.DLL");
  EXPECT_FALSE(FCopyOneFile("C:\\PKG\\PLAIN.TX_", "C:\\WINDOWS\\SYSTEM\\BUSY.DLL", 2, FALSE));
  EXPECT_TRUE(FRestartListEmpty());
  std::filesystem::create_directories(Machine() + "/c/windows/restart");
  ASSERT_TRUE(FSetRestartDir("C:\\WINDOWS\\RESTART"));
  EXPECT_TRUE(FCopyOneFile("C:\\PKG\\PLAIN.TX_", "C:\\WINDOWS\\SYSTEM\\BUSY.DLL", 2, FALSE));
  EXPECT_FALSE(FRestartListEmpty());
  EXPECT_EQ(Read("C:\\WINDOWS\\SYSTEM\\BUSY.DLL"), "old");
  EXPECT_EQ(Read("C:\\WINDOWS\\RESTART\\RST00000.TMP"), Fixture("plain.txt"));
  EXPECT_TRUE(FExitExecRestart());
  EXPECT_FALSE(FSetRestartDir("C:\\NO\\SUCH\\DIR"));
  EXPECT_EQ(TranscriptOf("restart"),
            (std::vector<std::string>{"restart dir \"C:\\WINDOWS\\RESTART\"", "restart exec 1"}));
  EXPECT_EQ(TranscriptOf("file defer"),
            (std::vector<std::string>{
                "file defer \"C:\\PKG\\PLAIN.TX_\" \"C:\\WINDOWS\\SYSTEM\\BUSY.DLL\""}));
}

TEST_F(FilesTest, StampsAreRecordedAgainstAnExistingFile) {
  Write("C:\\DEST\\APP.EXE", "MZ");
  char data[] = "serial";
  EXPECT_TRUE(FStampResource("Files", "app", "C:\\DEST\\APP.EXE", 106, 200, data, 6));
  EXPECT_FALSE(FStampResource("Files", "app", "C:\\DEST\\NONE.EXE", 106, 200, data, 6));
  EXPECT_EQ(Read("C:\\DEST\\APP.EXE"), "MZ");
  EXPECT_EQ(TranscriptOf("resource"),
            (std::vector<std::string>{"resource stamp \"C:\\DEST\\APP.EXE\" 106 200"}));
}

}  // namespace
