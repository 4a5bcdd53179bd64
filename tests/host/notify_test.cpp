#include "host_fixture.h"
#include "winapi.h"

namespace {

std::vector<UINT> received;
LRESULT CALLBACK Receiver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_FONTCHANGE || message == WM_SETTINGCHANGE || message == WM_USER)
    received.push_back(message);
  if (message == WM_USER) return 77;
  return DefWindowProcA(window, message, wParam, lParam);
}

class NotifyTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Open();
    received.clear();
    WNDCLASSA c{};
    c.lpfnWndProc = Receiver;
    c.lpszClassName = "Receiver";
    RegisterClassA(&c);
  }
};

TEST_F(NotifyTest, FontBroadcastAndRestartAreRecorded) {
  HWND top = CreateWindowExA(0, "Receiver", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  CreateWindowExA(0, "Receiver", "", WS_CHILD, 0, 0, 1, 1, top, nullptr, nullptr, nullptr);
  Write("c/BCFONT.FON", "MZ");
  EXPECT_EQ(AddFontResourceA("BCFONT.FON"), 1);
  DWORD_PTR result = 99;
  EXPECT_TRUE(
      SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 1000, &result));
  EXPECT_TRUE(
      SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_NORMAL, 1000, nullptr));
  EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT, 0));
  EXPECT_EQ(Transcript(), (std::vector<std::string>{"font load \"BCFONT.FON\"", "broadcast 29",
                                                    "broadcast 26", "restart"}));
  // The top-level window got both; its child none.
  EXPECT_EQ(received, (std::vector<UINT>{WM_FONTCHANGE, WM_SETTINGCHANGE}));
  EXPECT_EQ(AddFontResourceA(""), 0);
  // A file that is not there adds no font, though the attempt is recorded.
  EXPECT_EQ(AddFontResourceA("C:\\MISSING.FON"), 0);
  EXPECT_EQ(Transcript().back(), "font load \"C:\\MISSING.FON\"");
}

TEST_F(NotifyTest, SendMessageTimeoutToOneWindow) {
  HWND top = CreateWindowExA(0, "Receiver", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DWORD_PTR result = 0;
  EXPECT_TRUE(SendMessageTimeoutA(top, WM_USER, 0, 0, SMTO_NORMAL, 100, &result));
  EXPECT_EQ(result, 77u);
  EXPECT_FALSE(SendMessageTimeoutA(reinterpret_cast<HWND>(0x4444), WM_USER, 0, 0, 0, 100, &result));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_TRUE(Transcript().empty());
}

}  // namespace
