// The control file reader: the line reader, the list primitives, both
// section readers and ReadControlFile on a host machine.
#include "installer/control_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/syscalls.h"
#include "installer/installer_state.h"
#include "unit/control_file_support.h"

namespace {

using Strings = std::vector<std::string>;

constexpr char kInvalid[] = "Invalid kyroth.ini,installation failed.";
constexpr char kCannotOpen[] = "Can not open kyroth.ini,installation failed.";

Strings Entries(const char* list) {
  Strings entries;
  for (const char* entry = list; *entry != 0; entry += std::strlen(entry) + 1)
    entries.push_back(entry);
  return entries;
}

// A list built from entries, with its final empty entry.
std::string MakeList(const Strings& entries) {
  std::string list;
  for (const std::string& entry : entries) list += entry + '\0';
  return list + '\0';
}

class ControlFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(machine_.Open());
    host::SetUserAgent(&user_);
    ModelList[0] = 0;
    LanguageList = nullptr;
    SelectedModel = 0;
    SelectedLanguage = 0;
  }
  void TearDown() override {
    FreeLanguageList();
    host::ClearFaults();
    host::SetUserAgent(nullptr);
  }

  HFILE OpenFile(const std::string& content) {
    machine_.WriteSystemFile("test.ini", content);
    HFILE file = _lopen("C:\\windows\\system32\\test.ini", OF_READ);
    EXPECT_NE(file, HFILE_ERROR);
    return file;
  }

  // Runs a section reader over content into a list of size bytes, checking
  // that nothing is written past it; entries gets what the list holds.
  int ReadList(int (*reader)(HFILE, char*, int), const std::string& content, Strings* entries,
               int size) {
    std::vector<char> list(size + 8, '#');
    HFILE file = OpenFile(content);
    int result = reader(file, list.data(), size);
    _lclose(file);
    for (int i = size; i < size + 8; ++i) EXPECT_EQ(list[i], '#') << "written past the list";
    *entries = Entries(list.data());
    return result;
  }

  // ReadControlFile, expecting result and, when message is not null, that
  // one message box says it; the language block is held only on success.
  void ExpectReadControlFile(const std::string& content, int result, const char* message,
                             const char* printer = "Kyroth 3") {
    user_.messageBoxes.clear();
    if (!content.empty()) machine_.WriteSystemFile("KYROTH.INI", content);
    EXPECT_EQ(ReadControlFile(NULL, NULL, printer), result);
    ASSERT_EQ(user_.messageBoxes.size(), message != nullptr ? 1u : 0u);
    if (message != nullptr) {
      EXPECT_EQ(user_.messageBoxes[0].text, message);
      EXPECT_EQ(user_.messageBoxes[0].caption, "ERROR");
      EXPECT_EQ(user_.messageBoxes[0].style, static_cast<unsigned>(MB_OK));
    }
    EXPECT_EQ(LanguageList != nullptr, result == 1);
  }

  control_file_support::TestMachine machine_;
  control_file_support::ScriptedUser user_;
};

TEST_F(ControlFileTest, ReadTextLineReadsLinesAndKeepsWithinTheBuffer) {
  struct Case {
    std::string content;
    int size;
    std::vector<std::pair<int, std::string>> reads;
  };
  const std::string a98(98, 'a'), a99(99, 'a');
  const Case cases[] = {
      {"ab\r\ncd\nend", 100, {{1, "ab\r\n"}, {1, "cd\n"}, {0, "end"}, {0, ""}}},
      {"", 100, {{0, ""}}},
      {a98 + "\n", 100, {{1, a98 + "\n"}, {0, ""}}},                 // exact fit
      {a99 + "\n", 100, {{kLineTooLong, a99}, {1, "\n"}, {0, ""}}},  // one over
      {a99, 100, {{0, a99}}},                                        // final piece fits
      {a99 + "a", 100, {{kLineTooLong, a99}, {0, "a"}}},             // one over
      {"abcdefg\nz", 4, {{kLineTooLong, "abc"}, {kLineTooLong, "def"}, {1, "g\n"}, {0, "z"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.content.substr(0, 12));
    HFILE file = OpenFile(c.content);
    std::vector<char> buffer(c.size + 8, '#');
    for (const auto& [result, text] : c.reads) {
      EXPECT_EQ(ReadTextLine(buffer.data(), c.size, file), result);
      EXPECT_EQ(std::string(buffer.data()), text);
      for (int i = c.size; i < c.size + 8; ++i) ASSERT_EQ(buffer[i], '#');
    }
    _lclose(file);
  }
}

TEST(ListTest, GetListFieldFindsFieldsThatExistAndFit) {
  struct Case {
    const char* entry;
    int n;
    int size;  // 0: GetListField; otherwise GetListFieldBounded with this size
    int result;
    const char* field;  // the destination afterwards
  };
  const Case cases[] = {
      {"a,b,c", 0, 0, 1, "a"},
      {"a,b,c", 1, 0, 1, "a"},
      {"a,b,c", 3, 0, 1, "c"},
      {"a,b,c", 4, 0, 0, "untouched"},
      {"a,b,", 3, 0, 0, "untouched"},
      {"a,,c", 2, 0, 1, ""},
      {"", 1, 0, 1, ""},
      {"abcd,efgh", 2, 5, 1, "efgh"},
      {"abcd,efghi", 2, 5, 0, "untouched"},
      {"abcd,efgh", 3, 5, 0, "untouched"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.entry) + " field " + std::to_string(c.n));
    char destination[16] = "untouched";
    EXPECT_EQ(c.size == 0 ? GetListField(destination, c.entry, c.n)
                          : GetListFieldBounded(destination, c.size, c.entry, c.n),
              c.result);
    EXPECT_STREQ(destination, c.field);
  }
}

TEST(ListTest, FindListEntryComparesWholeEntries) {
  const std::string list = MakeList({"a", "bc"}), empty = MakeList({});
  EXPECT_EQ(FindListEntry("bc", list.data()), 1);
  EXPECT_EQ(FindListEntry("b", list.data()), 0);
  EXPECT_EQ(FindListEntry("", list.data()), 0);
  EXPECT_EQ(FindListEntry("", empty.data()), 1);
  // Must not step past the end of an empty list into what follows it.
  const char emptyThenMore[] = {'\0', 'a', '\0', '\0'};
  EXPECT_EQ(FindListEntry("a", emptyThenMore), 0);
}

TEST(ListTest, ParseLanguageIdReadsHexDigitsAfterX) {
  struct Case {
    const char* text;
    int value;
    const char* upper;
  };
  const Case cases[] = {
      {"X0409", 1033, "X0409"},
      {"x0407", 1031, "X0407"},
      {"0409", 1033, "0409"},
      {"X", 1033, "X"},
      {"abX10", 16, "ABX10"},
      {"X1:", 16 + (':' - 55), "X1:"},
      {"X123456789", static_cast<int>(0x23456789u), "X123456789"},  // wraps at 32 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    char text[32];
    std::strcpy(text, c.text);
    int value = 0;
    EXPECT_EQ(ParseLanguageId(text, &value), c.value);
    EXPECT_EQ(value, c.value);
    EXPECT_STREQ(text, c.upper);
  }
}

TEST_F(ControlFileTest, ReadModelListBuildsEntriesFromQuotedNames) {
  struct Case {
    std::string content;
    int result;
    Strings entries;
  };
  const std::string h = "[Control Files]\r\n", end = "[Language Lists]\r\n";
  const Case cases[] = {
      {h + "\"Kyroth 3\" = KCP, kcp3.exe\r\n" + end, 1, {"Kyroth 3,KCP,kcp3.exe"}},
      {h + "lead \"Na=me\" c = d\t e\r\n" + end, 1, {"Na=mec,de"}},
      {h + "\"ab\"c\"d\"=e\r\n" + end, 1, {"abcd,e"}},
      {h + "\"ab\"\"c=d\r\n" + end, 1, {"ab\"c,d"}},  // the character after a quote is taken
      {h + "\"\xE9\"\xE9=y\r\n" + end, 1, {"\xE9,y"}},
      {h + "\"open = x\r\n" + end, 1, {"open = x\r\n"}},  // unclosed: all of it is quoted
      {h + "no quote=x\r\n# \"x\"=y\r\na#\"x\"=y\r\n" + end, 1, {}},
      {"\"a\"=1\r\n[Control Files] more\r\n\"b\"=2\r\n\"c\"\r\n\"d\"=4", 1, {"b,2", "c"}},
      {h + "\"b\"\r\n[x]\r\n", 1, {"b"}},  // ended by a header, no "=" needed
      {"\"a\"=1\r\n[Control File]\r\n\"b\"=2\r\n", 0, {}},
      {h + "\"b\" 2\r\n\"c=3\"\r\n", 0, {}},  // the end of the file without "="
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.content);
    Strings entries;
    EXPECT_EQ(ReadList(ReadModelList, c.content, &entries, kModelListSize), c.result);
    EXPECT_EQ(entries, c.entries);
  }
}

TEST_F(ControlFileTest, ReadModelListRefusesWhatDoesNotFit) {
  const std::string h = "[Control Files]\r\n", end = "[x]\r\n";
  const std::string fitting = "\"" + std::string(93, 'n') + "\"=p\r\n";  // 99 bytes
  Strings entries;
  EXPECT_EQ(ReadList(ReadModelList, h + fitting + end, &entries, kModelListSize), 1);
  EXPECT_EQ(entries, Strings{std::string(93, 'n') + ",p"});
  EXPECT_EQ(ReadList(ReadModelList, h + "\"n" + fitting + end, &entries, kModelListSize), 0);
  EXPECT_EQ(ReadList(ReadModelList, std::string(98, ';') + "\r\n" + h + end, &entries, 400), 0);
  // 10 bytes hold entries of 8 bytes in all, with their zeros and the final one.
  EXPECT_EQ(ReadList(ReadModelList, h + "\"abc\"\r\n\"defg\"\r\n" + end, &entries, 10), 1);
  EXPECT_EQ(entries, (Strings{"abc", "defg"}));
  EXPECT_EQ(ReadList(ReadModelList, h + "\"abc\"\r\n\"defgh\"\r\n" + end, &entries, 10), 0);
  EXPECT_TRUE(entries.empty());
}

TEST_F(ControlFileTest, ReadLanguageListsTakesCommaLinesToTheEnd) {
  Strings entries;
  EXPECT_EQ(ReadList(ReadLanguageLists,
                     "Before,X0409,a.lng,b.lng\r\n"
                     "[Language Lists] (trailing)\r\n"
                     "English = X0409, eng.lng, engcp.lng\r\n"
                     "  \t German=X0407,ger.lng,gercp.lng   # comment, here\r\n"
                     "# French=X040C,fre.lng,frecp.lng\r\n"
                     "NoComma=X\r\n"
                     "Caf\xE9=X0410,\xE9.lng\r\n"
                     "[Other]\r\n"
                     "Later,X0411,jpn.lng,jpncp.lng\r\n"
                     "Final,X0412,kor.lng,korcp.lng",
                     &entries, kLanguageBlockSize - kLanguageBlockHandleBytes),
            0);
  EXPECT_EQ(entries, (Strings{"English,X0409,eng.lng,engcp.lng",
                              "German,X0407,ger.lng,gercp.lng#comment,here", "Caf,X0410,.lng",
                              "Later,X0411,jpn.lng,jpncp.lng"}));
}

TEST_F(ControlFileTest, ReadLanguageListsRefusesWhatDoesNotFit) {
  const std::string h = "[Language Lists]\r\n";
  const std::string fitting = "a," + std::string(295, 'b') + "\r\n";  // 299 bytes
  const int size = kLanguageBlockSize - kLanguageBlockHandleBytes;
  Strings entries;
  EXPECT_EQ(ReadList(ReadLanguageLists, h + fitting, &entries, size), 0);
  EXPECT_EQ(entries.size(), 1u);
  EXPECT_EQ(ReadList(ReadLanguageLists, h + "b" + fitting, &entries, size), kLineTooLong);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(ReadList(ReadLanguageLists, h + "a,b\r\nc,de\r\n", &entries, 10), 0);
  EXPECT_EQ(entries, (Strings{"a,b", "c,de"}));
  EXPECT_EQ(ReadList(ReadLanguageLists, h + "a,b\r\nc,def\r\n", &entries, 10), kLineTooLong);
}

TEST_F(ControlFileTest, CheckChosenEntriesWantsPlainFileNamesThatFit) {
  struct Case {
    std::string model;     // the model entry at index 1
    std::string language;  // the language entry at index 1
    bool valid;
  };
  const std::string p15(15, 'p'), l19(19, 'l');
  const Case cases[] = {
      {"M,x," + p15, "E,X0409," + l19 + "," + l19, true},  // exact fits
      {"M,x,k.c.p", "E,X0409,.a,b.", true},
      {"M,x," + p15 + "p", "E,X0409,a,b", false},  // one over
      {"M,x,k", "E,X0409," + l19 + "l,b", false},
      {"M,x,k", "E,X0409,a," + l19 + "l", false},
      {"M,x", "E,X0409,a,b", false},  // fields missing or empty
      {"M,x,,y", "E,X0409,a,b", false},
      {"M,x,k", "E,X0409,a", false},
      {"M,x,bin\\k", "E,X0409,a,b", false},  // not plain names
      {"M,x,k", "E,X0409,sub/a,b", false},
      {"M,x,k", "E,X0409,a,C:b", false},
      {"M,x,k..exe", "E,X0409,a,b", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model + " " + c.language);
    const std::string models = MakeList({"Other,x,other.exe", c.model});
    std::string block(kLanguageBlockHandleBytes, '\0');
    block += MakeList({"F,X040C,f.lng,g.lng", c.language});
    std::memcpy(ModelList, models.data(), models.size());
    LanguageList = block.data() + kLanguageBlockHandleBytes;
    SelectedModel = 1;
    SelectedLanguage = 1;
    EXPECT_EQ(CheckChosenEntries() != 0, c.valid);
    SelectedLanguage = 2;  // past the list
    EXPECT_FALSE(CheckChosenEntries());
    LanguageList = nullptr;
  }
}

// 96-byte model lines, 93 bytes each in the list.
std::string ModelLines(int count) {
  std::string content = "[Control Files]\r\n";
  for (int i = 0; i < count; ++i) content += "\"" + std::string(90, 'm') + "\"=x\r\n";
  return content;
}

const char kGoodFile[] =
    "[Control Files]\r\n"
    "\"Kyroth 1\" = K1, kcp1.exe\r\n"
    "\"Kyroth 3\" = K3, kcp3.exe\r\n"
    "[Language Lists]\r\n"
    "English = X0409, eng.lng, engcp.lng\r\n"
    "German = X0407, ger.lng, gercp.lng\r\n";

TEST_F(ControlFileTest, ReadControlFileRefusesMissingAndInvalidFiles) {
  ExpectReadControlFile("", 0, kCannotOpen);
  machine_.WriteSystemFile("KYROTH.INI", kGoodFile);
  host::FailSyscall(host::Syscall::Open, 2);  // opening it again for the languages
  ExpectReadControlFile("", 0, kCannotOpen);

  const std::string invalid[] = {
      "[Language Lists]\r\nEnglish,X0409,a.lng,b.lng\r\n",
      "[Control Files]\r\n\"Kyroth 3\" K3 kcp3.exe\r\n",
      "[Control Files]\r\n[Language Lists]\r\nE,X0409,a.lng,b.lng\r\n",  // no models
      "[Control Files]\r\n\"Kyroth 3\"=K3,kcp3.exe" + std::string(90, ' ') + "\r\n",
      ModelLines(5) + "[Language Lists]\r\nE,X0409,a.lng,b.lng\r\n",
      kGoodFile + std::string(300, '\t') + "\r\n",
  };
  for (const std::string& content : invalid) {
    SCOPED_TRACE(content);
    ExpectReadControlFile(content, 0, kInvalid);
  }
  EXPECT_TRUE(user_.dialogs.empty());
}

TEST_F(ControlFileTest, ReadControlFileKeepsTheChoiceAndTheBlock) {
  user_.answer = {1, IDOK};
  ExpectReadControlFile(kGoodFile, 1, nullptr);
  EXPECT_EQ(user_.dialogs, Strings{"INSTALL_DLG"});
  EXPECT_EQ(SelectedModel, 1);
  EXPECT_EQ(SelectedLanguage, 1);
  EXPECT_EQ(Entries(ModelList), (Strings{"Kyroth 1,K1,kcp1.exe", "Kyroth 3,K3,kcp3.exe"}));
  ASSERT_NE(LanguageList, nullptr);
  EXPECT_EQ(Entries(LanguageList),
            (Strings{"English,X0409,eng.lng,engcp.lng", "German,X0407,ger.lng,gercp.lng"}));
  // The block starts with its own handle.
  DWORD stored;
  std::memcpy(&stored, LanguageList - kLanguageBlockHandleBytes, sizeof stored);
  HGLOBAL handle = reinterpret_cast<HGLOBAL>(static_cast<ULONG_PTR>(stored));
  EXPECT_EQ(GlobalLock(handle), LanguageList - kLanguageBlockHandleBytes);
  GlobalUnlock(handle);
}

TEST_F(ControlFileTest, ReadControlFileWithoutChoiceOrModelMatchUsesTheFirstEntries) {
  user_.answer = {host::DialogAnswer::kNoSelection, IDOK};
  SelectedLanguage = -1;
  ExpectReadControlFile(kGoodFile, 1, nullptr, "kyroth 3");  // names compare case-sensitively
  EXPECT_EQ(SelectedModel, 0);
  EXPECT_EQ(SelectedLanguage, -1);
}

TEST_F(ControlFileTest, ReadControlFileCancelledOrWithBadChosenNames) {
  user_.answer = {0, IDCANCEL};
  ExpectReadControlFile(kGoodFile, 0, nullptr);

  user_.answer = {1, IDOK};
  ExpectReadControlFile(
      "[Control Files]\r\n\"Kyroth 3\"=K3,kcp3.exe\r\n[Language Lists]\r\nE,X0409,a,b\r\n"
      "G,X0407,ger.lng\r\n",
      0, kInvalid);
  user_.answer = {0, IDOK};
  ExpectReadControlFile("[Control Files]\r\n\"Kyroth 3\"=K3,..\\kcp3.exe\r\n", 0, kInvalid);
}

}  // namespace
