#include <cstring>
#include <map>

#include "host/src/user32/window_table.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

// What the test window procedure saw, in order.
std::vector<std::string> seen;
LRESULT createAnswer = 0;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  char line[64];
  std::snprintf(line, sizeof line, "%lx %04x %lu",
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)), message,
                static_cast<unsigned long>(wParam));
  seen.push_back(line);
  if (message == WM_CREATE) return createAnswer;
  if (message == WM_USER) return 1234;
  return DefWindowProcA(window, message, wParam, lParam);
}

std::string Seen(HWND window, UINT message, WPARAM wParam = 0) {
  char line[64];
  std::snprintf(line, sizeof line, "%lx %04x %lu",
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)), message,
                static_cast<unsigned long>(wParam));
  return line;
}

class WindowsTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Open();
    seen.clear();
    createAnswer = 0;
    WNDCLASSA c{};
    c.lpfnWndProc = RecordingProc;
    c.lpszClassName = "HostTest";
    ASSERT_NE(RegisterClassA(&c), 0);
  }
  HWND Make(HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW, int id = 0) {
    return CreateWindowExA(0, "hosttest", "Title", style, 10, 20, 300, 200, parent,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  }
};

TEST_F(WindowsTest, CreateSendsCreateMessagesAndCanBeRefused) {
  WNDCLASSA again{};
  again.lpszClassName = "HOSTTEST";
  EXPECT_EQ(RegisterClassA(&again), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

  HWND window = Make();
  ASSERT_NE(window, nullptr);
  EXPECT_LT(reinterpret_cast<uintptr_t>(window), uintptr_t{1} << 32);
  EXPECT_EQ(seen, (std::vector<std::string>{Seen(window, WM_NCCREATE), Seen(window, WM_CREATE)}));
  EXPECT_TRUE(IsWindow(window));

  createAnswer = -1;
  EXPECT_EQ(Make(), nullptr);
  EXPECT_EQ(
      CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(WindowsTest, WindowText) {
  HWND window = Make();
  EXPECT_TRUE(SetWindowTextA(window, "Kyroth Software Installation"));
  EXPECT_TRUE(SetWindowTextA(window, "say \"hi\""));
  EXPECT_EQ(Transcript(), (std::vector<std::string>{"caption \"Kyroth Software Installation\"",
                                                    "caption \"say \\\"hi\\\"\""}));
  SetWindowTextA(window, "abcdef");
  struct Case {
    int size;
    int result;
    const char* text;
  } cases[] = {{7, 6, "abcdef"}, {6, 5, "abcde"}, {1, 0, ""}, {100, 6, "abcdef"}};
  for (const Case& c : cases) {
    char buffer[128];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetWindowTextA(window, buffer, c.size), c.result) << "size " << c.size;
    EXPECT_STREQ(buffer, c.text) << "size " << c.size;
  }
  char buffer[4] = "##";
  EXPECT_EQ(GetWindowTextA(window, buffer, 0), 0);
  EXPECT_EQ(buffer[0], '#');
  EXPECT_FALSE(SetWindowTextA(reinterpret_cast<HWND>(0x1234), "x"));
  EXPECT_EQ(Transcript().size(), 3u);  // nothing recorded for a bad window
}

TEST_F(WindowsTest, DestroyTakesChildrenAndOwnedWindowsAndTheirMessages) {
  HWND main = Make();
  HWND child = Make(main, WS_CHILD | WS_VISIBLE, 7);
  HWND owned = Make(main, WS_POPUP);
  ASSERT_TRUE(child && owned);
  EXPECT_EQ(host::windows::ChildById(main, 7), child);
  PostMessageA(child, WM_USER, 1, 0);
  PostMessageA(nullptr, WM_USER, 2, 0);
  seen.clear();
  EXPECT_TRUE(DestroyWindow(main));
  EXPECT_EQ(seen, (std::vector<std::string>{Seen(owned, WM_DESTROY), Seen(owned, WM_NCDESTROY),
                                            Seen(main, WM_DESTROY), Seen(child, WM_DESTROY),
                                            Seen(child, WM_NCDESTROY), Seen(main, WM_NCDESTROY)}));
  EXPECT_FALSE(IsWindow(main) || IsWindow(child) || IsWindow(owned));
  EXPECT_FALSE(DestroyWindow(main));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // only the thread message is left
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.wParam, 2u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  // A new window never gets a handle of a destroyed one.
  HWND next = Make();
  EXPECT_NE(next, main);
  EXPECT_NE(next, child);
}

TEST_F(WindowsTest, PeekFiltersByWindowAndRange) {
  HWND a = Make();
  HWND child = Make(a, WS_CHILD, 3);
  HWND b = Make();
  PostMessageA(a, WM_USER + 1, 1, 0);
  PostMessageA(b, WM_USER + 2, 2, 0);
  PostMessageA(child, WM_USER + 3, 3, 0);
  PostMessageA(nullptr, WM_USER + 4, 4, 0);
  struct Case {
    HWND filter;
    UINT min, max;
    UINT remove;
    WPARAM expected;  // 0: none
  } cases[] = {
      {b, 0, 0, PM_NOREMOVE, 2},
      {reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE, 4},  // thread messages only
      {nullptr, WM_USER + 3, WM_USER + 4, PM_REMOVE, 3},
      {a, 0, 0, PM_REMOVE, 1},
      {a, 0, 0, PM_REMOVE, 0},                            // child's message already taken
      {nullptr, WM_USER + 9, WM_USER + 5, PM_REMOVE, 2},  // min above max: every message
      {nullptr, 0, 0, PM_REMOVE, 4},
      {nullptr, 0, 0, PM_REMOVE, 0},
  };
  for (const Case& c : cases) {
    MSG msg{};
    BOOL got = PeekMessageA(&msg, c.filter, c.min, c.max, c.remove);
    EXPECT_EQ(got, c.expected != 0 ? TRUE : FALSE) << "expecting " << c.expected;
    if (got) {
      EXPECT_EQ(msg.wParam, c.expected);
    }
  }
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(0x4444), 0, 0, PM_REMOVE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x4444), WM_USER, 0, 0));
}

TEST_F(WindowsTest, QuitComesAfterPostedMessagesWhateverTheFilter) {
  HWND window = Make();
  PostQuitMessage(3);
  PostQuitMessage(5);  // the last code wins; still one WM_QUIT
  PostMessageA(window, WM_USER, 9, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  ASSERT_TRUE(PeekMessageA(&msg, window, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 5u);
  EXPECT_EQ(msg.hwnd, nullptr);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // PM_NOREMOVE kept it
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowsTest, DispatchAndSendReachTheProc) {
  HWND window = Make();
  seen.clear();
  EXPECT_EQ(SendMessageA(window, WM_USER, 5, 0), 1234);
  PostMessageA(window, WM_USER, 6, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(TranslateMessage(&msg));
  EXPECT_EQ(DispatchMessageA(&msg), 1234);
  EXPECT_EQ(seen, (std::vector<std::string>{Seen(window, WM_USER, 5), Seen(window, WM_USER, 6)}));
  EXPECT_EQ(SendMessageA(reinterpret_cast<HWND>(0x4444), WM_USER, 0, 0), 0);
}

TEST_F(WindowsTest, BroadcastReachesTopLevelWindowsOnly) {
  HWND a = Make();
  HWND child = Make(a, WS_CHILD, 1);
  HWND b = Make(a, WS_POPUP);  // owned windows are top-level
  seen.clear();
  SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{Seen(a, WM_FONTCHANGE), Seen(b, WM_FONTCHANGE)}));
  (void)child;
  seen.clear();
  PostMessageA(HWND_BROADCAST, WM_USER, 1, 0);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(seen, (std::vector<std::string>{Seen(a, WM_USER, 1), Seen(b, WM_USER, 1)}));
}

TEST_F(WindowsTest, ShowWindowReportsPreviousVisibility) {
  HWND window = Make();
  EXPECT_FALSE(ShowWindow(window, SW_SHOW));
  EXPECT_TRUE(ShowWindow(window, SW_SHOWNORMAL));
  EXPECT_TRUE(ShowWindow(window, SW_HIDE));
  EXPECT_FALSE(ShowWindow(window, SW_HIDE));
  EXPECT_TRUE(UpdateWindow(window));
  EXPECT_TRUE(RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW));
  EXPECT_TRUE(RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE));
  DestroyWindow(window);
  EXPECT_FALSE(UpdateWindow(window));
  EXPECT_FALSE(RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE));
}

TEST_F(WindowsTest, ListBoxKeepsItemsAndSelection) {
  HWND parent = Make();
  HWND list = CreateWindowExA(0, "ListBox", "", WS_CHILD, 0, 0, 80, 60, parent,
                              reinterpret_cast<HMENU>(4), nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("German")), 0);
  EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("English")), 1);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
  struct Select {
    WPARAM index;
    LRESULT result;
    LRESULT after;
  } selects[] = {{1, 1, 1}, {2, LB_ERR, 1}, {0, 0, 0}, {static_cast<WPARAM>(-1), LB_ERR, LB_ERR}};
  for (const Select& s : selects) {
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, s.index, 0), s.result) << s.index;
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), s.after) << s.index;
  }
  char text[16];
  std::memset(text, '#', sizeof text);
  EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 1, 0), 7);
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)), 7);
  EXPECT_STREQ(text, "English");
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text)), LB_ERR);
  // Inserting in front of the selection keeps the same item selected.
  SendMessageA(list, LB_SETCURSEL, 1, 0);
  EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("Dutch")), 0);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 2, 0), 2);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(WindowsTest, SortedListBox) {
  HWND parent = Make();
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_SORT, 0, 0, 80, 60, parent,
                              reinterpret_cast<HMENU>(4), nullptr, nullptr);
  for (const char* item : {"b", "C", "a"})
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  std::string order;
  for (int i = 0; i < 3; ++i) {
    char text[4];
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    order += text;
  }
  EXPECT_EQ(order, "abC");
}

// A sorted list box orders by the locale's word sort, letter case ignored,
// and puts a text equal to one there in front of it.
TEST_F(WindowsTest, SortedListBoxFollowsTheWordSort) {
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_SORT, 0, 0, 80, 60, nullptr, nullptr,
                              nullptr, nullptr);
  const struct {
    const char* item;
    LRESULT position;
  } adds[] = {{"beta", 0},  {"10", 0},    {"_under", 0}, {"2", 2},   {"\xE4pfel", 3}, {"Zulu", 5},
              {"apfel", 3}, {"Alpha", 3}, {"alpha", 3},  {"b-c", 7}, {"bc", 7}};
  for (const auto& a : adds)
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(a.item)), a.position)
        << a.item;
  std::vector<std::string> order;
  for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
    char text[16];
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    order.push_back(text);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"_under", "10", "2", "alpha", "Alpha", "apfel",
                                             "\xE4pfel", "bc", "b-c", "beta", "Zulu"}));
}

TEST_F(WindowsTest, ScreenMetricsFromMachine) {
  host::ResetHost();
  Open("[machine]\nscreen=800x600\n");
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
  EXPECT_EQ(GetSystemMetrics(SM_CYICON), 32);
}

// A window refused by WM_NCCREATE or WM_CREATE gets WM_NCDESTROY alone.
TEST_F(WindowsTest, RefusedCreationSendsOnlyNcDestroy) {
  createAnswer = -1;
  EXPECT_EQ(Make(), nullptr);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_NE(seen[1].find(" 0001 "), std::string::npos) << seen[1];
  EXPECT_NE(seen[2].find(" 0082 "), std::string::npos) << seen[2];
}

TEST_F(WindowsTest, ChildWithoutParentIsRefused) {
  SetLastError(0);
  EXPECT_EQ(Make(nullptr, WS_CHILD), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return 99;
  return DefWindowProcA(window, message, wParam, lParam);
}

// Classes belong to the instance that registered them: another module may
// use the same name, and each instance's windows get its own class.
TEST_F(WindowsTest, ClassNamesArePerInstance) {
  HINSTANCE other = reinterpret_cast<HINSTANCE>(0x20000000);
  WNDCLASSA c{};
  c.lpfnWndProc = OtherProc;
  c.hInstance = other;
  c.lpszClassName = "HostTest";
  EXPECT_NE(RegisterClassA(&c), 0);
  EXPECT_EQ(RegisterClassA(&c), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  HWND mine = Make();
  HWND theirs =
      CreateWindowExA(0, "HOSTTEST", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, other, nullptr);
  EXPECT_EQ(SendMessageA(mine, WM_USER, 0, 0), 1234);
  EXPECT_EQ(SendMessageA(theirs, WM_USER, 0, 0), 99);
}

TEST_F(WindowsTest, TranslateAnswersForEveryKeyMessage) {
  const struct {
    UINT message;
    BOOL translated;
  } cases[] = {{WM_KEYDOWN, TRUE},  {WM_KEYUP, TRUE},        {WM_SYSKEYDOWN, TRUE},
               {WM_SYSKEYUP, TRUE}, {WM_CHAR, TRUE},         {WM_KEYLAST + 1, FALSE},
               {WM_USER, FALSE},    {WM_KEYFIRST - 1, FALSE}};
  for (const auto& c : cases) {
    MSG msg{};
    msg.message = c.message;
    EXPECT_EQ(TranslateMessage(&msg), c.translated) << std::hex << c.message;
  }
}

// SetFocus and the activation it brings: the window returned is the one
// with the focus after the activation, as on Windows.
INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class FocusTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Open();
    // A and B plain top-level windows, G a dialog, D disabled; each with
    // one child named in lower case.
    Top("A", 0, false);
    Top("B", 0, false);
    Top("G", 0, true);
    Top("D", WS_DISABLED, false);
  }
  void Top(const std::string& name, DWORD style, bool dialog) {
    host::windows::WindowShape shape;
    shape.className = "STATIC";
    shape.style = WS_POPUP | style;
    if (dialog) shape.dialogProc = QuietDialog;
    HWND top = host::windows::CreateTableWindow(shape, true);
    windows_[name] = top;
    host::windows::WindowShape child;
    child.className = "BUTTON";
    child.style = WS_CHILD;
    child.parent = top;
    windows_[std::string(1, static_cast<char>(name[0] - 'A' + 'a')) + "1"] =
        host::windows::CreateTableWindow(child, true);
  }
  std::string Name(HWND window) const {
    if (window == nullptr) return "NULL";
    for (const auto& [name, handle] : windows_)
      if (handle == window) return name;
    return "another";
  }
  HWND W(const std::string& name) const {
    auto found = windows_.find(name);
    return found == windows_.end() ? reinterpret_cast<HWND>(0x7654) : found->second;
  }
  std::map<std::string, HWND> windows_;
};

TEST_F(FocusTest, ActivationGivesTheFocusFirst) {
  struct Step {
    const char* target;  // "NULL", a window's name, or "bad" for no window
    const char* returned;
    const char* focus;
    DWORD error;  // for a NULL return; 0: left alone
  } steps[] = {
      {"A", "A", "A", 0},     // activated: the window itself had the focus
      {"a1", "A", "a1", 0},   // A is active
      {"a1", "a1", "a1", 0},  // no change
      {"B", "B", "B", 0},     // B activated
      {"a1", "A", "a1", 0},   // A activated again first
      {"NULL", "a1", "NULL", 0},
      {"NULL", "NULL", "NULL", 0},
      {"b1", "B", "b1", 0},
      {"D", "NULL", "b1", 0},   // disabled
      {"d1", "NULL", "b1", 0},  // in a disabled window
      {"bad", "NULL", "b1", ERROR_INVALID_WINDOW_HANDLE},
      {"g1", "b1", "g1", 0},  // a dialog's activation leaves the focus alone
      {"A", "A", "A", 0},     // G loses the activation with g1 focused
      {"G", "g1", "G", 0},    // G's activation gives g1 back the focus
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.target);
    SetLastError(0);
    HWND target = std::string(s.target) == "NULL" ? nullptr : W(s.target);
    EXPECT_EQ(Name(SetFocus(target)), s.returned);
    EXPECT_EQ(Name(GetFocus()), s.focus);
    EXPECT_EQ(GetLastError(), s.error);
  }
}

TEST_F(FocusTest, AGoneActiveWindowIsNoLongerActive) {
  ASSERT_EQ(SetFocus(W("a1")), W("A"));
  DestroyWindow(W("A"));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(SetFocus(W("b1")), W("B")) << "B is activated, not taken for active";
}

}  // namespace
