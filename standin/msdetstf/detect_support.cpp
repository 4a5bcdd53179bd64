#include "msdetstf/detect_support.h"

#include "toolkit/toolkit_api.h"

bool FillListSymbol(LPCSTR list, const std::vector<std::string>& items) {
  if (list == nullptr || *list == '\0') return false;
  // A list that does not exist yet is not an error to remove.
  FRemoveSymbol(list);
  for (const std::string& item : items) {
    if (!FAddListItem(list, item.c_str())) return false;
  }
  return true;
}

bool SameTextNoCase(const std::string& a, const std::string& b) {
  std::string upperA = a, upperB = b;
  if (!upperA.empty()) CharUpperA(upperA.data());
  if (!upperB.empty()) CharUpperA(upperB.data());
  return upperA == upperB;
}
