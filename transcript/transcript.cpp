#include "transcript.h"

#include <cstdio>
#include <cstdlib>

void TranscriptLine(const std::string& line) {
  const char* path = std::getenv("SETUPHOST_TRANSCRIPT");
  if (path == nullptr || *path == '\0') return;
  std::FILE* file = std::fopen(path, "ab");
  if (file == nullptr) return;
  std::fputs(line.c_str(), file);
  std::fputc('\n', file);
  std::fclose(file);
}

std::string TranscriptQuote(const std::string& text) {
  std::string quoted = "\"";
  for (unsigned char c : text) {
    if (c == '"') {
      quoted += "\\\"";
    } else if (c < 0x20 || c == 0x7f) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      quoted += escape;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  quoted += '"';
  return quoted;
}
