// The person at the terminal: what is shown, and what each typed line does.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "interactive_agent.h"
#include "mscuistf/page_buttons.h"

namespace {

using host::ControlView;
using host::WindowView;

ControlView Control(ControlView::Kind kind, int id, const std::string& text) {
  ControlView control;
  control.kind = kind;
  control.id = id;
  control.text = text;
  return control;
}

WindowView DestinationPage() {
  WindowView view;
  view.caption = "Setup";
  view.controls = {Control(ControlView::Kind::Text, -1, "Path:"),
                   Control(ControlView::Kind::Edit, kPageEditField, "C:\\Kyroth"),
                   Control(ControlView::Kind::DefaultButton, kPageContinueButton, "&Continue"),
                   Control(ControlView::Kind::Button, kPageBackButton, "&Back"),
                   Control(ControlView::Kind::Button, kPageExitButton, "&Exit"),
                   Control(ControlView::Kind::Button, kPageHelpButton, "&Help")};
  return view;
}

WindowView LanguageDialog() {
  WindowView view;
  view.caption = "Printers";
  ControlView list = Control(ControlView::Kind::List, 4, "");
  list.items = {"English", "German", "French"};
  list.selection = 0;
  ControlView cancel = Control(ControlView::Kind::Button, 2, "&Cancel");
  view.controls = {Control(ControlView::Kind::DefaultButton, 1, "&Install"), cancel, list};
  return view;
}

struct Person {
  explicit Person(const std::string& typing) : in(typing) {}
  std::istringstream in;
  std::ostringstream out;
  InteractiveAgent agent{
      in, out, [](const std::string& message) -> void { throw std::runtime_error(message); }};
};

TEST(InteractiveAgent, PageButtonsByNumberKeyAndEnter) {
  struct Case {
    std::string typing;
    std::string outcome;
  };
  const Case cases[] = {
      {"\n\n", "CONTINUE"},     // text kept, then the default button
      {"\n2\n", "BACK"},        // by number, in the order shown
      {"\ne\n", "EXIT"},        // by access key, either case
      {"\nH\n", "REACTIVATE"},  // Help
      {"\n9\nz\n3\n", "EXIT"},  // no such button: asked again
  };
  for (const Case& c : cases) {
    Person person(c.typing);
    std::string text = "C:\\Kyroth";
    EXPECT_EQ(person.agent.AnswerShownPage(300, DestinationPage(), &text), c.outcome) << c.typing;
    EXPECT_EQ(text, "C:\\Kyroth") << "Enter keeps the field";
  }
}

TEST(InteractiveAgent, TypedTextGoesIntoTheFieldAndIsShown) {
  Person person("D:\\KYR\n\n");
  std::string text = "C:\\Kyroth";
  EXPECT_EQ(person.agent.AnswerShownPage(300, DestinationPage(), &text), "CONTINUE");
  EXPECT_EQ(text, "D:\\KYR");
  std::string shown = person.out.str();
  EXPECT_NE(shown.find("== page 300: \"Setup\" =="), std::string::npos) << shown;
  EXPECT_NE(shown.find("[D:\\KYR]"), std::string::npos) << shown;
  EXPECT_NE(shown.find("1 Continue (key C, Enter)  2 Back (key B)"), std::string::npos) << shown;
}

TEST(InteractiveAgent, DialogSelectsThenPresses) {
  Person person("select 7\nselect 2\nc\n");
  host::DialogAnswer answer = person.agent.AnswerShownDialog("INSTALL_DLG", LanguageDialog());
  EXPECT_EQ(answer.select, 2);
  EXPECT_EQ(answer.button, 2);
  std::string shown = person.out.str();
  EXPECT_NE(shown.find("no list entry 7"), std::string::npos) << shown;
  EXPECT_NE(shown.find("   > select 2: French"), std::string::npos) << shown;
  EXPECT_NE(shown.find("   > select 0: English"), std::string::npos) << "the first view";

  Person plain("\n");
  host::DialogAnswer pressed = plain.agent.AnswerShownDialog("INSTALL_DLG", LanguageDialog());
  EXPECT_EQ(pressed.select, host::DialogAnswer::kNoSelection);
  EXPECT_EQ(pressed.button, 1);
}

TEST(InteractiveAgent, TextsInReadingOrderAndWithoutAmpersands) {
  WindowView view = LanguageDialog();
  ControlView label = Control(ControlView::Kind::Text, 3, "&Language:");
  label.top = 33;
  ControlView prompt = Control(ControlView::Kind::Text, -1, "Please select");
  prompt.top = 2;
  view.controls[2].top = 45;  // the list, below the label
  ControlView field = Control(ControlView::Kind::Edit, 7, "typed");
  field.top = 31;  // beside the label, a little higher: the same row
  field.left = 60;
  view.controls.push_back(field);
  view.controls.push_back(label);
  view.controls.push_back(prompt);
  Person person("1\n");
  person.agent.AnswerShownDialog("INSTALL_DLG", view);
  std::string shown = person.out.str();
  size_t first = shown.find("Please select");
  size_t second = shown.find("  Language:");
  size_t beside = shown.find("[typed]");
  size_t third = shown.find("select 0: English");
  size_t buttons = shown.find("buttons:");
  ASSERT_NE(first, std::string::npos) << shown;
  EXPECT_LT(first, second) << shown;
  EXPECT_LT(second, beside) << "the label first, as it sits left of its field";
  EXPECT_LT(beside, third) << shown;
  EXPECT_LT(third, buttons) << shown;
}

TEST(InteractiveAgent, DisabledButtonIsNotPressed) {
  WindowView view = LanguageDialog();
  view.controls[1].enabled = false;
  Person person("2\n1\n");
  EXPECT_EQ(person.agent.AnswerShownDialog("INSTALL_DLG", view).button, 1);
  EXPECT_NE(person.out.str().find("Cancel is disabled"), std::string::npos);
}

TEST(InteractiveAgent, MessageBoxButtonsFollowTheStyle) {
  struct Case {
    unsigned style;
    std::string typing;
    int button;
  };
  const Case cases[] = {
      {16, "\n", 1},     // MB_OK | MB_ICONHAND: OK
      {1, "2\n", 2},     // MB_OKCANCEL: Cancel
      {4, "n\n", 7},     // MB_YESNO: No by its key
      {0x104, "\n", 7},  // MB_YESNO | MB_DEFBUTTON2: Enter is No
  };
  for (const Case& c : cases) {
    Person person(c.typing);
    EXPECT_EQ(person.agent.AnswerMessageBox("Buffer Overflow", "MS-Setup Error", c.style), c.button)
        << c.style;
  }
  Person shown("\n");
  shown.agent.AnswerMessageBox("Buffer Overflow", "MS-Setup Error", 16);
  EXPECT_NE(shown.out.str().find("\"MS-Setup Error\""), std::string::npos);
  EXPECT_NE(shown.out.str().find("Buffer Overflow"), std::string::npos);
}

TEST(InteractiveAgent, EndOfInputStopsTheRun) {
  Person person("");
  EXPECT_THROW(person.agent.AnswerShownPage(100, DestinationPage(), nullptr), std::runtime_error);
}

TEST(ButtonLabel, AccessKeysAndAmpersands) {
  EXPECT_EQ(ButtonLabel("&Install"), "Install");
  EXPECT_EQ(AccessKey("&Install"), 'I');
  EXPECT_EQ(ButtonLabel("Fish && &Chips"), "Fish & Chips");
  EXPECT_EQ(AccessKey("Fish && &Chips"), 'C');
  EXPECT_EQ(AccessKey("Restart Windows"), 0);
  EXPECT_EQ(AccessKey("trailing&"), 0);
}

}  // namespace
