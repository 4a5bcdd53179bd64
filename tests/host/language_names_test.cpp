#include <cstring>

#include "host_fixture.h"
#include "winapi.h"

namespace {

using LanguageNameTest = MachineTest;

TEST_F(LanguageNameTest, NamesInEnglish) {
  Open();
  struct Case {
    DWORD language;
    const char* name;
  } cases[] = {
      {0x0409, "English (United States)"}, {0x0407, "German (Germany)"},
      {0x040C, "French (France)"},         {0x0411, "Japanese (Japan)"},
      {0x0000, "Language Neutral"},        {0x007F, "Invariant Language"},
      {0x040A, "Spanish (Spain)"},         {0x0C0A, "Spanish (Spain)"},
  };
  for (const Case& c : cases) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(VerLanguageNameA(c.language, buffer, sizeof buffer), std::strlen(c.name))
        << std::hex << c.language;
    EXPECT_STREQ(buffer, c.name) << std::hex << c.language;
  }
}

// A name that fits answers its length; one that does not (the exact length
// included: its zero has no room) answers the size it needs.
TEST_F(LanguageNameTest, CutsToTheBufferAndReturnsTheSizeNeeded) {
  Open();
  const std::string name = "English (United States)";
  const DWORD length = static_cast<DWORD>(name.size());
  for (DWORD size : {length + 2, length + 1, length, DWORD{5}, DWORD{1}}) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    DWORD expected = size > length ? length : length + 1;
    EXPECT_EQ(VerLanguageNameA(0x409, buffer, size), expected) << "size " << size;
    size_t copied = std::min<size_t>(length, size - 1);
    EXPECT_EQ(std::string(buffer), name.substr(0, copied)) << "size " << size;
    EXPECT_EQ(buffer[copied + 1], '#') << "size " << size;
  }
  char untouched[4] = "##";
  EXPECT_EQ(VerLanguageNameA(0x409, untouched, 0), length + 1);
  EXPECT_EQ(untouched[0], '#');
}

TEST_F(LanguageNameTest, UnknownLanguage) {
  Open();
  char buffer[16] = "#";
  EXPECT_EQ(VerLanguageNameA(0x7fff, buffer, sizeof buffer), 0u);
  EXPECT_STREQ(buffer, "#");
}

}  // namespace
