// The built-in "LISTBOX" class: a list of strings and one selection.

#include <unicode/ucol.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "machine/machine_internal.h"
#include "user32/window_table.h"
#include "winapi.h"

namespace host::windows {
namespace {

// The order of a sorted list box: the locale's word sort, letter case
// ignored, as Windows compares its items ('_' before digits, "a" beside
// "\xE4"), with ICU's collator over the items' text in the ANSI code page.
// The word sort passes over hyphens and apostrophes ("b-c" is "bc"), which
// ICU's collator weighs as punctuation, so they are left out first.
class ItemCollator {
 public:
  ItemCollator() {
    UErrorCode status = U_ZERO_ERROR;
    collator_ = ucol_open("", &status);
    if (U_FAILURE(status)) {
      collator_ = nullptr;
      return;
    }
    ucol_setStrength(collator_, UCOL_SECONDARY);
  }
  ~ItemCollator() {
    if (collator_ != nullptr) ucol_close(collator_);
  }
  ItemCollator(const ItemCollator&) = delete;
  ItemCollator& operator=(const ItemCollator&) = delete;

  // Whether a sorts before b; byte order when ICU has no collator.
  bool Less(const std::string& a, const std::string& b) const {
    if (collator_ == nullptr) return a < b;
    std::u16string x = WordSortText(a), y = WordSortText(b);
    return ucol_strcoll(collator_, x.data(), static_cast<int32_t>(x.size()), y.data(),
                        static_cast<int32_t>(y.size())) == UCOL_LESS;
  }

 private:
  static std::u16string WordSortText(const std::string& ansi) {
    std::u16string text = AnsiToUtf16(ansi);
    std::erase_if(text, [](char16_t c) { return c == u'-' || c == u'\''; });
    return text;
  }

  UCollator* collator_ = nullptr;
};

const ItemCollator& Collator() {
  static ItemCollator collator;
  return collator;
}

LRESULT Insert(Window* w, int index, const char* text) {
  std::string item = text != nullptr ? text : "";
  int count = static_cast<int>(w->listItems.size());
  if (index < -1 || index > count) return LB_ERR;
  if (index == -1) index = count;
  w->listItems.insert(w->listItems.begin() + index, item);
  if (w->listSelection >= index) ++w->listSelection;
  return index;
}

}  // namespace

LRESULT CALLBACK ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(window);
  if (w == nullptr) return LB_ERR;
  int count = static_cast<int>(w->listItems.size());
  int index = static_cast<int>(wParam);
  const char* text = reinterpret_cast<const char*>(lParam);
  switch (message) {
    case LB_ADDSTRING: {
      if (!(w->style & LBS_SORT)) return Insert(w, -1, text);
      // Before the first item that does not sort before it: a text equal to
      // one there goes in front of it, as on Windows.
      std::string item = text != nullptr ? text : "";
      int position = 0;
      while (position < count && Collator().Less(w->listItems[position], item)) ++position;
      return Insert(w, position, text);
    }
    case LB_INSERTSTRING:
      return Insert(w, index, text);
    case LB_DELETESTRING:
      if (index < 0 || index >= count) return LB_ERR;
      w->listItems.erase(w->listItems.begin() + index);
      if (w->listSelection == index)
        w->listSelection = -1;
      else if (w->listSelection > index)
        --w->listSelection;
      return count - 1;
    case LB_RESETCONTENT:
      w->listItems.clear();
      w->listSelection = -1;
      return TRUE;
    case LB_SETCURSEL:
      // -1 removes the selection and still answers LB_ERR, as on Windows.
      if (index == -1) {
        w->listSelection = -1;
        return LB_ERR;
      }
      if (index < 0 || index >= count) return LB_ERR;
      w->listSelection = index;
      return index;
    case LB_GETCURSEL:
      return w->listSelection >= 0 ? w->listSelection : LB_ERR;
    case LB_GETCOUNT:
      return count;
    case LB_GETTEXTLEN:
      if (index < 0 || index >= count) return LB_ERR;
      return static_cast<LRESULT>(w->listItems[index].size());
    case LB_GETTEXT: {
      // The buffer must hold LB_GETTEXTLEN characters and the zero.
      if (index < 0 || index >= count || lParam == 0) return LB_ERR;
      const std::string& item = w->listItems[index];
      std::memcpy(reinterpret_cast<char*>(lParam), item.c_str(), item.size() + 1);
      return static_cast<LRESULT>(item.size());
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace host::windows
