// mscomstf.dll: lists, symbols whose items are numbered from 1.
#include <string>
#include <vector>

#include "core/calls.h"
#include "core/copy_out.h"
#include "mscomstf/symbol_table.h"
#include "toolkit/toolkit_api.h"

namespace {

// The toolkit counts a list's items in 16 bits.
const size_t kMaxListItems = 65535;

bool HasName(LPCSTR list) { return list != nullptr && *list != '\0'; }

}  // namespace

extern "C" USHORT WINAPI UsGetListLength(LPCSTR list) {
  if (ToolkitCallFails("UsGetListLength", {CallArg(list)})) return 0;
  size_t length = HasName(list) ? ListItems(list).size() : 0;
  return static_cast<USHORT>(ToolkitResult("UsGetListLength", static_cast<long long>(length)));
}

// Item index (from 1) copied like a symbol's text; 0 for a missing item.
extern "C" int WINAPI CbGetListItem(LPCSTR list, USHORT index, LPSTR buffer, int size) {
  if (ToolkitCallFails("CbGetListItem", {CallArg(list), CallArg(index), CallArg(size)})) return 0;
  std::vector<std::string> items;
  if (HasName(list)) items = ListItems(list);
  std::string item;
  if (index >= 1 && index <= items.size()) item = items[index - 1];
  return static_cast<int>(ToolkitResult("CbGetListItem", CopyOut(item, buffer, size)));
}

extern "C" BOOL WINAPI FAddListItem(LPCSTR list, LPCSTR item) {
  if (ToolkitCallFails("FAddListItem", {CallArg(list), CallArg(item)})) return FALSE;
  BOOL added = FALSE;
  std::vector<std::string> items;
  if (HasName(list)) items = ListItems(list);
  if (HasName(list) && items.size() < kMaxListItems) {
    items.push_back(item == nullptr ? "" : item);
    StoreList(list, items);
    added = TRUE;
  }
  return static_cast<BOOL>(ToolkitResult("FAddListItem", added));
}

extern "C" BOOL WINAPI FReplaceListItem(LPCSTR list, USHORT index, LPCSTR item) {
  if (ToolkitCallFails("FReplaceListItem", {CallArg(list), CallArg(index), CallArg(item)})) {
    return FALSE;
  }
  BOOL replaced = FALSE;
  std::vector<std::string> items;
  if (HasName(list)) items = ListItems(list);
  if (index >= 1 && index <= items.size()) {
    items[index - 1] = item == nullptr ? "" : item;
    StoreList(list, items);
    replaced = TRUE;
  }
  return static_cast<BOOL>(ToolkitResult("FReplaceListItem", replaced));
}
