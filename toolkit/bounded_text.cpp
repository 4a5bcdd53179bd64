#include "toolkit/bounded_text.h"

#include <cstdint>

int JoinTextBounded(char* buffer, int size, const char* const* pieces, int count) {
  if (size <= 0) return 0;
  int at = 0;
  for (int i = 0; i < count; ++i) {
    for (const char* from = pieces[i]; *from != '\0' && at < size - 1; ++from) buffer[at++] = *from;
  }
  buffer[at] = '\0';
  return at;
}

int DecimalText(char* buffer, int size, LONG number) {
  // Digits are taken from the magnitude as an unsigned number, so that the
  // most negative value has one too.
  char digits[kDecimalTextSize];
  int at = kDecimalTextSize - 1;
  digits[at] = '\0';
  uint32_t magnitude =
      number < 0 ? 0u - static_cast<uint32_t>(number) : static_cast<uint32_t>(number);
  do {
    digits[--at] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (number < 0) digits[--at] = '-';
  const char* pieces[] = {digits + at};
  return JoinTextBounded(buffer, size, pieces, 1);
}

LONG ReadDecimal(const char* text) {
  while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\v' ||
         *text == '\f')
    ++text;
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  // The magnitude stops at the limit of its sign, so it never overflows.
  const uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  uint32_t magnitude = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    uint32_t digit = static_cast<uint32_t>(*text - '0');
    magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
  }
  return static_cast<LONG>(negative ? 0u - magnitude : magnitude);
}
