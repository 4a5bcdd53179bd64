// Text and path primitives: character-aware walks in a single-byte and a
// double-byte code page, the limits of every buffer, and the fatal path when
// a text does not fit.
#include <gmock/gmock.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "standin/core/standin.h"
#include "support/toolkit_fixture.h"
#include "toolkit/checked_ops.h"
#include "toolkit/path_helpers.h"
#include "toolkit/session.h"

namespace {

using ::testing::ExitedWithCode;

constexpr const char* kOverflowBox = "msgbox \"Buffer Overflow\" \"MS-Setup Error\" 16";
constexpr UINT kCodePages[] = {1252, 932};

// A heap copy of exactly the text and its terminator, so that the sanitizer
// sees any read past the terminator.
std::unique_ptr<char[]> ExactCopy(const std::string& text) {
  auto copy = std::make_unique<char[]>(text.size() + 1);
  std::memcpy(copy.get(), text.c_str(), text.size() + 1);
  return copy;
}

class PathHelpersTest : public toolkit_test::ToolkitTest {
 protected:
  // A machine whose directory readers report these texts.
  bool OpenDirectories(UINT codePage, const std::string& windows, const std::string& system) {
    const std::string cp = std::to_string(codePage);
    return OpenMachine("acp=" + cp + "\noemcp=" + cp + "\nwindows_text=" + windows +
                       "\nsystem_text=" + system + "\n");
  }

  // Runs the statement in a child with the session open; the child must end
  // through the fatal path, with the overflow box first when boxShown.
  template <typename Statement>
  void ExpectFatal(Statement statement, bool boxShown, const std::string& label) {
    const size_t before = Transcript().size();
    EXPECT_EXIT(
        {
          StartSetupSession(const_cast<char*>(""));
          statement();
        },
        ExitedWithCode(0), "")
        << label;
    std::vector<std::string> lines = Transcript();
    lines.erase(lines.begin(), lines.begin() + static_cast<ptrdiff_t>(before));
    auto box = std::find(lines.begin(), lines.end(), kOverflowBox);
    auto page = std::find(lines.begin(), lines.end(), "page show 400");
    EXPECT_EQ(box != lines.end(), boxShown) << label;
    if (boxShown) {
      EXPECT_LT(box - lines.begin(), page - lines.begin()) << label << ": box after the page";
    }
    EXPECT_NE(page, lines.end()) << label;
    EXPECT_EQ(lines.empty() ? "" : lines.back(), "exit 0") << label;
  }
};

// Tests with cases by code page run once per code page, named Cp1252 and
// Cp932, so that a run in either code page (under Wine, a locale each) finds
// its own.
class PathHelpersCodePageTest : public PathHelpersTest,
                                public ::testing::WithParamInterface<UINT> {};

INSTANTIATE_TEST_SUITE_P(, PathHelpersCodePageTest, ::testing::ValuesIn(kCodePages),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                           return "Cp" + std::to_string(info.param);
                         });

TEST_P(PathHelpersCodePageTest, FindCharacterComparesFirstBytesOnly) {
  struct Case {
    UINT codePage;
    const char* text;
    int key;
    int found;  // offset, or -1 for none
  } cases[] = {
      {1252, "a,b", ',', 1},
      {1252, "a,b", 0, -1},
      {1252, "", ',', -1},
      {1252, "a,b", 0x100 + ',', 1},  // only the low byte counts
      {1252, "\x95\x5c", '\\', 1},    // no lead bytes here
      {932,
       "\x95\x5c"
       "x\\",
       '\\', 3},
      {932, "\x83\x40", 0x40, -1},
      {932, "a\x95\x5c", 0x95, 1},
      {932, "\x95", '\\', -1},  // a lone lead byte at the end
  };
  const UINT codePage = GetParam();
  if (!UseCodePage(codePage)) GTEST_SKIP() << "the system's code page is not " << codePage;
  for (const Case& c : cases) {
    if (c.codePage != codePage) continue;
    auto text = ExactCopy(c.text);
    char* result = FindCharacter(text.get(), c.key);
    EXPECT_EQ(result == nullptr ? -1 : result - text.get(), c.found)
        << "cp " << codePage << " text \"" << c.text << "\" key " << c.key;
  }
}

TEST_P(PathHelpersCodePageTest, FindTextPositionCountsBytesFromWholeCharacters) {
  struct Case {
    UINT codePage;
    int start;
    const char* text;
    const char* pattern;
    int position;
  } cases[] = {
      {1252, 1, "abcabc", "ca", 3},
      {1252, 4, "abcabc", "abc", 4},
      {1252, 0, "abcabc", "a", 0},
      {1252, -3, "abcabc", "a", 0},
      {1252, 1, "abcabc", "x", 0},
      {1252, 5, "abcabc", "abc", 0},
      {1252, 3, "abc", "", 3},
      {1252, 4, "abc", "", 0},
      {1252, 5, "abc", "", 0},  // beyond the text: nothing read past it
      {1252, 40, "abc", "c", 0},
      {1252, 1, "ab", "abc", 0},
      {932, 2,
       "\x95\x5c"
       "abc",
       "\x95\x5c", 1},  // a start on a trail byte
      {932, 1,
       "\x95\x5c"
       "x\\",
       "\\", 4},
      {932, 1, "a\x83\x5c", "\x5c", 0},
      {932, 1, "\x95\x5c\x95\x40", "\x95\x40", 3},
      {932, 1, "\x95\x5c", "\x95", 0},  // the pattern's character is single
      {932, 4, "\x95\x5c\x95\x40", "", 3},
      {932, 3, "\x95", "", 0},  // a lone lead byte is one byte long
  };
  const UINT codePage = GetParam();
  if (!UseCodePage(codePage)) GTEST_SKIP() << "the system's code page is not " << codePage;
  for (const Case& c : cases) {
    if (c.codePage != codePage) continue;
    auto text = ExactCopy(c.text);
    EXPECT_EQ(FindTextPosition(c.start, text.get(), c.pattern), c.position)
        << "cp " << codePage << " start " << c.start << " text \"" << c.text << "\" pattern \""
        << c.pattern << "\"";
  }
}

TEST_P(PathHelpersCodePageTest, ExtractCommaFieldCopiesOneFieldAndKeepsTheList) {
  struct Case {
    UINT codePage;
    const char* list;
    int n;
    int size;
    const char* field;
  } cases[] = {
      {1252, "a, b ,c", 2, 255, "b "},  {1252, "a, b ,c", 3, 255, "c"},
      {1252, "a, b ,c", 4, 255, ""},    {1252, "a, b ,c", 9, 255, ""},
      {1252, "\t x,y", 1, 255, "x"},    {1252, ",,", 2, 0, ""},
      {1252, "abc,d", 1, 3, "abc"},  // exactly the limit
      {932, "\x95\x5c,x", 2, 255, "x"}, {932, "\x83\x40\x83\x5c,b", 1, 4, "\x83\x40\x83\x5c"},
  };
  const UINT codePage = GetParam();
  if (!UseCodePage(codePage)) GTEST_SKIP() << "the system's code page is not " << codePage;
  for (const Case& c : cases) {
    if (c.codePage != codePage) continue;
    auto list = ExactCopy(c.list);
    std::vector<char> buffer(static_cast<size_t>(c.size) + 2, '#');
    EXPECT_EQ(ExtractCommaField(list.get(), c.n, buffer.data(), c.size), buffer.data());
    EXPECT_STREQ(buffer.data(), c.field) << "cp " << codePage << " \"" << c.list << "\" " << c.n;
    EXPECT_EQ(buffer.back(), '#') << "wrote past size + 1 bytes";
    EXPECT_STREQ(list.get(), c.list) << "list changed";
  }
}

TEST_F(PathHelpersTest, ExtractCommaFieldEndsTheRunOnBadRequests) {
  char buffer[8];
  ExpectFatal([&] { ExtractCommaField(ExactCopy("abcd,e").get(), 1, buffer, 3); }, true,
              "one byte over");
  ExpectFatal([&] { ExtractCommaField(ExactCopy("a,b").get(), 0, buffer, 3); }, false, "field 0");
}

// Both readers complete their directory the same way: each row is checked
// through GetWindowsDirPath and GetSystemDirPath.
TEST_F(PathHelpersTest, DirectoryPathsGetDriveAndBackslash) {
  const std::string longest = "C:\\" + std::string(251, 'A');  // 254 characters
  struct Case {
    UINT codePage;
    std::string directory;
    const char* source;
    int size;
    std::string path;  // empty: the overflow box and the fatal path
  } cases[] = {
      {1252, "C:\\WINDOWS", "D:\\SETUP\\", 255, "C:\\WINDOWS\\"},
      {1252, "C:\\", "D:\\SETUP\\", 255, "C:\\"},
      {1252, "\\WINDOWS", "D:\\SETUP\\", 255, "D:\\WINDOWS\\"},
      {1252, "WINDOWS", "D:\\SETUP\\", 255, "D:\\WINDOWS\\"},
      {1252, "C:\\WINDOWS", "", 255, "C:\\WINDOWS\\"},  // no drive needed
      {1252, "C:\\WINDOWS", "D:\\", 11, "C:\\WINDOWS\\"},
      {1252, "C:\\WINDOWS", "D:\\", 10, ""},
      {1252, "C:\\WINDOWS\\", "D:\\", 11, "C:\\WINDOWS\\"},
      {1252, "C:\\WINDOWS\\", "D:\\", 10, ""},
      {1252, "\\WINDOWS", "D:\\", 11, "D:\\WINDOWS\\"},
      {1252, "\\WINDOWS", "D:\\", 10, ""},
      {1252, "\\WINDOWS", "D:\\", 1, ""},
      {1252, "WINDOWS", "D:\\", 11, "D:\\WINDOWS\\"},
      {1252, "WINDOWS", "D:\\", 10, ""},
      {1252, "WINDOWS", "D:\\", 2, ""},
      {1252, "\\WINDOWS", "", 255, ""},  // before the session: no drive to take
      {1252, "WINDOWS", "", 255, ""},
      {1252, "\\WINDOWS", "\\\\SERVER\\SHARE\\", 255, ""},
      {1252, longest, "D:\\", 255, longest + "\\"},
      {1252, longest + "A", "D:\\", 255, ""},              // the system's text does not fit
      {1252, "C:\\\x95\x5c", "D:\\", 5, "C:\\\x95\x5c"},   // a backslash already
      {932, "C:\\\x95\x5c", "D:\\", 6, "C:\\\x95\x5c\\"},  // a trail byte is none
      {932, "C:\\\x95\x5c", "D:\\", 5, ""},
      {932, "C:\\\x95\x5c\\", "D:\\", 6, "C:\\\x95\x5c\\"},
  };
  using Reader = char* (*)(char*, int);
  const std::pair<const char*, Reader> readers[] = {{"GetWindowsDirPath", GetWindowsDirPath},
                                                    {"GetSystemDirPath", GetSystemDirPath}};
  for (const Case& c : cases) {
    if (!OpenDirectories(c.codePage, c.directory, c.directory)) GTEST_SKIP();
    for (const auto& [name, read] : readers) {
      const std::string label = std::string(name) + " of \"" + c.directory + "\" from \"" +
                                c.source + "\" size " + std::to_string(c.size);
      std::vector<char> buffer(static_cast<size_t>(c.size) + 1);
      if (c.path.empty()) {
        ExpectFatal(
            [&] {
              std::strcpy(SourceDirectory, c.source);
              read(buffer.data(), c.size);
            },
            true, label);
        continue;
      }
      std::strcpy(SourceDirectory, c.source);
      EXPECT_EQ(read(buffer.data(), c.size), buffer.data());
      EXPECT_EQ(std::string(buffer.data()), c.path) << label;
    }
  }
}

TEST_F(PathHelpersTest, DirectoryThatCannotBeReadEndsTheRunWithoutBox) {
  if (!OpenDirectories(1252, "", "")) GTEST_SKIP();
  char buffer[256];
  ExpectFatal([&] { GetWindowsDirPath(buffer, 255); }, false, "Windows directory");
  ExpectFatal([&] { GetSystemDirPath(buffer, 255); }, false, "System directory");
}

TEST_F(PathHelpersTest, SystemDirOutsideWindowsDirIgnoresCase) {
  struct Case {
    const char* windows;
    const char* system;
    int outside;
  } cases[] = {
      {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", 0},
      {"c:\\windows", "C:\\WINDOWS\\SYSTEM", 0},
      {"C:\\\xe9t\xe9", "C:\\\xc9T\xc9\\SYSTEM", 0},  // accented capitals of code page 1252
      {"C:\\WINDOWS", "C:\\WINDOWS", 0},
      {"C:\\", "C:\\WINDOWS\\SYSTEM", 0},
      {"C:\\WIN", "C:\\WINDOWS\\SYSTEM", 1},
      {"C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS", 1},
      {"C:\\WINDOWS", "D:\\WINDOWS\\SYSTEM", 1},
  };
  for (const Case& c : cases) {
    if (!OpenDirectories(1252, c.windows, c.system)) GTEST_SKIP();
    EXPECT_EQ(IsSystemDirOutsideWindowsDir(), c.outside) << c.windows << " / " << c.system;
  }
}

TEST_F(PathHelpersTest, JoinsFillTheirOwnBuffers) {
  EXPECT_EQ(JoinThree("A", ",", "B"), JoinThreeBuffer);
  EXPECT_STREQ(JoinThreeBuffer, "A,B");
  EXPECT_STREQ(JoinTwo("C:\\", "KYROTH"), "C:\\KYROTH");
  EXPECT_STREQ(JoinFour("a", "", "b", "c"), "abc");
  EXPECT_STREQ(JoinThree("x", "y", "z"), "xyz");  // overwrites the last JoinThree
  EXPECT_STREQ(JoinTwoBuffer, "C:\\KYROTH");      // other joins keep theirs
  EXPECT_EQ(JoinTwo(JoinTwoBuffer, "\\X"), JoinTwoBuffer);
  EXPECT_STREQ(JoinTwoBuffer, "C:\\KYROTH\\X");
  EXPECT_STREQ(JoinTwo("[", JoinTwoBuffer), "[C:\\KYROTH\\X");
  EXPECT_STREQ(JoinThree(JoinThreeBuffer + 1, "-", JoinThreeBuffer), "yz-xyz");
  EXPECT_STREQ(JoinFour(JoinFourBuffer, JoinFourBuffer, "|", JoinFourBuffer), "abcabc|abc");
}

TEST_F(PathHelpersTest, JoinsFitUpToTheirSizeLessOne) {
  struct Join {
    const char* name;
    int size;
    char* (*join)(const std::string&);
  } joins[] = {
      {"JoinTwo", kJoinTwoSize, [](const std::string& s) { return JoinTwo(s.c_str(), "!"); }},
      {"JoinThree", kJoinThreeSize,
       [](const std::string& s) { return JoinThree("", s.c_str(), "!"); }},
      {"JoinFour", kJoinFourSize,
       [](const std::string& s) { return JoinFour("", "", "!", s.c_str()); }},
  };
  for (const Join& j : joins) {
    const std::string fits(static_cast<size_t>(j.size) - 2, 'x');
    EXPECT_EQ(std::strlen(j.join(fits)), static_cast<size_t>(j.size) - 1) << j.name;
    ExpectFatal([&] { j.join(fits + "x"); }, true, std::string(j.name) + " one over");
  }
}

TEST_F(PathHelpersTest, ProgManItemTextIsJoinedWhole) {
  StartSession();
  const std::string item(400, 'i');
  CreateProgManItemChecked("Kyroth", item.c_str(), "C:\\KYROTH\\KCP.EXE", "icon", 1024);
  auto calls = StandinCallsOf("FCreateProgManItem");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args[1], "\"" + item + ",icon\"");
}

TEST_P(PathHelpersCodePageTest, TrimTrailingBlanksCutsBlanksOnly) {
  struct Case {
    UINT codePage;
    const char* text;
    const char* trimmed;
  } cases[] = {
      {1252, "abc   ", "abc"},
      {1252, "   ", ""},
      {1252, "abc \t", "abc \t"},
      {1252, "a  b  ", "a  b"},
      {1252, "", ""},
      {1252, " a", " a"},
      {932, "\x83\x40 ", "\x83\x40"},
      {932, "\x95\x5c  x ", "\x95\x5c  x"},
  };
  const UINT codePage = GetParam();
  if (!UseCodePage(codePage)) GTEST_SKIP() << "the system's code page is not " << codePage;
  for (const Case& c : cases) {
    if (c.codePage != codePage) continue;
    auto text = ExactCopy(c.text);
    TrimTrailingBlanks(text.get());
    EXPECT_STREQ(text.get(), c.trimmed) << "cp " << codePage << " \"" << c.text << "\"";
  }
}

TEST_P(PathHelpersCodePageTest, CopyTextBoundedWritesExactlyCountBytes) {
  struct Case {
    UINT codePage;
    const char* source;
    int count;
    std::string written;
  } cases[] = {
      {1252, "ab", 5, std::string("ab\0\0\0", 5)},
      {1252, "abcdef", 3, "abc"},
      {1252, "abc", 0, ""},
      {1252, "abc", -2, ""},
      {1252, "a\x95\x5c", 2, "a\x95"},
      {932, "a\x95\x5c", 2, std::string("a\0", 2)},
      {932, "\x95\x5c\x83\x40", 4, "\x95\x5c\x83\x40"},
      {932, "\x95\x5c\x83\x40", 3, std::string("\x95\x5c\0", 3)},
      {932, "\x95", 3, std::string("\x95\0\0", 3)},  // a lone lead byte ends the text
  };
  const UINT codePage = GetParam();
  if (!UseCodePage(codePage)) GTEST_SKIP() << "the system's code page is not " << codePage;
  for (const Case& c : cases) {
    if (c.codePage != codePage) continue;
    auto source = ExactCopy(c.source);
    char destination[16];
    std::memset(destination, '#', sizeof destination);
    EXPECT_EQ(CopyTextBounded(destination, source.get(), c.count), destination);
    const std::string expected =
        c.written + std::string(sizeof destination - c.written.size(), '#');
    EXPECT_EQ(std::string(destination, sizeof destination), expected)
        << "cp " << codePage << " \"" << c.source << "\" count " << c.count;
  }
}

}  // namespace
