// Symbol and list members of the checked wrappers.
#include "toolkit/checked_wrappers.h"
#include "toolkit/fail_fast.h"
#include "toolkit/session.h"
#include "toolkit/toolkit_api.h"

namespace {

// FSetSymbolToListOfInfKeys: empty INF lines give list items too.
constexpr BOOL kKeepEmptyKeys = 1;

void FailUnlessNamed(LPCSTR list) {
  if (list == nullptr || *list == '\0') SetupErrorExit(SetupErrorFail);
}

}  // namespace

int GetListLengthChecked(LPCSTR list) {
  FailUnlessNamed(list);
  // The toolkit counts in 16 bits without sign: 65535 items at most.
  return static_cast<USHORT>(UsGetListLength(list));
}

LPSTR GetListItemChecked(LPCSTR list, int index, LPSTR buffer, int size) {
  FailUnlessNamed(list);
  if (index < 1) SetupErrorExit(SetupErrorFail);
  if (GetListLengthChecked(list) < index) SetupErrorExit(SetupErrorFail);
  // index <= length <= 65535, so it keeps its value in 16 bits.
  FailOnOverflow(CbGetListItem(list, static_cast<USHORT>(index), buffer, size), size);
  return buffer;
}

void AddListItemChecked(LPCSTR list, LPCSTR item) { FailUnless(FAddListItem(list, item)); }

void ReplaceListItemChecked(LPCSTR list, USHORT index, LPCSTR item) {
  FailUnless(FReplaceListItem(list, index, item));
}

void SetSymbolToInfKeysChecked(LPCSTR symbol, LPCSTR section) {
  FailUnless(FSetSymbolToListOfInfKeys(symbol, section, kKeepEmptyKeys));
}

void RemoveSymbolChecked(LPCSTR name) { FailUnless(FRemoveSymbol(name)); }
