// The stand-in's INF files: the reader on its own, and the toolkit's INF
// functions on a machine.
#include <cstring>
#include <string>
#include <vector>

#include "inf/inf_file.h"
#include "standin_fixture.h"
#include "toolkit/toolkit_api.h"

namespace {

const char kSetupInf[] =
    "; the package's INF file\r\n"
    "[Files]\r\n"
    "lang = f1,f2,f3,f4,f5,f6,f7,f8,f9,f10,f11,f12,f13,f14,-42abc,f16,f17,f18,f19\r\n"
    "font = \"BC, FONT.FON\" , \"say \"\"hi\"\"\" ; a comment\r\n"
    "empty =\r\n"
    "C:\\NO\\KEY.DLL, second\r\n"
    "\r\n"
    "[Files]\r\n"
    "more = later\r\n"
    "[ Options ]\n"
    "Mode=1\n";

std::string Field(const InfFile& inf, const char* section, const char* key, size_t number) {
  const InfSection* found = FindInfSection(inf, section);
  if (found == nullptr) return "<no section>";
  const InfLine* line = FindInfKey(*found, key);
  if (line == nullptr) return "<no key>";
  if (number < 1 || number > line->fields.size()) return "<no field>";
  return line->fields[number - 1];
}

class InfReaderTest : public StandinTest {};

TEST_F(InfReaderTest, FieldsAreNumberedFromOneAndUnquoted) {
  InfFile inf = ParseInfText(kSetupInf);
  EXPECT_TRUE(inf.problems.empty());
  struct Case {
    const char* section;
    const char* key;
    size_t number;
    const char* expected;
  } cases[] = {
      {"Files", "lang", 1, "f1"},
      {"Files", "lang", 5, "f5"},
      {"Files", "lang", 11, "f11"},
      {"Files", "lang", 15, "-42abc"},
      {"Files", "lang", 19, "f19"},
      {"Files", "lang", 20, "<no field>"},
      {"Files", "lang", 0, "<no field>"},
      {"files", "LANG", 2, "f2"},  // names match case-insensitively
      {"Files", "font", 1, "BC, FONT.FON"},
      {"Files", "font", 2, "say \"hi\""},
      {"Files", "font", 3, "<no field>"},  // the comment is no field
      {"Files", "empty", 1, ""},
      {"Files", "more", 1, "later"},  // the second [Files] continues the first
      {"Options", "Mode", 1, "1"},
      {"Files", "missing", 1, "<no key>"},
      {"Nothing", "lang", 1, "<no section>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Field(inf, c.section, c.key, c.number), c.expected)
        << c.section << " " << c.key << " " << c.number;
  }
  const InfSection* files = FindInfSection(inf, "Files");
  ASSERT_NE(files, nullptr);
  ASSERT_EQ(files->lines.size(), 5u);
  EXPECT_FALSE(files->lines[3].has_key);
  EXPECT_EQ(files->lines[3].fields, (std::vector<std::string>{"C:\\NO\\KEY.DLL", "second"}));
}

TEST_F(InfReaderTest, BadLinesAreReportedWithTheirNumbersAndSkipped) {
  InfFile inf = ParseInfText(
      "orphan=1\n"          // 1
      "[Good]\n"            // 2
      "a=\"open\n"          // 3
      "b=\"closed\"tail\n"  // 4
      "c=un\"quo\"ted\n"    // 5
      "=nokey\n"            // 6
      "d,e=1\n"             // 7
      "ok=yes\n"            // 8
      "[Broken\n"           // 9
      "lost=1\n"            // 10
      "[Named] text\n"      // 11
      "[]\n"                // 12
      "[Last]\n"            // 13
      "fine=1\n");          // 14
  std::vector<std::pair<int, std::string>> problems;
  for (const InfProblem& problem : inf.problems) problems.push_back({problem.line, problem.reason});
  EXPECT_EQ(problems, (std::vector<std::pair<int, std::string>>{
                          {1, "a line outside any section"},
                          {3, "unterminated quote"},
                          {4, "text after a closing quote"},
                          {5, "quote inside an unquoted field"},
                          {6, "an empty key"},
                          {7, "a comma in the key"},
                          {9, "a section header without ']'"},
                          {10, "a line outside any section"},
                          {11, "text after a section header"},
                          {12, "a section without a name"},
                      }));
  EXPECT_EQ(Field(inf, "Good", "ok", 1), "yes");
  EXPECT_EQ(Field(inf, "Last", "fine", 1), "1");
  ASSERT_NE(FindInfSection(inf, "Good"), nullptr);
  EXPECT_EQ(FindInfSection(inf, "Good")->lines.size(), 1u);
  // The lines kept know where they stand, past the skipped ones.
  EXPECT_EQ(FindInfKey(*FindInfSection(inf, "Good"), "ok")->number, 8);
  EXPECT_EQ(FindInfKey(*FindInfSection(inf, "Last"), "fine")->number, 14);
}

TEST_F(InfReaderTest, DoubleByteTrailBytesAreNoSeparators) {
  Open("", "acp=932\noemcp=932\n");
  // 0x83 0x5D is one character whose second byte is ']'; 0x95 0x5C one
  // whose second byte is '\'.
  InfFile inf = ParseInfText("[\x83\x5D]\nkey=\x95\x5C,x\n");
  EXPECT_TRUE(inf.problems.empty());
  EXPECT_EQ(Field(inf, "\x83\x5D", "key", 1), "\x95\x5C");
  EXPECT_EQ(Field(inf, "\x83\x5D", "key", 2), "x");
}

class InfFunctionsTest : public StandinTest {
 protected:
  void SetUp() override {
    StandinTest::SetUp();
    Write("C:\\PKG\\SETUP.INF", kSetupInf);
  }
};

TEST_F(InfFunctionsTest, KeyFieldCopiesLikeASymbolAndMissingPartsGiveMinusOne) {
  ASSERT_TRUE(FOpenInf("C:\\PKG\\SETUP.INF", TRUE, FALSE));
  struct Case {
    const char* section;
    const char* key;
    USHORT number;
    int size;
    int expected;
    const char* text;  // what the buffer holds afterwards
  } cases[] = {
      {"Files", "lang", 19, 4, 3, "f19"},  // exact fit
      {"Files", "lang", 19, 3, 3, "f1"},   // one short: cut, length whole
      {"Files", "lang", 15, 128, 6, "-42abc"},  {"Files", "empty", 1, 8, 0, ""},
      {"Files", "lang", 20, 8, -1, "sentinel"},  // missing field: untouched
      {"Files", "nokey", 1, 8, -1, "sentinel"}, {"None", "lang", 1, 8, -1, "sentinel"},
  };
  for (const Case& c : cases) {
    char buffer[16];
    std::strcpy(buffer, "sentinel");
    EXPECT_EQ(CbGetInfSectionKeyField(c.section, c.key, c.number, buffer, c.size), c.expected)
        << c.key << " " << c.number << " " << c.size;
    EXPECT_STREQ(buffer, c.text) << c.key << " " << c.number;
  }
}

TEST_F(InfFunctionsTest, TheMachinesInfIsReadUntilAnotherIsOpened) {
  Write("C:\\OTHER\\B.INF", "[Files]\nlang=other\n");
  Open("[toolkit]\ninf=C:\\PKG\\SETUP.INF\n");
  char buffer[32];
  EXPECT_EQ(CbGetInfSectionKeyField("Files", "lang", 1, buffer, sizeof buffer), 2);
  EXPECT_STREQ(buffer, "f1");
  ASSERT_TRUE(FOpenInf("C:\\OTHER\\B.INF", TRUE, TRUE));
  EXPECT_EQ(CbGetInfSectionKeyField("Files", "lang", 1, buffer, sizeof buffer), 5);
  EXPECT_STREQ(buffer, "other");
}

TEST_F(InfFunctionsTest, WithoutAnInfEveryReaderFails) {
  char buffer[8];
  EXPECT_EQ(CbGetInfSectionKeyField("Files", "lang", 1, buffer, sizeof buffer), -1);
  EXPECT_FALSE(FMakeListInfSectionField("L", "Files", 1));
  EXPECT_FALSE(FSetSymbolToListOfInfKeys("L", "Files", TRUE));
  EXPECT_FALSE(FOpenInf("C:\\PKG\\MISSING.INF", TRUE, FALSE));
  EXPECT_EQ(
      TranscriptOf("inf bad"),
      (std::vector<std::string>{"inf bad \"C:\\PKG\\MISSING.INF\" 0 \"cannot open the file\""}));
}

TEST_F(InfFunctionsTest, BadLinesRefuseTheFileOnlyWhenLinesAreChecked) {
  Write("C:\\PKG\\BAD.INF", "[Files]\nlang=\"open\nok=1\n");
  ASSERT_TRUE(FOpenInf("C:\\PKG\\SETUP.INF", TRUE, FALSE));
  EXPECT_FALSE(FOpenInf("C:\\PKG\\BAD.INF", TRUE, FALSE));
  char buffer[8];
  // The file open before stays open.
  EXPECT_EQ(CbGetInfSectionKeyField("Files", "lang", 1, buffer, sizeof buffer), 2);
  EXPECT_TRUE(FOpenInf("C:\\PKG\\BAD.INF", FALSE, FALSE));
  EXPECT_EQ(CbGetInfSectionKeyField("Files", "ok", 1, buffer, sizeof buffer), 1);
  EXPECT_EQ(CbGetInfSectionKeyField("Files", "lang", 1, buffer, sizeof buffer), -1);
  EXPECT_EQ(TranscriptOf("inf bad"),
            (std::vector<std::string>{"inf bad \"C:\\PKG\\BAD.INF\" 2 \"unterminated quote\"",
                                      "inf bad \"C:\\PKG\\BAD.INF\" 2 \"unterminated quote\""}));
}

TEST_F(InfFunctionsTest, SectionListsHoldKeysOrFieldsInOrder) {
  ASSERT_TRUE(FOpenInf("C:\\PKG\\SETUP.INF", TRUE, FALSE));
  ASSERT_TRUE(FSetSymbolToListOfInfKeys("Keys", "Files", FALSE));
  EXPECT_EQ(StandinSymbol("Keys"), "{\"lang\",\"font\",\"empty\",\"more\"}");
  ASSERT_TRUE(FSetSymbolToListOfInfKeys("Keys", "Files", TRUE));
  EXPECT_EQ(UsGetListLength("Keys"), 5);
  char buffer[32];
  EXPECT_EQ(CbGetListItem("Keys", 4, buffer, sizeof buffer), 0);  // the line without a key

  ASSERT_TRUE(FMakeListInfSectionField("F2", "Files", 2));
  EXPECT_EQ(StandinSymbol("F2"), "{\"f2\",\"say \"\"hi\"\"\",\"\",\"second\",\"\"}");
  ASSERT_TRUE(FMakeListInfSectionField("F15", "Files", 15));
  EXPECT_EQ(UsGetListLength("F15"), 5);
  EXPECT_EQ(CbGetListItem("F15", 1, buffer, sizeof buffer), 6);
  EXPECT_STREQ(buffer, "-42abc");
  EXPECT_FALSE(FMakeListInfSectionField("F", "Nothing", 1));
}

TEST_F(InfFunctionsTest, ResultsAndFailuresFollowTheMachine) {
  Open(
      "[toolkit]\ninf=C:\\PKG\\SETUP.INF\nCbGetInfSectionKeyField=result 128 2\nFOpenInf=fail 1\n");
  char buffer[8];
  EXPECT_EQ(CbGetInfSectionKeyField("Files", "lang", 1, buffer, sizeof buffer), 2);
  EXPECT_EQ(CbGetInfSectionKeyField("Files", "lang", 1, buffer, sizeof buffer), 128);
  EXPECT_STREQ(buffer, "f1");  // the work is done all the same
  EXPECT_FALSE(FOpenInf("C:\\PKG\\SETUP.INF", TRUE, FALSE));
  EXPECT_TRUE(FOpenInf("C:\\PKG\\SETUP.INF", TRUE, FALSE));
  std::vector<ToolkitCall> calls = StandinCallsOf("FOpenInf");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{"\"C:\\PKG\\SETUP.INF\"", "1", "0"}));
}

}  // namespace
