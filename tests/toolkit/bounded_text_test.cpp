// The module's own formatting: joined texts cut at the buffer's end, decimal
// texts of every 32-bit value, and decimal reading as the run-time library's
// conversion reads, held to 32 bits.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "toolkit/bounded_text.h"

namespace {

constexpr char kMarker = '#';

TEST(BoundedTextTest, JoinCutsAtTheBufferEndAndWritesNothingBeyond) {
  const char* pieces[] = {"Can not ", "open", " x"};  // 15 characters
  struct Case {
    int size;
    const char* expected;
  } cases[] = {{16, "Can not open x"},
               {15, "Can not open x"},
               {14, "Can not open "},
               {9, "Can not "},
               {1, ""}};
  for (const Case& c : cases) {
    char buffer[20];
    std::memset(buffer, kMarker, sizeof buffer);
    int length = JoinTextBounded(buffer, c.size, pieces, 3);
    EXPECT_STREQ(buffer, c.expected) << "size " << c.size;
    EXPECT_EQ(length, static_cast<int>(std::strlen(c.expected))) << "size " << c.size;
    for (int i = c.size; i < static_cast<int>(sizeof buffer); ++i)
      EXPECT_EQ(buffer[i], kMarker) << "size " << c.size << ", byte " << i;
  }
  char untouched = kMarker;
  EXPECT_EQ(JoinTextBounded(&untouched, 0, pieces, 3), 0);
  EXPECT_EQ(untouched, kMarker);
}

TEST(BoundedTextTest, DecimalTextOfEveryRange) {
  struct Case {
    LONG number;
    const char* expected;
  } cases[] = {{0, "0"},
               {7, "7"},
               {-12, "-12"},
               {1024, "1024"},
               {2147483647, "2147483647"},
               {-2147483647 - 1, "-2147483648"}};
  for (const Case& c : cases) {
    char buffer[kDecimalTextSize];
    EXPECT_EQ(DecimalText(buffer, sizeof buffer, c.number), static_cast<int>(strlen(c.expected)));
    EXPECT_STREQ(buffer, c.expected);
  }
  char small[3];
  DecimalText(small, sizeof small, -2147483647 - 1);
  EXPECT_STREQ(small, "-2");
}

TEST(BoundedTextTest, ReadDecimalAsTheRunTimeConversionHeldTo32Bits) {
  struct Case {
    const char* text;
    LONG expected;
  } cases[] = {{"42", 42},
               {"  \t-17x", -17},
               {"+8", 8},
               {"", 0},
               {"abc", 0},
               {"- 5", 0},
               {"2147483647", 2147483647},
               {"2147483648", 2147483647},
               {"-2147483648", -2147483647 - 1},
               {"-2147483649", -2147483647 - 1},
               {"99999999999999999999", 2147483647},
               {"0000000000000000000012", 12}};
  for (const Case& c : cases) EXPECT_EQ(ReadDecimal(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
