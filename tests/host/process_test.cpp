#include <cstdio>

#include "host/syscalls.h"
#include "host/user_agent.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

class ScriptedUser : public host::UserAgent {
 public:
  std::string AnswerPage(int, std::string*) override { return "CONTINUE"; }
  int AnswerMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override {
    asked.push_back(text + "|" + caption + "|" + std::to_string(style));
    return answer;
  }
  host::DialogAnswer AnswerDialog(const std::string&) override { return {}; }
  std::vector<std::string> asked;
  int answer = IDOK;
};

class ProcessTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Open();
    host::SetUserAgent(&user_);
  }
  void TearDown() override {
    host::SetUserAgent(nullptr);
    MachineTest::TearDown();
  }
  ScriptedUser user_;
};

TEST_F(ProcessTest, MessageBoxIsRecordedAndAnswered) {
  user_.answer = IDCANCEL;
  EXPECT_EQ(MessageBoxA(nullptr, "Can not open kyroth.ini,installation failed.", "ERROR", MB_OK),
            IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "Buffer Overflow", "MS-Setup Error", MB_ICONHAND), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, 0x40), IDCANCEL);
  EXPECT_EQ(Transcript(),
            (std::vector<std::string>{
                "msgbox \"Can not open kyroth.ini,installation failed.\" \"ERROR\" 0",
                "msgbox \"Buffer Overflow\" \"MS-Setup Error\" 16", "msgbox \"\" \"Error\" 64"}));
  EXPECT_EQ(user_.asked.size(), 3u);
  EXPECT_EQ(user_.asked[1], "Buffer Overflow|MS-Setup Error|16");
}

TEST_F(ProcessTest, ExitProcessRecordsAndEnds) {
  EXPECT_EXIT(
      {
        std::printf("unflushed");
        ExitProcess(3);
      },
      ::testing::ExitedWithCode(3), "");
  EXPECT_EQ(Transcript(), (std::vector<std::string>{"exit 3"}));
}

struct ProcessEnded {
  int status;
};
[[noreturn]] void ThrowingExit(int status) { throw ProcessEnded{status}; }

// ExitProcess does its own work (the transcript line), then ends the process
// through the table: a replacement that throws lets the caller live on.
TEST_F(ProcessTest, ExitProcessEndsThroughTheTable) {
  ASSERT_TRUE(host::SetSyscall("_exit", reinterpret_cast<host::SyscallPointer>(ThrowingExit)));
  int status = -1;
  try {
    ExitProcess(3);
  } catch (const ProcessEnded& end) {
    status = end.status;
  }
  host::SetSyscall("_exit", nullptr);
  EXPECT_EQ(status, 3);
  EXPECT_EQ(Transcript(), (std::vector<std::string>{"exit 3"}));
}

TEST_F(ProcessTest, ErrorModeAndLastError) {
  EXPECT_EQ(SetErrorMode(SEM_FAILCRITICALERRORS), 0u);
  EXPECT_EQ(SetErrorMode(0), static_cast<UINT>(SEM_FAILCRITICALERRORS));
  SetLastError(ERROR_DISK_FULL);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
}

}  // namespace
