// Views of dialogs for the user agent: from a template, or from a window of
// the window table.
#include "host/dialog_view.h"

#include "resources/module_resources.h"
#include "user32/window_table.h"

namespace host {
namespace {

constexpr DWORD kDisabledStyle = 0x08000000L;  // WS_DISABLED
constexpr DWORD kButtonTypeMask = 0x0F;
constexpr DWORD kDefaultPushButton = 0x01;  // BS_DEFPUSHBUTTON
constexpr DWORD kStaticTypeMask = 0x1F;
// SS_LEFT, SS_CENTER, SS_RIGHT, SS_SIMPLE, SS_LEFTNOWORDWRAP: the static
// types that show text.
constexpr DWORD kTextStatics[] = {0x0, 0x1, 0x2, 0xB, 0xC};

// The kind of control a class and style make; false for what a person does
// not read or press (icons, frames, unknown classes).
bool KindOf(const std::string& className, DWORD style, ControlView::Kind* kind) {
  std::string upper = className;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (upper == "BUTTON") {
    *kind = (style & kButtonTypeMask) == kDefaultPushButton ? ControlView::Kind::DefaultButton
                                                            : ControlView::Kind::Button;
    return true;
  }
  if (upper == "EDIT") {
    *kind = ControlView::Kind::Edit;
    return true;
  }
  if (upper == "LISTBOX") {
    *kind = ControlView::Kind::List;
    return true;
  }
  if (upper == "STATIC") {
    *kind = ControlView::Kind::Text;
    for (DWORD type : kTextStatics)
      if ((style & kStaticTypeMask) == type) return true;
    return false;
  }
  return false;
}

}  // namespace

bool DescribeDialogTemplate(const unsigned char* resources, size_t size, LPCSTR name,
                            WindowView* view, std::string* error) {
  res::ModuleResources read;
  if (resources == nullptr) {
    *error = "no resources";
    return false;
  }
  if (!res::ReadModuleResources(resources, size, &read, error)) return false;
  const res::DialogTemplate* found = read.FindDialog(name);
  if (found == nullptr) {
    *error = "no such dialog template";
    return false;
  }
  view->caption = found->caption;
  view->controls.clear();
  for (const res::Control& c : found->controls) {
    ControlView control;
    if (!KindOf(c.className, c.style, &control.kind)) continue;
    control.id = c.id;
    control.text = c.text.isOrdinal ? std::string() : c.text.text;
    control.enabled = (c.style & kDisabledStyle) == 0;
    control.top = c.y;
    control.left = c.x;
    view->controls.push_back(control);
  }
  return true;
}

WindowView DescribeDialogWindow(HWND dialog) {
  WindowView view;
  windows::Window* w = windows::Find(dialog);
  if (w == nullptr) return view;
  view.caption = w->text;
  for (HWND child : windows::Children(dialog)) {
    windows::Window* c = windows::Find(child);
    ControlView control;
    if (c == nullptr || !KindOf(c->className, c->style, &control.kind)) continue;
    control.id = c->id;
    control.text = c->text;
    control.items = c->listItems;
    control.selection = c->listSelection;
    control.enabled = (c->style & kDisabledStyle) == 0;
    // Back to dialog units from the dialog's corner, as a template has it.
    control.top = (c->rect.top - w->rect.top) / res::DialogUnitsToPixelsY(1);
    control.left = (c->rect.left - w->rect.left) / res::DialogUnitsToPixelsX(1);
    view.controls.push_back(control);
  }
  return view;
}

}  // namespace host
