// The log file and the PATH line of a batch file.
#include <string>
#include <vector>

#include "host/syscalls.h"
#include "standin_fixture.h"
#include "toolkit/toolkit_api.h"

namespace {

class LogFileTest : public StandinTest {};

TEST_F(LogFileTest, TextsAreAppendedAsTheyCome) {
  Write("C:\\DEST\\SETUP.LOG", "old run\r\n");
  ASSERT_TRUE(FOpenLogFile("C:\\DEST\\SETUP.LOG", TRUE));
  ASSERT_TRUE(FWriteToLogFile("first", TRUE));
  ASSERT_TRUE(FWriteToLogFile("part ", FALSE));
  ASSERT_TRUE(FWriteToLogFile("two", TRUE));
  EXPECT_EQ(Read("C:\\DEST\\SETUP.LOG"), "old run\r\nfirst\r\npart two\r\n");
  ASSERT_TRUE(FCloseLogFile());
  EXPECT_FALSE(FWriteToLogFile("after close", TRUE));
  EXPECT_FALSE(FCloseLogFile());
  // Without append the log starts empty.
  ASSERT_TRUE(FOpenLogFile("C:\\DEST\\SETUP.LOG", FALSE));
  ASSERT_TRUE(FWriteToLogFile("new", TRUE));
  EXPECT_EQ(Read("C:\\DEST\\SETUP.LOG"), "new\r\n");
  EXPECT_EQ(TranscriptOf("log"),
            (std::vector<std::string>{"log open \"C:\\DEST\\SETUP.LOG\"", "log \"first\"",
                                      "log \"part \"", "log \"two\"", "log close",
                                      "log open \"C:\\DEST\\SETUP.LOG\"", "log \"new\""}));
}

TEST_F(LogFileTest, ALogThatCannotBeWrittenFails) {
  EXPECT_FALSE(FOpenLogFile("C:\\NO\\SUCH\\DIR\\SETUP.LOG", FALSE));
  EXPECT_FALSE(FWriteToLogFile("nowhere", TRUE));
  ASSERT_TRUE(FOpenLogFile("C:\\DEST\\SETUP.LOG", FALSE));
  host::SetDiskFree(3);
  EXPECT_FALSE(FWriteToLogFile("longer than three", TRUE));
  EXPECT_EQ(Read("C:\\DEST\\SETUP.LOG"), "");
}

class BatchPathTest : public StandinTest {};

TEST_F(BatchPathTest, TheDirectoryGoesInFrontOfTheLastAssignment) {
  struct Case {
    const char* before;
    const char* variable;
    const char* after;
  } cases[] = {
      {"@ECHO OFF\r\nSET PATH=C:\\DOS\r\nWIN\r\n", "PATH",
       "@ECHO OFF\r\nSET PATH=C:\\KYR;C:\\DOS\r\nWIN\r\n"},
      {"PATH C:\\DOS;C:\\WINDOWS\r\n", "PATH", "SET PATH=C:\\KYR;C:\\DOS;C:\\WINDOWS\r\n"},
      {"path=C:\\DOS\n", "PATH", "SET PATH=C:\\KYR;C:\\DOS\n"},
      {"SET PATH=C:\\A\r\nset path = C:\\B\r\n", "PATH",
       "SET PATH=C:\\A\r\nSET PATH=C:\\KYR;C:\\B\r\n"},
      {"SET PATH=c:\\kyr;C:\\DOS\r\n", "PATH", "SET PATH=c:\\kyr;C:\\DOS\r\n"},  // there already
      {"SET PATHEXT=.COM\r\nPATHS\r\n", "PATH",
       "SET PATHEXT=.COM\r\nPATHS\r\nSET PATH=C:\\KYR;%PATH%\r\n"},
      {"SET TEMP=C:\\TEMP", "KYRLIB", "SET TEMP=C:\\TEMP\r\nSET KYRLIB=C:\\KYR;%KYRLIB%\r\n"},
      {"SET KYRLIB=\r\n", "KYRLIB", "SET KYRLIB=C:\\KYR\r\n"},
      {"PATH   \r\n", "PATH", "SET PATH=C:\\KYR\r\n"},
  };
  for (const Case& c : cases) {
    Write("C:\\AUTOEXEC.BAT", c.before);
    EXPECT_TRUE(FPrependToPath("C:\\AUTOEXEC.BAT", c.variable, "C:\\KYR", 0)) << c.before;
    EXPECT_EQ(Read("C:\\AUTOEXEC.BAT"), c.after) << c.before;
  }
}

TEST_F(BatchPathTest, AMissingBatchFileIsCreated) {
  EXPECT_TRUE(FPrependToPath("C:\\AUTOEXEC.BAT", "PATH", "C:\\KYR", 0));
  EXPECT_EQ(Read("C:\\AUTOEXEC.BAT"), "SET PATH=C:\\KYR;%PATH%\r\n");
  EXPECT_FALSE(FPrependToPath("C:\\AUTOEXEC.BAT", "", "C:\\KYR", 0));
  EXPECT_FALSE(FPrependToPath("C:\\NO\\DIR\\AUTOEXEC.BAT", "PATH", "C:\\KYR", 0));
  EXPECT_EQ(TranscriptOf("path"),
            (std::vector<std::string>{"path prepend \"C:\\AUTOEXEC.BAT\" \"PATH\" \"C:\\KYR\""}));
}

}  // namespace
