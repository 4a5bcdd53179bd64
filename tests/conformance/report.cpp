#include "report.h"

#include <cstdio>

namespace conformance {

void Observe(const std::string& area, const std::string& function, const std::string& label,
             const std::string& observed) {
  std::printf("%s %s %s -> %s\n", area.c_str(), function.c_str(), label.c_str(), observed.c_str());
  std::fflush(stdout);
}

void ArmError() { SetLastError(kUntouchedError); }

std::string Error() {
  DWORD error = GetLastError();
  if (error == kUntouchedError) return " err=untouched";
  return " err=" + Number(error);
}

std::string QuoteBytes(const char* bytes, size_t size) {
  std::string out = "\"";
  for (size_t i = 0; i < size; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Quote(const char* text) {
  if (text == nullptr) return "NULL";
  size_t size = 0;
  while (text[size] != '\0') ++size;
  return QuoteBytes(text, size);
}

std::string Number(long long value) { return std::to_string(value); }

std::string Hex(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", value);
  return text;
}

bool WriteWholeFile(const char* path, const std::string& content) {
  HFILE file = _lcreat(path, 0);
  if (file == HFILE_ERROR) return false;
  UINT written = _lwrite(file, content.data(), static_cast<UINT>(content.size()));
  _lclose(file);
  return written == content.size();
}

std::string ReadWholeFile(const char* path) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return "<missing>";
  std::string content;
  char chunk[512];
  for (;;) {
    UINT got = _lread(file, chunk, sizeof chunk);
    if (got == 0 || got == static_cast<UINT>(HFILE_ERROR)) break;
    content.append(chunk, got);
  }
  _lclose(file);
  return content;
}

}  // namespace conformance
