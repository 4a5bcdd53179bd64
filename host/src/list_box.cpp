// The built-in "LISTBOX" class: a list of strings and one selection.

#include <algorithm>
#include <cstring>

#include "host_internal.h"
#include "window_table.h"
#include "winapi.h"

namespace host::windows {
namespace {

bool LessNoCase(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = UpperAnsiByte(static_cast<unsigned char>(a[i]));
    unsigned char y = UpperAnsiByte(static_cast<unsigned char>(b[i]));
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
    if (x != y) return x < y;
  }
  return a.size() < b.size();
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
      std::string item = text != nullptr ? text : "";
      int position = 0;
      while (position < count && !LessNoCase(item, w->listItems[position])) ++position;
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
