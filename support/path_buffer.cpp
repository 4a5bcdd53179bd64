#include "support/path_buffer.h"

#include <cstring>

#include "toolkit/session.h"
#include "toolkit/symbols.h"
#include "winapi.h"

void AppendToPathBuffer(char* buffer, const char* text) {
  size_t length = std::strlen(buffer);
  size_t added = std::strlen(text);
  if (length + added >= static_cast<size_t>(kPathBufferSize)) {
    ShowBufferOverflow();
    SetupErrorExit(SetupErrorFail);
  }
  std::memcpy(buffer + length, text, added + 1);
}

void EndPathWithBackslash(char* buffer) {
  const char* last = nullptr;
  for (const char* c = buffer; *c != '\0'; c = CharNextA(c)) last = c;
  if (last != nullptr && *last == '\\') return;
  AppendToPathBuffer(buffer, "\\");
}
