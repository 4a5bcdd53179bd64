#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "host/src/machine/machine_internal.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

using CodePageTest = MachineTest;

TEST_F(CodePageTest, LeadBytesOfJapanese) {
  Open("[machine]\nacp=932\noemcp=932\n");
  std::string leads;
  for (int b = 0; b < 256; ++b)
    if (IsDBCSLeadByte(static_cast<BYTE>(b))) leads += static_cast<char>(b);
  std::string expected;
  for (int b = 0x81; b <= 0x9f; ++b) expected += static_cast<char>(b);
  for (int b = 0xe0; b <= 0xfc; ++b) expected += static_cast<char>(b);
  EXPECT_EQ(leads, expected);
}

TEST_F(CodePageTest, NoLeadBytesInWesternCodePage) {
  Open("[machine]\nacp=1252\n");
  for (int b = 0; b < 256; ++b) EXPECT_FALSE(IsDBCSLeadByte(static_cast<BYTE>(b))) << b;
}

TEST_F(CodePageTest, CharNextAndPrevStepWholeCharacters) {
  Open("[machine]\nacp=932\n");
  // "a", then a double-byte character whose trail byte is a backslash's code.
  const char text[] = "a\x95\\\\b";
  struct Step {
    int from;
    int next;
    int prev;  // CharPrevA(text, text + from)
  } steps[] = {
      {0, 1, 0}, {1, 3, 0}, {3, 4, 1}, {4, 5, 3}, {5, 5, 4},
  };
  for (const Step& s : steps) {
    EXPECT_EQ(CharNextA(text + s.from) - text, s.next) << "from " << s.from;
    EXPECT_EQ(CharPrevA(text, text + s.from) - text, s.prev) << "from " << s.from;
  }
  // A lead byte before the terminator is a character of its own.
  const char cut[] = "\x95";
  EXPECT_EQ(CharNextA(cut), cut + 1);
}

TEST_F(CodePageTest, CharUpperInPlaceAndSingleCharacter) {
  Open("[machine]\nacp=1252\n");
  char text[] = "c:\\kyroth\\\xe9t\xe9 \xdf\xb5!";
  EXPECT_EQ(CharUpperA(text), text);
  EXPECT_STREQ(text, "C:\\KYROTH\\\xc9T\xc9 \xdf\xb5!");  // sharp s and micro have no capital
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(ULONG_PTR{'q'}))),
            ULONG_PTR{'Q'});
}

TEST_F(CodePageTest, CharUpperLeavesDoubleByteCharacters) {
  Open("[machine]\nacp=932\n");
  char text[] = "a\x82\x61z";  // the trail byte has the code of 'a'
  CharUpperA(text);
  EXPECT_STREQ(text, "A\x82\x61Z");
}

// Where Windows' code page tables are missing, the best fits are glibc's.
TEST_F(CodePageTest, OemToCharConverts) {
  Open("[machine]\nacp=1252\noemcp=437\n");
  host::SetBestFitTableFolder(Machine() + "/no-tables");
  struct Case {
    const char* oem;
    const char* ansi;
  } cases[] = {
      {"C:\\KYROTH", "C:\\KYROTH"},
      {"caf\x82", "caf\xe9"},            // e acute
      {"\x8e\x99\x9a", "\xc4\xd6\xdc"},  // A, O, U umlaut
      {"\xc4\xb3\xda", "-|+"},           // box drawing takes its best fit
      {"\xe0", "a"},                     // alpha: its Latin letter
      {"\xfe", "?"},                     // the square has none
      {"", ""},
  };
  for (const Case& c : cases) {
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_TRUE(OemToCharA(c.oem, buffer));
    EXPECT_STREQ(buffer, c.ansi) << "for " << c.oem;
    char inPlace[32];
    std::strcpy(inPlace, c.oem);
    EXPECT_TRUE(OemToCharA(inPlace, inPlace));
    EXPECT_STREQ(inPlace, c.ansi) << "in place, for " << c.oem;
  }
  EXPECT_FALSE(OemToCharA(nullptr, nullptr));
  host::SetBestFitTableFolder("/usr/share/wine/nls");
}

// With Windows' own tables, characters take Windows' best fits; a table that
// is cut short is not used.
TEST_F(CodePageTest, OemToCharTakesWindowsBestFits) {
  const std::string tables = "/usr/share/wine/nls";
  if (!std::ifstream(tables + "/c_1252.nls")) GTEST_SKIP() << "no code page tables in " << tables;
  Open("[machine]\nacp=1252\noemcp=437\n");
  host::SetBestFitTableFolder(tables);
  struct Case {
    const char* oem;
    const char* ansi;
  } cases[] = {
      {"caf\x82", "caf\xe9"},      // exact: e acute
      {"\xc4\xb3\xda", "-\xa6+"},  // box drawing: the vertical line is the broken bar
      {"\x9e\xec\xe3", "P8p"},     // peseta, infinity, pi
      {"\xe0\xfe", "a\xa6"},       // alpha; the black square
  };
  for (const Case& c : cases) {
    char buffer[32];
    std::strcpy(buffer, c.oem);
    EXPECT_TRUE(OemToCharA(buffer, buffer));
    EXPECT_STREQ(buffer, c.ansi) << "for " << c.oem;
  }

  std::filesystem::create_directories(Machine() + "/cut");
  std::ifstream whole(tables + "/c_1252.nls", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
  std::ofstream(Machine() + "/cut/c_1252.nls", std::ios::binary)
      << bytes.substr(0, bytes.size() / 2);
  host::SetBestFitTableFolder(Machine() + "/cut");
  char vertical[] = "\xb3";
  EXPECT_TRUE(OemToCharA(vertical, vertical));
  EXPECT_STREQ(vertical, "|");  // glibc's fit, not a read past the cut table
  host::SetBestFitTableFolder(tables);
}

TEST_F(CodePageTest, OemToCharKeepsDoubleByteText) {
  Open("[machine]\nacp=932\noemcp=932\n");
  char text[] = "C:\\\x83\x65\x83\x58\x83\x67";
  EXPECT_TRUE(OemToCharA(text, text));
  EXPECT_STREQ(text, "C:\\\x83\x65\x83\x58\x83\x67");
}

TEST_F(CodePageTest, NameComparisonFoldsAnsiLetters) {
  Open("[machine]\nacp=1252\n");
  MakeDir("c/\xe9t\xe9");
  EXPECT_EQ(host::NativePath("C:\\\xc9T\xc9"), Machine() + "/c/\xe9t\xe9");
}

}  // namespace
