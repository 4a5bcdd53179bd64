// The control file reader: the line reader, the list primitives, both
// section readers and ReadControlFile on a host machine.
#include "installer/control_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/syscalls.h"
#include "host/user_agent.h"
#include "installer/installer_state.h"
#include "unit/control_file_support.h"

namespace {

using control_file_support::ScriptedUser;
using control_file_support::TestMachine;

constexpr char kInvalid[] = "Invalid kyroth.ini,installation failed.";
constexpr char kCannotOpen[] = "Can not open kyroth.ini,installation failed.";

std::vector<std::string> Entries(const char* list) {
  std::vector<std::string> entries;
  for (const char* entry = list; *entry != 0; entry += std::strlen(entry) + 1)
    entries.push_back(entry);
  return entries;
}

// A list built from entries, with its final empty entry.
std::string MakeList(const std::vector<std::string>& entries) {
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

  HFILE OpenFile(const std::string& name, const std::string& content) {
    machine_.WriteSystemFile(name, content);
    HFILE file = _lopen(("C:\\windows\\system32\\" + name).c_str(), OF_READ);
    EXPECT_NE(file, HFILE_ERROR);
    return file;
  }

  // ReadModelList over content; the entries read, or the result when it is 0.
  int ReadModels(const std::string& content, std::vector<std::string>* entries,
                 int size = kModelListSize) {
    std::vector<char> list(size + 8, '#');
    HFILE file = OpenFile("models.ini", content);
    int result = ReadModelList(file, list.data(), size);
    _lclose(file);
    for (int i = size; i < size + 8; ++i) EXPECT_EQ(list[i], '#') << "written past the list";
    *entries = Entries(list.data());
    return result;
  }

  int ReadLanguages(const std::string& content, std::vector<std::string>* entries,
                    int size = kLanguageBlockSize - kLanguageBlockHandleBytes) {
    std::vector<char> list(size + 8, '#');
    HFILE file = OpenFile("languages.ini", content);
    int result = ReadLanguageLists(file, list.data(), size);
    _lclose(file);
    for (int i = size; i < size + 8; ++i) EXPECT_EQ(list[i], '#') << "written past the list";
    *entries = Entries(list.data());
    return result;
  }

  TestMachine machine_;
  ScriptedUser user_;
};

// --- ReadTextLine ---------------------------------------------------------

struct LineCase {
  const char* name;
  std::string content;
  int size;
  std::vector<std::pair<int, std::string>> reads;
};

TEST_F(ControlFileTest, ReadTextLineReadsLinesAndKeepsWithinTheBuffer) {
  const std::string a98(98, 'a'), a99(99, 'a'), a100(100, 'a');
  const LineCase cases[] = {
      {"lines and final piece", "ab\r\ncd\nend", 100, {{1, "ab\r\n"}, {1, "cd\n"}, {0, "end"}}},
      {"empty file", "", 100, {{0, ""}, {0, ""}}},
      {"line ending the file", "x\n", 100, {{1, "x\n"}, {0, ""}}},
      {"line filling the buffer", a98 + "\n", 100, {{1, a98 + "\n"}, {0, ""}}},
      {"line one over", a99 + "\n", 100, {{kLineTooLong, a99}, {1, "\n"}, {0, ""}}},
      {"final piece filling the buffer", a99, 100, {{0, a99}}},
      {"final piece one over", a100, 100, {{kLineTooLong, a99}, {0, "a"}}},
      {"long line read in pieces",
       "abcdefg\nz",
       4,
       {{kLineTooLong, "abc"}, {kLineTooLong, "def"}, {1, "g\n"}, {0, "z"}}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.name);
    HFILE file = OpenFile("lines.txt", c.content);
    std::vector<char> buffer(c.size + 8, '#');
    for (const auto& [result, text] : c.reads) {
      EXPECT_EQ(ReadTextLine(buffer.data(), c.size, file), result);
      EXPECT_EQ(std::string(buffer.data()), text);
      for (int i = c.size; i < c.size + 8; ++i) ASSERT_EQ(buffer[i], '#');
    }
    _lclose(file);
  }
}

// --- List primitives ------------------------------------------------------

TEST(ListFieldTest, GetListFieldFindsFieldsAndReportsMissingOnes) {
  struct Case {
    const char* entry;
    int n;
    int result;
    const char* field;  // destination afterwards ("untouched" when missing)
  };
  const Case cases[] = {
      {"a,b,c", 0, 1, "a"},        {"a,b,c", 1, 1, "a"},         {"a,b,c", 2, 1, "b"},
      {"a,b,c", 3, 1, "c"},        {"a,b,c", 4, 0, "untouched"}, {"a,b", 3, 0, "untouched"},
      {"a,b,", 3, 0, "untouched"}, {"a,,c", 2, 1, ""},           {"", 1, 1, ""},
      {"", 2, 0, "untouched"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.entry) + " field " + std::to_string(c.n));
    char destination[16] = "untouched";
    EXPECT_EQ(GetListField(destination, c.entry, c.n), c.result);
    EXPECT_STREQ(destination, c.field);
  }
}

TEST(ListFieldTest, GetListFieldBoundedRefusesFieldsThatDoNotFit) {
  struct Case {
    const char* entry;
    int n;
    int size;
    int result;
    const char* field;
  };
  const Case cases[] = {
      {"abcd,efgh", 2, 5, 1, "efgh"},        // exact fit
      {"abcd,efghi", 2, 5, 0, "untouched"},  // one over
      {"abcd,efgh", 3, 5, 0, "untouched"},   // missing
      {"abcd", 1, 0, 0, "untouched"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    char destination[16] = "untouched";
    EXPECT_EQ(GetListFieldBounded(destination, c.size, c.entry, c.n), c.result);
    EXPECT_STREQ(destination, c.field);
  }
}

TEST(ListFieldTest, GetListEntryStepsOverEntries) {
  const std::string list = MakeList({"first", "second"});
  EXPECT_STREQ(GetListEntry(list.data(), -1), "first");
  EXPECT_STREQ(GetListEntry(list.data(), 0), "first");
  EXPECT_STREQ(GetListEntry(list.data(), 1), "second");
  EXPECT_EQ(GetListEntry(list.data(), 2), nullptr);
  EXPECT_EQ(GetListEntry(list.data(), 5), nullptr);
  const std::string empty = MakeList({});
  EXPECT_EQ(GetListEntry(empty.data(), 0), nullptr);
  EXPECT_EQ(GetListEntry(nullptr, 0), nullptr);
}

TEST(ListFieldTest, FindListEntryComparesWholeEntries) {
  const std::string list = MakeList({"a", "bc"});
  const std::string empty = MakeList({});
  EXPECT_EQ(FindListEntry("a", list.data()), 1);
  EXPECT_EQ(FindListEntry("bc", list.data()), 1);
  EXPECT_EQ(FindListEntry("b", list.data()), 0);
  EXPECT_EQ(FindListEntry("A", list.data()), 0);
  EXPECT_EQ(FindListEntry("", list.data()), 0);
  EXPECT_EQ(FindListEntry("", empty.data()), 1);
  // Must not step past the end of an empty list.
  EXPECT_EQ(FindListEntry("a", empty.data()), 0);
}

TEST_F(ControlFileTest, ParseLanguageIdReadsHexDigitsAfterX) {
  struct Case {
    const char* text;
    int value;
    const char* upper;
  };
  const Case cases[] = {
      {"X0409", 1033, "X0409"},
      {"x409", 1033, "X409"},
      {"x0407", 1031, "X0407"},
      {"0409", 1033, "0409"},
      {"", 1033, ""},
      {"X", 1033, "X"},
      {"ENGX", 1033, "ENGX"},
      {"abX10", 16, "ABX10"},
      {"Xg", 'G' - 55, "XG"},
      {"X1:", 16 + (':' - 55), "X1:"},  // not a digit, still added
      {"XX1", ('X' - 55) * 16 + 1, "XX1"},
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

// --- [Control Files] ------------------------------------------------------

TEST_F(ControlFileTest, ReadModelListBuildsEntriesFromQuotedNames) {
  struct Case {
    const char* line;
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      {"\"Kyroth 3\" = KCP, kcp3.exe\r\n", {"Kyroth 3,KCP,kcp3.exe"}},
      {"lead \"Name\"=a,b\r\n", {"Name,a,b"}},
      {"\"Na=me\"=p\r\n", {"Na=me,p"}},
      {"\"a b\" c = d\t e\r\n", {"a bc,de"}},
      {"\"ab\"c\"d\"=e\r\n", {"abcd,e"}},
      {"\"ab\"\"c=d\r\n", {"ab\"c,d"}},  // the character after a quote is taken at once
      {"\"\"=p\r\n", {",p"}},
      {"\"x\"\xE9=y\r\n", {"x,y"}},
      {"\"\xE9\"=y\r\n", {"\xE9,y"}},
      {"\"open = x\r\n", {"open = x\r\n"}},  // unclosed: everything is quoted
      {"no quote=x\r\n", {}},
      {"# \"x\"=y\r\n", {}},
      {"a#\"x\"=y\r\n", {}},
      {"\"one\"=1\r\n\"two\"=2\r\n", {"one,1", "two,2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<std::string> entries;
    EXPECT_EQ(
        ReadModels(std::string("[Control Files]\r\n") + c.line + "[Language Lists]\r\n", &entries),
        1);
    EXPECT_EQ(entries, c.entries);
  }
}

TEST_F(ControlFileTest, ReadModelListChecksHowTheSectionEnds) {
  struct Case {
    const char* name;
    std::string content;
    int result;
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      {"lines before the header are skipped",
       "\"a\"=1\r\n[Control Files] more\r\n\"b\"=2\r\n",
       1,
       {"b,2"}},
      {"end of file after an = outside quotes",
       "[Control Files]\r\n\"b\"=2\r\n\"c\"\r\n",
       1,
       {"b,2", "c"}},
      {"final piece is not an entry", "[Control Files]\r\n\"b\"=2\r\n\"c\"=3", 1, {"b,2"}},
      {"no header", "\"a\"=1\r\n[Control File]\r\n\"b\"=2\r\n", 0, {}},
      {"header cut differently", "[control files]\r\n\"b\"=2\r\n", 0, {}},
      {"end of file without =", "[Control Files]\r\n\"b\" 2\r\n", 0, {}},
      {"= only inside quotes", "[Control Files]\r\n\"b=2\"\r\n", 0, {}},
      {"section ended by a header without =", "[Control Files]\r\n\"b\"\r\n[x]\r\n", 1, {"b"}},
      {"empty section", "[Control Files]\r\n[Language Lists]\r\n", 1, {}},
      {"empty file", "", 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> entries;
    EXPECT_EQ(ReadModels(c.content, &entries), c.result);
    EXPECT_EQ(entries, c.entries);
  }
}

TEST_F(ControlFileTest, ReadModelListRefusesWhatDoesNotFit) {
  const std::string header = "[Control Files]\r\n";
  const std::string end = "[x]\r\n";
  // 99 bytes with the line break fit the line buffer; 100 do not, wherever
  // the line is.
  const std::string fitting = "\"" + std::string(93, 'n') + "\"=p\r\n";
  const std::string longer = "\"" + std::string(94, 'n') + "\"=p\r\n";
  ASSERT_EQ(fitting.size(), 99u);
  std::vector<std::string> entries;
  EXPECT_EQ(ReadModels(header + fitting + end, &entries), 1);
  EXPECT_EQ(entries, std::vector<std::string>{std::string(93, 'n') + ",p"});
  EXPECT_EQ(ReadModels(header + longer + end, &entries), 0);
  EXPECT_EQ(ReadModels("; " + std::string(96, '-') + "\r\n" + header + fitting + end, &entries), 0);

  // A list of 10 bytes holds entries of 8 bytes in all, with their zeros and
  // the final zero.
  EXPECT_EQ(ReadModels(header + "\"abc\"\r\n\"defg\"\r\n" + end, &entries, 10), 1);
  EXPECT_EQ(entries, (std::vector<std::string>{"abc", "defg"}));
  EXPECT_EQ(ReadModels(header + "\"abc\"\r\n\"defgh\"\r\n" + end, &entries, 10), 0);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(ReadModels(header + "\"abcdefgh\"\r\n\"\"\r\n" + end, &entries, 10), 0);
}

// --- [Language Lists] -----------------------------------------------------

TEST_F(ControlFileTest, ReadLanguageListsTakesCommaLines) {
  std::vector<std::string> entries;
  EXPECT_EQ(ReadLanguages("English = X0409, a.lng, b.lng\r\n"
                          "[Language Lists] (trailing)\r\n"
                          "English = X0409, eng.lng, engcp.lng\r\n"
                          "  \t German=X0407,ger.lng,gercp.lng   # comment, here\r\n"
                          "# French=X040C,fre.lng,frecp.lng\r\n"
                          "NoComma=X\r\n"
                          "Caf\xE9=X0410,\xE9.lng\r\n"
                          "[Other]\r\n"
                          "Later,X0411,jpn.lng,jpncp.lng\r\n"
                          "Final,X0412,kor.lng,korcp.lng",
                          &entries),
            0);
  EXPECT_EQ(entries, (std::vector<std::string>{
                         "English,X0409,eng.lng,engcp.lng",
                         "German,X0407,ger.lng,gercp.lng#comment,here",
                         "Caf,X0410,.lng",
                         "Later,X0411,jpn.lng,jpncp.lng",
                     }));
  EXPECT_EQ(ReadLanguages("a,b\r\n", &entries), 0);
  EXPECT_TRUE(entries.empty());
}

TEST_F(ControlFileTest, ReadLanguageListsRefusesWhatDoesNotFit) {
  const std::string header = "[Language Lists]\r\n";
  const std::string fitting = "a," + std::string(295, 'b') + "\r\n";  // 299 bytes
  ASSERT_EQ(fitting.size(), 299u);
  std::vector<std::string> entries;
  EXPECT_EQ(ReadLanguages(header + fitting, &entries), 0);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(ReadLanguages(header + "a," + std::string(296, 'b') + "\r\n", &entries), kLineTooLong);
  EXPECT_TRUE(entries.empty());
  // A long line anywhere in the file counts, as the reader reads every line.
  EXPECT_EQ(ReadLanguages(std::string(298, ';') + "\r\n" + header + fitting, &entries),
            kLineTooLong);

  EXPECT_EQ(ReadLanguages(header + "a,b\r\nc,de\r\n", &entries, 10), 0);
  EXPECT_EQ(entries, (std::vector<std::string>{"a,b", "c,de"}));
  EXPECT_EQ(ReadLanguages(header + "a,b\r\nc,def\r\n", &entries, 10), kLineTooLong);
  EXPECT_TRUE(entries.empty());
}

// --- The chosen entries -----------------------------------------------------

TEST_F(ControlFileTest, CheckChosenEntriesWantsPlainFileNamesThatFit) {
  struct Case {
    const char* name;
    std::string model;     // the model entry at index 1
    std::string language;  // the language entry at index 1
    bool valid;
  };
  const std::string name15(15, 'p'), name19(19, 'l');
  const Case cases[] = {
      {"plain names", "M,x,kcp.exe", "E,X0409,eng.lng,engcp.lng", true},
      {"names filling their buffers", "M,x," + name15, "E,X0409," + name19 + "," + name19, true},
      {"program name one over", "M,x," + name15 + "p", "E,X0409,a.lng,b.lng", false},
      {"first language file one over", "M,x,kcp.exe", "E,X0409," + name19 + "l,b.lng", false},
      {"second language file one over", "M,x,kcp.exe", "E,X0409,a.lng," + name19 + "l", false},
      {"no program name", "M,x", "E,X0409,a.lng,b.lng", false},
      {"empty program name", "M,x,,y", "E,X0409,a.lng,b.lng", false},
      {"no second language file", "M,x,kcp.exe", "E,X0409,a.lng", false},
      {"backslash", "M,x,..\\kcp.exe", "E,X0409,a.lng,b.lng", false},
      {"program in a folder", "M,x,bin\\kcp.exe", "E,X0409,a.lng,b.lng", false},
      {"slash", "M,x,kcp.exe", "E,X0409,sub/a.lng,b.lng", false},
      {"drive", "M,x,kcp.exe", "E,X0409,a.lng,C:b.lng", false},
      {"parent", "M,x,kcp.exe", "E,X0409,a.lng,..", false},
      {"dots inside a name", "M,x,kcp..exe", "E,X0409,a.lng,b.lng", false},
      {"single dots are fine", "M,x,k.c.p", "E,X0409,.a,b.", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string models = MakeList({"Other,x,other.exe", c.model});
    const std::string languages = std::string(kLanguageBlockHandleBytes, '\0') +
                                  MakeList({"F,X040C,f.lng,g.lng", c.language});
    ASSERT_LT(models.size(), sizeof ModelList);
    std::memcpy(ModelList, models.data(), models.size());
    std::vector<char> block(languages.begin(), languages.end());
    LanguageList = block.data() + kLanguageBlockHandleBytes;
    SelectedModel = 1;
    SelectedLanguage = 1;
    EXPECT_EQ(CheckChosenEntries() != 0, c.valid);
    LanguageList = nullptr;
  }
}

TEST_F(ControlFileTest, CheckChosenEntriesNeedsTheEntriesToExist) {
  const std::string models = MakeList({"M,x,kcp.exe"});
  std::memcpy(ModelList, models.data(), models.size());
  std::string languages =
      std::string(kLanguageBlockHandleBytes, '\0') + MakeList({"E,X0409,a.lng,b.lng"});
  LanguageList = languages.data() + kLanguageBlockHandleBytes;
  struct Case {
    int model;
    int language;
    bool valid;
  };
  const Case cases[] = {{0, 0, true}, {0, -1, true}, {1, 0, false}, {0, 1, false}};
  for (const Case& c : cases) {
    SelectedModel = c.model;
    SelectedLanguage = c.language;
    EXPECT_EQ(CheckChosenEntries() != 0, c.valid) << c.model << " " << c.language;
  }
  SelectedModel = 0;
  SelectedLanguage = 0;
  ModelList[0] = 0;
  EXPECT_FALSE(CheckChosenEntries());
  LanguageList = nullptr;
  std::memcpy(ModelList, models.data(), models.size());
  EXPECT_FALSE(CheckChosenEntries());
}

// --- ReadControlFile --------------------------------------------------------

// count model lines of 96 bytes, 93 bytes each in the list.
std::string ModelLines(int count) {
  std::string content = "[Control Files]\r\n";
  for (int i = 0; i < count; ++i) content += "\"" + std::string(90, 'm') + "\"=x\r\n";
  return content;
}

const char kGoodFile[] =
    "; Kyroth printers\r\n"
    "[Control Files]\r\n"
    "\"Kyroth 1\" = K1, kcp1.exe\r\n"
    "\"Kyroth 3\" = K3, kcp3.exe\r\n"
    "[Language Lists]\r\n"
    "English = X0409, eng.lng, engcp.lng\r\n"
    "German = X0407, ger.lng, gercp.lng\r\n";

TEST_F(ControlFileTest, ReadControlFileWithoutTheFileSaysSo) {
  EXPECT_EQ(ReadControlFile(NULL, NULL, "Kyroth 3"), 0);
  ASSERT_EQ(user_.messageBoxes.size(), 1u);
  EXPECT_EQ(user_.messageBoxes[0].text, kCannotOpen);
  EXPECT_EQ(user_.messageBoxes[0].caption, "ERROR");
  EXPECT_EQ(user_.messageBoxes[0].style, static_cast<unsigned>(MB_OK));
  EXPECT_EQ(LanguageList, nullptr);
  EXPECT_TRUE(user_.dialogs.empty());
}

TEST_F(ControlFileTest, ReadControlFileFailingToOpenTheFileAgainSaysSo) {
  machine_.WriteSystemFile("KYROTH.INI", kGoodFile);
  host::FailSyscall(host::Syscall::Open, 2);
  EXPECT_EQ(ReadControlFile(NULL, NULL, "Kyroth 3"), 0);
  ASSERT_EQ(user_.messageBoxes.size(), 1u);
  EXPECT_EQ(user_.messageBoxes[0].text, kCannotOpen);
  EXPECT_EQ(LanguageList, nullptr);
}

TEST_F(ControlFileTest, ReadControlFileRefusesInvalidFiles) {
  struct Case {
    const char* name;
    std::string content;
  };
  const Case cases[] = {
      {"no [Control Files]", "[Language Lists]\r\nEnglish,X0409,a.lng,b.lng\r\n"},
      {"models without = to the end", "[Control Files]\r\n\"Kyroth 3\" K3 kcp3.exe\r\n"},
      {"empty model list", "[Control Files]\r\n[Language Lists]\r\nE,X0409,a.lng,b.lng\r\n"},
      {"model line too long",
       "[Control Files]\r\n\"Kyroth 3\"=K3,kcp3.exe" + std::string(90, ' ') + "\r\n"},
      {"model list too long", ModelLines(5)},
      {"language line too long",
       std::string(kGoodFile) + "Long,X0409,a.lng,b.lng" + std::string(280, '\t') + "\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    user_.messageBoxes.clear();
    machine_.WriteSystemFile("KYROTH.INI", c.content);
    EXPECT_EQ(ReadControlFile(NULL, NULL, "Kyroth 3"), 0);
    ASSERT_EQ(user_.messageBoxes.size(), 1u);
    EXPECT_EQ(user_.messageBoxes[0].text, kInvalid);
    EXPECT_EQ(user_.messageBoxes[0].caption, "ERROR");
    EXPECT_EQ(LanguageList, nullptr);
    EXPECT_TRUE(user_.dialogs.empty());
  }
}

class ReadControlFileDialogTest : public ControlFileTest {
 protected:
  void Answer(int select, int button) {
    user_.answer.select = select;
    user_.answer.button = button;
  }
};

TEST_F(ReadControlFileDialogTest, InstallKeepsTheChosenLanguageAndTheBlock) {
  machine_.WriteSystemFile("KYROTH.INI", kGoodFile);
  Answer(1, IDOK);
  EXPECT_EQ(ReadControlFile(NULL, NULL, "Kyroth 3"), 1);
  EXPECT_EQ(user_.dialogs, std::vector<std::string>{"INSTALL_DLG"});
  EXPECT_TRUE(user_.messageBoxes.empty());
  EXPECT_EQ(SelectedModel, 1);
  EXPECT_EQ(SelectedLanguage, 1);
  EXPECT_EQ(Entries(ModelList),
            (std::vector<std::string>{"Kyroth 1,K1,kcp1.exe", "Kyroth 3,K3,kcp3.exe"}));
  ASSERT_NE(LanguageList, nullptr);
  EXPECT_EQ(Entries(LanguageList), (std::vector<std::string>{"English,X0409,eng.lng,engcp.lng",
                                                             "German,X0407,ger.lng,gercp.lng"}));
  // The block starts with its own handle.
  DWORD stored;
  std::memcpy(&stored, LanguageList - kLanguageBlockHandleBytes, sizeof stored);
  HGLOBAL handle = reinterpret_cast<HGLOBAL>(static_cast<ULONG_PTR>(stored));
  EXPECT_EQ(GlobalLock(handle), LanguageList - kLanguageBlockHandleBytes);
  GlobalUnlock(handle);
}

TEST_F(ReadControlFileDialogTest, UnknownPrinterKeepsModelZeroAndNoSelectionMeansFirst) {
  machine_.WriteSystemFile("KYROTH.INI", kGoodFile);
  Answer(host::DialogAnswer::kNoSelection, IDOK);
  SelectedLanguage = -1;  // nothing preselected, and Install without a choice
  EXPECT_EQ(ReadControlFile(NULL, NULL, "kyroth 3"), 1);
  EXPECT_EQ(SelectedModel, 0);
  EXPECT_EQ(SelectedLanguage, -1);
  EXPECT_TRUE(user_.messageBoxes.empty());
  EXPECT_NE(LanguageList, nullptr);
}

TEST_F(ReadControlFileDialogTest, CancelReleasesTheBlock) {
  machine_.WriteSystemFile("KYROTH.INI", kGoodFile);
  Answer(0, IDCANCEL);
  EXPECT_EQ(ReadControlFile(NULL, NULL, "Kyroth 1"), 0);
  EXPECT_EQ(SelectedModel, 0);
  EXPECT_EQ(LanguageList, nullptr);
  EXPECT_TRUE(user_.messageBoxes.empty());
}

TEST_F(ReadControlFileDialogTest, InstallWithBadNamesIsInvalid) {
  struct Case {
    const char* name;
    std::string content;
    int select;
  };
  const Case cases[] = {
      {"program outside the source folder",
       "[Control Files]\r\n\"Kyroth 3\"=K3,..\\kcp3.exe\r\n[Language Lists]\r\nE,X0409,a,b\r\n", 0},
      {"chosen language misses its second file",
       "[Control Files]\r\n\"Kyroth 3\"=K3,kcp3.exe\r\n[Language Lists]\r\nE,X0409,a,b\r\n"
       "G,X0407,ger.lng\r\n",
       1},
      {"no languages", "[Control Files]\r\n\"Kyroth 3\"=K3,kcp3.exe\r\n",
       host::DialogAnswer::kNoSelection},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    user_.messageBoxes.clear();
    machine_.WriteSystemFile("KYROTH.INI", c.content);
    Answer(c.select, IDOK);
    EXPECT_EQ(ReadControlFile(NULL, NULL, "Kyroth 3"), 0);
    ASSERT_EQ(user_.messageBoxes.size(), 1u);
    EXPECT_EQ(user_.messageBoxes[0].text, kInvalid);
    EXPECT_EQ(LanguageList, nullptr);
  }
}

}  // namespace
