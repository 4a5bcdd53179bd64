// The custom-dialog library's page templates, as the native toolkit shows
// them to a person: every page the module asks for reads, with the buttons
// that end it as the toolkit expects.
#include <gtest/gtest.h>

#include <set>

#include "host/dialog_view.h"
#include "mscuistf/page_buttons.h"

extern "C" const unsigned char StandinPageResources[];
extern "C" const unsigned long StandinPageResourcesSize;

namespace {

std::set<int> ButtonIds(const host::WindowView& view) {
  std::set<int> ids;
  for (const host::ControlView& control : view.controls) {
    if (control.kind == host::ControlView::Kind::Button ||
        control.kind == host::ControlView::Kind::DefaultButton) {
      ids.insert(control.id);
    }
  }
  return ids;
}

TEST(PageTemplates, EveryPageReadsWithItsButtons) {
  struct Page {
    int number;
    std::set<int> buttons;
    bool edit;
  };
  const std::set<int> infoButtons = {kPageContinueButton, kPageExitButton, kPageHelpButton};
  const std::set<int> editButtons = {kPageContinueButton, kPageBackButton, kPageExitButton,
                                     kPageHelpButton};
  const Page pages[] = {{100, infoButtons, false},
                        {200, infoButtons, false},
                        {300, editButtons, true},
                        {301, editButtons, true},
                        {400, {kPageContinueButton}, false},
                        {6400, {kPageContinueButton, kPageHelpButton}, false},
                        {kHelpPage, {kHelpOkButton}, false}};
  for (const Page& page : pages) {
    host::WindowView view;
    std::string error;
    ASSERT_TRUE(host::DescribeDialogTemplate(StandinPageResources, StandinPageResourcesSize,
                                             MAKEINTRESOURCEA(page.number), &view, &error))
        << page.number << ": " << error;
    EXPECT_FALSE(view.caption.empty()) << page.number;
    EXPECT_EQ(ButtonIds(view), page.buttons) << page.number;
    bool edit = false;
    for (const host::ControlView& control : view.controls) {
      if (control.kind == host::ControlView::Kind::Edit) edit = control.id == kPageEditField;
    }
    EXPECT_EQ(edit, page.edit) << page.number;
  }
}

}  // namespace
