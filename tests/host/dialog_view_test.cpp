// What an agent is shown of a dialog: from its template, and from the
// window while the modal loop waits.
#include <gtest/gtest.h>

#include "host/dialog_view.h"
#include "host/loader.h"
#include "host/src/resources/module_resources.h"
#include "host_fixture.h"
#include "support/dialog_user.h"
#include "winapi.h"

// tests/host/fixtures/view_dialog.rc, compiled.
extern "C" const unsigned char ViewDialogResources[];
extern "C" const unsigned long ViewDialogResourcesSize;

namespace {

using host::ControlView;

const unsigned char* const kResources = ViewDialogResources;
const size_t kSize = ViewDialogResourcesSize;

TEST(DescribeDialogTemplate, ControlsAPersonReadsOrPressesInTemplateOrder) {
  host::WindowView view;
  std::string error;
  ASSERT_TRUE(host::DescribeDialogTemplate(kResources, kSize, "pick", &view, &error)) << error;
  EXPECT_EQ(view.caption, "Pick one");
  struct Expected {
    ControlView::Kind kind;
    int id;
    std::string text;
    bool enabled;
  };
  const Expected expected[] = {{ControlView::Kind::Text, 5, "&Language:", true},
                               {ControlView::Kind::List, 4, "", true},
                               {ControlView::Kind::Edit, 7, "", true},
                               {ControlView::Kind::DefaultButton, 1, "&Install", true},
                               {ControlView::Kind::Button, 2, "&Cancel", false}};
  ASSERT_EQ(view.controls.size(), std::size(expected)) << "the icon and the frame are left out";
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(view.controls[i].kind, expected[i].kind) << i;
    EXPECT_EQ(view.controls[i].id, expected[i].id) << i;
    EXPECT_EQ(view.controls[i].text, expected[i].text) << i;
    EXPECT_EQ(view.controls[i].enabled, expected[i].enabled) << i;
  }
  EXPECT_EQ(view.controls[2].top, 40) << "the edit field's place, for the reading order";
  EXPECT_EQ(view.controls[2].left, 4);
}

TEST(DescribeDialogTemplate, MissingTemplateOrUnreadableResourcesFail) {
  host::WindowView view;
  std::string error;
  EXPECT_FALSE(host::DescribeDialogTemplate(kResources, kSize, MAKEINTRESOURCEA(9), &view, &error));
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(host::DescribeDialogTemplate(kResources, kSize - 1, "PICK", &view, &error))
      << "a file cut short";
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(host::DescribeDialogTemplate(nullptr, 0, "X", &view, &error));
}

// Keeps the view it is shown and presses Install.
class LookingUser : public ScriptedDialogUser {
 public:
  LookingUser() : ScriptedDialogUser(1) {}
  host::DialogAnswer AnswerShownDialog(const std::string&, const host::WindowView& view) override {
    seen = view;
    return {host::DialogAnswer::kNoSelection, 1};
  }
  host::WindowView seen;
};

INT_PTR CALLBACK FillingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    for (const char* text : {"English", "German"})
      SendDlgItemMessageA(dialog, 4, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendDlgItemMessageA(dialog, 4, LB_SETCURSEL, 1, 0);
    SetDlgItemTextA(dialog, 7, "typed");
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == 1) EndDialog(dialog, 1);
  return message == WM_COMMAND;
}

class DialogViewTest : public MachineTest {};

TEST_F(DialogViewTest, TheWaitingDialogIsShownAsItIsNow) {
  host::ResetDialogs();
  Open();
  HINSTANCE instance = host::RegisterLinkedModule("C:\\KYRDRV\\VIEW.DLL");
  host::res::RegisterResources(instance, kResources, kSize);
  LookingUser user;
  host::SetUserAgent(&user);
  EXPECT_EQ(DialogBoxParamA(instance, "PICK", nullptr, FillingProc, 0), 1);
  host::SetUserAgent(nullptr);
  host::ResetDialogs();

  EXPECT_EQ(user.seen.caption, "Pick one");
  ASSERT_EQ(user.seen.controls.size(), 5u);
  const ControlView& list = user.seen.controls[1];
  EXPECT_EQ(list.items, (std::vector<std::string>{"English", "German"}));
  EXPECT_EQ(list.selection, 1);
  EXPECT_EQ(user.seen.controls[2].text, "typed");
  EXPECT_FALSE(user.seen.controls[4].enabled);
  EXPECT_EQ(user.seen.controls[2].top, 40) << "dialog units from the dialog's corner";
  EXPECT_EQ(user.seen.controls[2].left, 4);
}

}  // namespace
