#include "setting_list.h"

namespace machine_ini {

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> items;
  for (size_t start = 0; start <= text.size();) {
    size_t comma = text.find(',', start);
    size_t end = comma == std::string::npos ? text.size() : comma;
    size_t first = text.find_first_not_of(" \t", start);
    if (first != std::string::npos && first < end) {
      size_t last = text.find_last_not_of(" \t", end - 1);
      items.push_back(text.substr(first, last - first + 1));
    }
    start = end + 1;
  }
  return items;
}

}  // namespace machine_ini
