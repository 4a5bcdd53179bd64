// The few C run-time services the module calls, for the Windows build, where
// the module links no C run-time library: Windows 95 has no MSVCRT.DLL, and a
// run-time library's start-up code brings thread-local storage, which
// Windows 95 refuses in a DLL loaded with LoadLibrary. The memory and text
// routines are small loops; the compiler may call memcpy and memset itself
// (this file is built with -ffreestanding -fno-builtin, so that it never
// turns these loops into calls of themselves). Memory blocks come from the
// process heap, which every Windows 95 process has.
#include <cstddef>

#include "winapi.h"

extern "C" {

void* memcpy(void* to, const void* from, size_t count) {
  unsigned char* out = static_cast<unsigned char*>(to);
  const unsigned char* in = static_cast<const unsigned char*>(from);
  while (count-- > 0) *out++ = *in++;
  return to;
}

void* memmove(void* to, const void* from, size_t count) {
  unsigned char* out = static_cast<unsigned char*>(to);
  const unsigned char* in = static_cast<const unsigned char*>(from);
  if (out < in) {
    while (count-- > 0) *out++ = *in++;
  } else {
    while (count-- > 0) out[count] = in[count];
  }
  return to;
}

void* memset(void* to, int value, size_t count) {
  unsigned char* out = static_cast<unsigned char*>(to);
  while (count-- > 0) *out++ = static_cast<unsigned char>(value);
  return to;
}

void* memchr(const void* text, int value, size_t count) {
  const unsigned char* at = static_cast<const unsigned char*>(text);
  for (; count > 0; ++at, --count) {
    if (*at == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(at);
  }
  return nullptr;
}

size_t strlen(const char* text) {
  const char* end = text;
  while (*end != '\0') ++end;
  return static_cast<size_t>(end - text);
}

char* strcpy(char* to, const char* from) {
  char* out = to;
  while ((*out++ = *from++) != '\0') {
  }
  return to;
}

int strcmp(const char* left, const char* right) {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(left);
  const unsigned char* b = reinterpret_cast<const unsigned char*>(right);
  while (*a != '\0' && *a == *b) ++a, ++b;
  return *a - *b;
}

void* malloc(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }

void free(void* block) {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

}  // extern "C"
