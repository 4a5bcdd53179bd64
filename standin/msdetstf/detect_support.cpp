#include "msdetstf/detect_support.h"

#include <cstring>

#include "toolkit/toolkit_api.h"

int CopyToolkitText(const std::string& text, LPSTR buffer, int size) {
  if (buffer != nullptr && size > 0) {
    size_t copied = text.size() < static_cast<size_t>(size) ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<int>(text.size());
}

bool FillListSymbol(LPCSTR list, const std::vector<std::string>& items) {
  if (list == nullptr || *list == '\0') return false;
  // A list that does not exist yet is not an error to remove.
  FRemoveSymbol(list);
  for (const std::string& item : items) {
    if (!FAddListItem(list, item.c_str())) return false;
  }
  return true;
}

std::vector<std::string> SplitSetting(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    std::string item =
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    size_t first = item.find_first_not_of(" \t");
    if (first != std::string::npos)
      items.push_back(item.substr(first, item.find_last_not_of(" \t") - first + 1));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return items;
}

bool SameTextNoCase(const std::string& a, const std::string& b) {
  std::string upperA = a, upperB = b;
  if (!upperA.empty()) CharUpperA(upperA.data());
  if (!upperB.empty()) CharUpperA(upperB.data());
  return upperA == upperB;
}
