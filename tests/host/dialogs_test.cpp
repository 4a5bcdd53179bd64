// The host's dialogs: templates from a module's compiled resources, the modal
// loop driven by the user agent, dialog items, list boxes, focus and
// placement.

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "host/loader.h"
#include "host/src/resources/module_resources.h"
#include "host/src/user32/window_table.h"
#include "host/user_agent.h"
#include "host_fixture.h"
#include "support/dialog_user.h"
#include "winapi.h"

namespace {

// tests/host/fixtures/test_dialogs.rc and installer/setup.rc, compiled.
extern "C" const unsigned char TestDialogResources[];
extern "C" const unsigned long TestDialogResourcesSize;
extern "C" const unsigned char SetupResources[];
extern "C" const unsigned long SetupResourcesSize;

// What the test dialog procedure saw, and how it answers.
struct Seen {
  UINT message;
  WPARAM wParam;
};
std::vector<Seen> seen;
INT_PTR initAnswer = TRUE;
int clicksToEnd = 1;
bool endInInit = false;

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      seen.push_back({message, wParam});
      for (const char* text : {"b", "a", "c"})
        SendDlgItemMessageA(dialog, 4, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      if (endInInit) EndDialog(dialog, 77);
      return initAnswer;
    case WM_COMMAND:
      seen.push_back({message, wParam});
      if (LOWORD(wParam) == 1 && --clicksToEnd == 0)
        EndDialog(dialog, 100 + SendDlgItemMessageA(dialog, 4, LB_GETCURSEL, 0, 0));
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

class DialogTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    host::ResetDialogs();
    Open();
    instance_ = host::RegisterLinkedModule("C:\\KYRDRV\\TESTDLG.DLL");
    host::res::RegisterResources(instance_, TestDialogResources, TestDialogResourcesSize);
    host::SetUserAgent(&user_);
    seen.clear();
    initAnswer = TRUE;
    clicksToEnd = 1;
    endInInit = false;
  }
  void TearDown() override {
    host::SetUserAgent(nullptr);
    host::ResetDialogs();
    MachineTest::TearDown();
  }

  HWND Modeless(LPCSTR name = "T", HWND owner = nullptr) {
    return CreateDialogParamA(instance_, name, owner, TestDialogProc, 0);
  }

  static host::windows::Window* W(HWND window) { return host::windows::Find(window); }

  HINSTANCE instance_ = nullptr;
  ScriptedDialogUser user_{1};
};

TEST_F(DialogTest, ModalDialogSelectsClicksAndAnswersTheEndDialogResult) {
  user_.answers = {{1, 1}};
  HWND during = nullptr;
  user_.whileWaiting = [&] { during = GetFocus() != nullptr ? W(GetFocus())->parent : nullptr; };
  INT_PTR result = DialogBoxParamA(instance_, "t", nullptr, TestDialogProc, 0);
  EXPECT_EQ(result, 101) << "100 + the list position selected";
  EXPECT_EQ(user_.asked, std::vector<std::string>{"T"});
  ASSERT_NE(during, nullptr);
  EXPECT_FALSE(IsWindow(during)) << "the modal loop destroys the dialog";
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_INITDIALOG));
  EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(seen[1].wParam, 0x10004u) << "LBN_SELCHANGE from list box 4";
  EXPECT_EQ(seen[2].wParam, 1u) << "BN_CLICKED from button 1";
  std::vector<std::string> expected = {"dialog show T", "listbox 4 add \"b\"",
                                       "listbox 4 add \"a\"", "listbox 4 add \"c\"",
                                       "dialog end T 101"};
  EXPECT_EQ(Transcript(), expected);
}

TEST_F(DialogTest, TheUserIsAskedAgainUntilTheDialogEnds) {
  clicksToEnd = 2;
  user_.answers = {{host::DialogAnswer::kNoSelection, 1}, {host::DialogAnswer::kNoSelection, 1}};
  EXPECT_EQ(DialogBoxParamA(instance_, "T", nullptr, TestDialogProc, 0), 100 + LB_ERR)
      << "no selection";
  EXPECT_EQ(user_.asked.size(), 2u);
  EXPECT_TRUE(user_.answers.empty());
}

TEST_F(DialogTest, EndDialogDuringInitialisationNeedsNoUser) {
  endInInit = true;
  EXPECT_EQ(DialogBoxParamA(instance_, "T", nullptr, TestDialogProc, 0), 77);
  EXPECT_TRUE(user_.asked.empty());
  EXPECT_TRUE(host::windows::TopLevelWindows().empty());
}

TEST_F(DialogTest, AQuitMessageEndsTheModalLoopAndStaysQueued) {
  PostQuitMessage(5);
  EXPECT_EQ(DialogBoxParamA(instance_, "T", nullptr, TestDialogProc, 0), 0);
  EXPECT_TRUE(user_.asked.empty());
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(DialogTest, ClosingTheDialogMeansCancel) {
  HWND dialog = Modeless();
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(dialog)) << "the dialog manager does not destroy it";
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back().wParam, static_cast<WPARAM>(IDCANCEL));
  EXPECT_TRUE(W(dialog)->dialogEnded);
}

using DialogDeathTest = DialogTest;

TEST_F(DialogDeathTest, AnAnswerThatDoesNotFitTheDialogEndsTheRun) {
  struct Case {
    LPCSTR name;
    host::DialogAnswer answer;
    const char* message;
  };
  const Case cases[] = {
      {"T", {host::DialogAnswer::kNoSelection, 3}, "dialog T has no button 3"},
      {"T", {host::DialogAnswer::kNoSelection, 5}, "dialog T has no button 5"},  // a static
      {"T", {host::DialogAnswer::kNoSelection, 6}, "dialog T has no enabled button 6"},
      {MAKEINTRESOURCEA(9), {0, 1}, "dialog 9 has no list box"},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          user_.answers = {c.answer};
          DialogBoxParamA(instance_, c.name, nullptr, TestDialogProc, 0);
        },
        ::testing::ExitedWithCode(3), c.message);
  }
}

TEST_F(DialogTest, MissingTemplatesAndBadOwnersFailAsOnWindows) {
  SetLastError(0);
  EXPECT_EQ(DialogBoxParamA(instance_, "NOPE", nullptr, TestDialogProc, 0), -1);
  EXPECT_EQ(GetLastError(), 1814u) << "ERROR_RESOURCE_NAME_NOT_FOUND";
  EXPECT_EQ(CreateDialogParamA(instance_, MAKEINTRESOURCEA(10), nullptr, TestDialogProc, 0),
            nullptr);
  HINSTANCE bare = host::RegisterLinkedModule("C:\\KYRDRV\\BARE.DLL");
  EXPECT_EQ(DialogBoxParamA(bare, "T", nullptr, TestDialogProc, 0), -1)
      << "a module without resources";
  HWND notAWindow = reinterpret_cast<HWND>(0x4444);
  EXPECT_EQ(DialogBoxParamA(instance_, "T", notAWindow, TestDialogProc, 0), 0);
  EXPECT_EQ(CreateDialogParamA(instance_, "T", notAWindow, TestDialogProc, 0), nullptr);
  // A control of an unknown class fails the whole dialog.
  EXPECT_EQ(DialogBoxParamA(instance_, "BADCLASS", nullptr, TestDialogProc, 0), -1);
  EXPECT_TRUE(host::windows::TopLevelWindows().empty());
  EXPECT_TRUE(seen.empty()) << "no WM_INITDIALOG for a dialog that failed";
  EXPECT_TRUE(user_.asked.empty());
}

TEST_F(DialogTest, ControlsAreTheTemplatesOnly) {
  HWND dialog = Modeless();
  ASSERT_NE(dialog, nullptr);
  struct Case {
    int id;
    const char* className;
    const char* text;
  };
  const Case cases[] = {{5, "STATIC", "Label"}, {4, "LISTBOX", ""},    {1, "BUTTON", "OK"},
                        {6, "BUTTON", "Off"},   {2, nullptr, nullptr}, {3, nullptr, nullptr},
                        {0, nullptr, nullptr},  {-1, nullptr, nullptr}};
  for (const Case& c : cases) {
    HWND item = GetDlgItem(dialog, c.id);
    if (c.className == nullptr) {
      EXPECT_EQ(item, nullptr) << c.id;
      continue;
    }
    ASSERT_NE(item, nullptr) << c.id;
    EXPECT_EQ(W(item)->className, c.className);
    EXPECT_EQ(W(item)->text, c.text);
    EXPECT_EQ(W(item)->parent, dialog);
  }
  EXPECT_EQ(host::windows::Children(dialog).size(), 4u);
  EXPECT_EQ(W(dialog)->text, "Test");
  EXPECT_EQ(GetDlgItem(reinterpret_cast<HWND>(0x4444), 1), nullptr);
}

TEST_F(DialogTest, TheModuleLanguageDialogHasNoControlThree) {
  HINSTANCE module = host::RegisterLinkedModule("C:\\KYRDRV\\SETUP.DLL");
  host::res::RegisterResources(module, SetupResources, SetupResourcesSize);
  HWND dialog = CreateDialogParamA(module, "INSTALL_DLG", nullptr, TestDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetDlgItem(dialog, 3), nullptr);
  ASSERT_NE(GetDlgItem(dialog, 4), nullptr);
  EXPECT_EQ(W(GetDlgItem(dialog, 4))->className, "LISTBOX");
  // Unsorted: entries keep the order they were added in.
  char first[8] = {};
  SendDlgItemMessageA(dialog, 4, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_STREQ(first, "b");
  DestroyWindow(dialog);
  host::res::RegisterResources(module, nullptr, 0);
}

TEST_F(DialogTest, DialogItemTexts) {
  HWND dialog = Modeless();
  EXPECT_TRUE(SetDlgItemTextA(dialog, 5, "New"));
  EXPECT_FALSE(SetDlgItemTextA(dialog, 3, "None"));
  SendMessageA(GetDlgItem(dialog, 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Say \"go\""));
  struct Case {
    int size;
    UINT result;
    const char* text;
  };
  const Case cases[] = {{8, 3, "New"}, {4, 3, "New"}, {3, 2, "Ne"}, {1, 0, ""}};
  for (const Case& c : cases) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetDlgItemTextA(dialog, 5, buffer, c.size), c.result) << c.size;
    EXPECT_STREQ(buffer, c.text) << c.size;
    EXPECT_EQ(buffer[c.size < 7 ? c.size : 7], 'x') << "nothing written past the buffer";
  }
  char buffer[4] = {'x', 'x', 'x', 0};
  EXPECT_EQ(GetDlgItemTextA(dialog, 3, buffer, sizeof buffer), 0u);
  EXPECT_STREQ(buffer, "") << "a missing control empties the buffer";
  std::vector<std::string> lines = Transcript();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "text 5 \"New\"");
  EXPECT_EQ(lines.back(), "text 1 \"Say \\\"go\\\"\"");
}

TEST_F(DialogTest, ListBoxMessagesThroughTheDialog) {
  HWND dialog = Modeless();
  auto send = [&](UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(dialog, 4, message, wParam, lParam);
  };
  EXPECT_EQ(send(LB_GETCOUNT), 3);
  EXPECT_EQ(send(LB_GETCURSEL), LB_ERR) << "nothing selected yet";
  EXPECT_EQ(send(LB_GETTEXTLEN, 1), 1);
  char text[4] = {};
  EXPECT_EQ(send(LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)), 1);
  EXPECT_STREQ(text, "a");
  EXPECT_EQ(send(LB_SETCURSEL, 2), 2);
  EXPECT_EQ(send(LB_GETCURSEL), 2);
  EXPECT_EQ(send(LB_SETCURSEL, 3), LB_ERR) << "one past the last entry";
  EXPECT_EQ(send(LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
  EXPECT_EQ(send(LB_GETCURSEL), LB_ERR);
  EXPECT_EQ(SendDlgItemMessageA(dialog, 3, LB_GETCOUNT, 0, 0), 0) << "no control, no answer";
}

TEST_F(DialogTest, FocusGoesToTheFirstTabStopUnlessTheDialogSetsIt) {
  HWND dialog = Modeless();
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 4)) << "WM_INITDIALOG answered TRUE";
  EXPECT_EQ(seen.front().wParam, reinterpret_cast<WPARAM>(GetDlgItem(dialog, 4)));
  DestroyWindow(dialog);
  EXPECT_EQ(GetFocus(), nullptr) << "the focus window has gone";

  initAnswer = FALSE;
  dialog = Modeless();
  EXPECT_EQ(GetFocus(), nullptr);
  HWND button = GetDlgItem(dialog, 1);
  EXPECT_EQ(SetFocus(button), nullptr);
  EXPECT_EQ(SetFocus(reinterpret_cast<HWND>(0x4444)), nullptr);
  EXPECT_EQ(GetFocus(), button) << "a bad handle changes nothing";
  EXPECT_EQ(SetFocus(nullptr), button);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(DialogTest, ModelessDialogsAreShownAndEndDialogHidesThem) {
  HWND dialog = Modeless();
  EXPECT_TRUE(W(dialog)->style & WS_VISIBLE);
  HWND hidden = Modeless("HIDDEN");
  EXPECT_FALSE(W(hidden)->style & WS_VISIBLE) << "its template is not WS_VISIBLE";
  EXPECT_TRUE(EndDialog(dialog, 1));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_FALSE(W(dialog)->style & WS_VISIBLE);
  EXPECT_EQ(Transcript().back(), "dialog end T 1");
  EXPECT_FALSE(EndDialog(GetDlgItem(dialog, 1), 1)) << "a control is no dialog";
  EXPECT_FALSE(EndDialog(nullptr, 1));
}

TEST_F(DialogTest, PlacementInPixelsOfTheFixedBaseUnit) {
  HWND dialog = Modeless();
  RECT rect{};
  ASSERT_TRUE(GetWindowRect(dialog, &rect));
  // (10, 20) and 100 x 50 dialog units from the screen's corner.
  EXPECT_EQ(rect.left, 20);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right, 220);
  EXPECT_EQ(rect.bottom, 140);
  ASSERT_TRUE(GetWindowRect(GetDlgItem(dialog, 4), &rect));
  EXPECT_EQ(rect.left, 28);
  EXPECT_EQ(rect.top, 72);
  EXPECT_EQ(rect.right, 108);
  EXPECT_EQ(rect.bottom, 132);

  // An owned dialog counts from its owner's corner.
  HWND owned = Modeless("T", dialog);
  ASSERT_TRUE(GetWindowRect(owned, &rect));
  EXPECT_EQ(rect.left, 40);
  EXPECT_EQ(rect.top, 80);

  // Moving a dialog takes its controls along; a control moves inside it.
  ASSERT_TRUE(MoveWindow(dialog, -5, 7, 301, 99, TRUE));
  ASSERT_TRUE(GetWindowRect(dialog, &rect));
  EXPECT_EQ(rect.left, -5);
  EXPECT_EQ(rect.top, 7);
  EXPECT_EQ(rect.right, 296);
  EXPECT_EQ(rect.bottom, 106);
  ASSERT_TRUE(GetWindowRect(GetDlgItem(dialog, 4), &rect));
  EXPECT_EQ(rect.left, 3);
  EXPECT_EQ(rect.top, 39);
  EXPECT_EQ(rect.right - rect.left, 80);
  ASSERT_TRUE(MoveWindow(GetDlgItem(dialog, 4), 1, 2, 10, 20, FALSE));
  ASSERT_TRUE(GetWindowRect(GetDlgItem(dialog, 4), &rect));
  EXPECT_EQ(rect.left, -4);
  EXPECT_EQ(rect.top, 9);
  EXPECT_EQ(rect.right, 6);
  EXPECT_EQ(rect.bottom, 29);

  EXPECT_FALSE(GetWindowRect(reinterpret_cast<HWND>(0x4444), &rect));
  EXPECT_FALSE(GetWindowRect(dialog, nullptr));
  EXPECT_FALSE(MoveWindow(reinterpret_cast<HWND>(0x4444), 0, 0, 1, 1, TRUE));
}

}  // namespace
