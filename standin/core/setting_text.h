// Texts of the machine.ini lines the stand-in reads itself: blanks and line
// ends around them dropped, names compared without regard to case.
#pragma once

#include <cctype>
#include <string>

inline std::string TrimSetting(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

inline std::string LowerSetting(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}
