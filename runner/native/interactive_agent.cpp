#include "interactive_agent.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "mscuistf/page_buttons.h"

namespace {

using host::ControlView;
using host::WindowView;

// Message box buttons: the ids MessageBoxA answers, by the style's low bits.
constexpr int kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6,
              kIdNo = 7;
constexpr unsigned kButtonStyleMask = 0x0F;
constexpr unsigned kDefaultButtonShift = 8;  // MB_DEFBUTTON2 is 0x100
constexpr unsigned kDefaultButtonMask = 0x0F00;
// Controls whose tops lie within one text line (dialog units) share a row:
// a label beside its field.
constexpr int kRowHeight = 8;

bool IsButton(const ControlView& control) {
  return control.kind == ControlView::Kind::Button ||
         control.kind == ControlView::Kind::DefaultButton;
}

std::vector<const ControlView*> Buttons(const WindowView& view) {
  std::vector<const ControlView*> buttons;
  for (const ControlView& control : view.controls)
    if (IsButton(control)) buttons.push_back(&control);
  return buttons;
}

const ControlView* FirstOfKind(const WindowView& view, ControlView::Kind kind) {
  for (const ControlView& control : view.controls)
    if (control.kind == kind) return &control;
  return nullptr;
}

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool ReadNumber(const std::string& text, int* value) {
  if (text.empty() || text.size() > 6) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  *value = std::stoi(text);
  return true;
}

// A message box as a window: its text and the buttons its style gives.
WindowView MessageBoxView(const std::string& text, const std::string& caption, unsigned style) {
  struct Set {
    std::vector<std::pair<int, const char*>> buttons;
  };
  static const Set sets[] = {
      {{{kIdOk, "OK"}}},
      {{{kIdOk, "OK"}, {kIdCancel, "Cancel"}}},
      {{{kIdAbort, "&Abort"}, {kIdRetry, "&Retry"}, {kIdIgnore, "&Ignore"}}},
      {{{kIdYes, "&Yes"}, {kIdNo, "&No"}, {kIdCancel, "Cancel"}}},
      {{{kIdYes, "&Yes"}, {kIdNo, "&No"}}},
      {{{kIdRetry, "&Retry"}, {kIdCancel, "Cancel"}}},
  };
  unsigned kind = style & kButtonStyleMask;
  const Set& set = kind < sizeof sets / sizeof sets[0] ? sets[kind] : sets[0];
  size_t defaultButton = (style & kDefaultButtonMask) >> kDefaultButtonShift;
  if (defaultButton >= set.buttons.size()) defaultButton = 0;
  WindowView view;
  view.caption = caption;
  ControlView body;
  body.text = text;
  view.controls.push_back(body);
  for (size_t i = 0; i < set.buttons.size(); ++i) {
    ControlView button;
    button.kind = i == defaultButton ? ControlView::Kind::DefaultButton : ControlView::Kind::Button;
    button.id = set.buttons[i].first;
    button.text = set.buttons[i].second;
    view.controls.push_back(button);
  }
  return view;
}

// A page whose template could not be read: its buttons by what it may end
// with.
WindowView BarePageView(bool hasEdit) {
  WindowView view;
  view.caption = "Setup";
  if (hasEdit) {
    ControlView edit;
    edit.kind = ControlView::Kind::Edit;
    edit.id = kPageEditField;
    view.controls.push_back(edit);
  }
  for (int id : {kPageContinueButton, kPageBackButton, kPageExitButton, kPageHelpButton}) {
    ControlView button;
    button.kind =
        id == kPageContinueButton ? ControlView::Kind::DefaultButton : ControlView::Kind::Button;
    button.id = id;
    button.text = PageOutcomeOfButton(id);
    view.controls.push_back(button);
  }
  return view;
}

}  // namespace

std::string ButtonLabel(const std::string& text) {
  std::string label;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&&" shows one ampersand
    label += text[i];
  }
  return label;
}

char AccessKey(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

InteractiveAgent::InteractiveAgent(std::istream& in, std::ostream& out,
                                   std::function<void(const std::string&)> stop)
    : in_(in), out_(out), stop_(std::move(stop)) {}

std::string InteractiveAgent::ReadLine(const std::string& prompt) {
  out_ << prompt << std::flush;
  std::string line;
  if (!std::getline(in_, line)) {
    out_ << "\n";
    stop_("setuphost: the input ended while the installation waited for an answer");
  }
  return Trimmed(line);
}

void InteractiveAgent::Show(const std::string& heading, const WindowView& view, int selection) {
  out_ << "\n== " << heading << ": \"" << view.caption << "\" ==\n";
  // Texts, fields and lists in reading order, top to bottom and left to
  // right; the buttons after them, numbered in the window's own order.
  std::vector<const ControlView*> ordered;
  for (const ControlView& control : view.controls)
    if (!IsButton(control)) ordered.push_back(&control);
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const ControlView* a, const ControlView* b) { return a->top < b->top; });
  // Then each row left to right: a row starts at a control and takes those
  // whose tops lie within a text line below it.
  for (size_t row = 0; row < ordered.size();) {
    size_t end = row + 1;
    while (end < ordered.size() && ordered[end]->top - ordered[row]->top < kRowHeight) ++end;
    std::stable_sort(ordered.begin() + static_cast<long>(row),
                     ordered.begin() + static_cast<long>(end),
                     [](const ControlView* a, const ControlView* b) { return a->left < b->left; });
    row = end;
  }
  for (const ControlView& control : view.controls)
    if (IsButton(control)) ordered.push_back(&control);
  int number = 0;
  std::string buttons;
  for (const ControlView* shown : ordered) {
    const ControlView& control = *shown;
    switch (control.kind) {
      case ControlView::Kind::Text:
        // A static shows & as the underline of its access key.
        if (!control.text.empty()) out_ << "  " << ButtonLabel(control.text) << "\n";
        break;
      case ControlView::Kind::Edit:
        out_ << "  [" << control.text << "]\n";
        break;
      case ControlView::Kind::List:
        out_ << "  list:\n";
        for (size_t i = 0; i < control.items.size(); ++i) {
          out_ << (static_cast<int>(i) == selection ? "   >" : "    ") << " select " << i << ": "
               << control.items[i] << "\n";
        }
        if (control.items.empty()) out_ << "    (empty)\n";
        break;
      case ControlView::Kind::Button:
      case ControlView::Kind::DefaultButton: {
        ++number;
        buttons += "  " + std::to_string(number) + " " + ButtonLabel(control.text);
        char key = AccessKey(control.text);
        std::string notes;
        if (key != 0) notes += std::string("key ") + key;
        if (control.kind == ControlView::Kind::DefaultButton)
          notes += notes.empty() ? "Enter" : ", Enter";
        if (!control.enabled) notes += notes.empty() ? "disabled" : ", disabled";
        if (!notes.empty()) buttons += " (" + notes + ")";
        break;
      }
    }
  }
  if (!buttons.empty()) out_ << " buttons:" << buttons << "\n";
}

InteractiveAgent::Choice InteractiveAgent::Choose(const std::string& heading,
                                                  const WindowView& view, bool shown) {
  std::vector<const ControlView*> buttons = Buttons(view);
  const ControlView* list = FirstOfKind(view, ControlView::Kind::List);
  Choice choice;
  int shownSelection = list != nullptr ? list->selection : -1;
  if (!shown) Show(heading, view, shownSelection);
  if (buttons.empty()) stop_("setuphost: " + heading + " has no button to press");
  std::string prompt = list != nullptr ? "button (number, key or Enter) or select N> "
                                       : "button (number, key or Enter)> ";
  for (;;) {
    std::string line = ReadLine(prompt);
    const ControlView* pressed = nullptr;
    int number = 0;
    if (line.empty()) {
      for (const ControlView* button : buttons)
        if (button->kind == ControlView::Kind::DefaultButton) pressed = button;
    } else if (list != nullptr && line.rfind("select", 0) == 0) {
      int position = 0;
      if (ReadNumber(Trimmed(line.substr(6)), &position) &&
          position < static_cast<int>(list->items.size())) {
        choice.select = position;
        shownSelection = position;
        Show(heading, view, shownSelection);
      } else {
        out_ << "  no list entry " << Trimmed(line.substr(6)) << "\n";
      }
      continue;
    } else if (ReadNumber(line, &number)) {
      if (number >= 1 && number <= static_cast<int>(buttons.size())) pressed = buttons[number - 1];
    } else if (line.size() == 1) {
      char key = static_cast<char>(std::toupper(static_cast<unsigned char>(line[0])));
      for (const ControlView* button : buttons)
        if (AccessKey(button->text) == key) pressed = button;
    }
    if (pressed == nullptr) {
      out_ << "  no such button: " << (line.empty() ? "(Enter)" : line) << "\n";
    } else if (!pressed->enabled) {
      out_ << "  " << ButtonLabel(pressed->text) << " is disabled\n";
    } else {
      choice.button = pressed->id;
      return choice;
    }
  }
}

std::string InteractiveAgent::AnswerPage(int page, std::string* editText) {
  return AnswerShownPage(page, BarePageView(editText != nullptr), editText);
}

std::string InteractiveAgent::AnswerShownPage(int page, const WindowView& view,
                                              std::string* editText) {
  std::string heading = "page " + std::to_string(page);
  bool shown = false;
  WindowView typedView = view;
  if (editText != nullptr) {
    Show(heading, view, -1);
    std::string typed = ReadLine("type the field's text (Enter keeps it)> ");
    shown = typed.empty();
    if (!typed.empty()) *editText = typed;
    for (ControlView& control : typedView.controls)
      if (control.kind == ControlView::Kind::Edit) control.text = *editText;
  }
  for (;;) {
    std::string outcome = PageOutcomeOfButton(Choose(heading, typedView, shown).button);
    if (!outcome.empty()) return outcome;
    shown = true;
    out_ << "  that button does not end the page\n";
  }
}

void InteractiveAgent::ShowHelp(int page, const WindowView& help) {
  Choose("help over page " + std::to_string(page), help, false);
}

int InteractiveAgent::AnswerMessageBox(const std::string& text, const std::string& caption,
                                       unsigned style) {
  return Choose("message box", MessageBoxView(text, caption, style), false).button;
}

host::DialogAnswer InteractiveAgent::AnswerDialog(const std::string& name) {
  return AnswerShownDialog(name, WindowView{});
}

host::DialogAnswer InteractiveAgent::AnswerShownDialog(const std::string& name,
                                                       const WindowView& view) {
  Choice choice = Choose("dialog " + name, view, false);
  host::DialogAnswer answer;
  answer.select = choice.select;
  answer.button = choice.button;
  return answer;
}
