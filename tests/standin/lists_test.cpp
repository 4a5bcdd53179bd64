// Symbols and lists of the stand-in's mscomstf.dll.
#include <cstring>
#include <string>

#include "standin_fixture.h"
#include "toolkit/toolkit_api.h"

namespace {

class ListsTest : public StandinTest {};

TEST_F(ListsTest, ItemsAreNumberedFromOneAndCopiedLikeSymbols) {
  ASSERT_TRUE(FAddListItem("Langs", "English"));
  ASSERT_TRUE(FAddListItem("Langs", "Deutsch"));
  ASSERT_TRUE(FAddListItem("Langs", ""));
  EXPECT_EQ(UsGetListLength("Langs"), 3);
  struct Case {
    USHORT index;
    int size;
    int expected;
    const char* text;
  } cases[] = {
      {1, 8, 7, "English"},                                   // exact fit
      {1, 7, 7, "Englis"},                                    // one short: cut, whole length
      {2, 32, 7, "Deutsch"}, {3, 32, 0, ""}, {0, 32, 0, ""},  // no item 0
      {4, 32, 0, ""},                                         // past the end
  };
  for (const Case& c : cases) {
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(CbGetListItem("Langs", c.index, buffer, c.size), c.expected) << c.index;
    EXPECT_STREQ(buffer, c.text) << c.index << " " << c.size;
  }
  EXPECT_EQ(StandinSymbol("Langs"), "{\"English\",\"Deutsch\",\"\"}");
}

TEST_F(ListsTest, ReplacingNeedsAnExistingItem) {
  ASSERT_TRUE(FAddListItem("L", "a"));
  ASSERT_TRUE(FAddListItem("L", "b"));
  EXPECT_TRUE(FReplaceListItem("L", 2, "say \"B\""));
  EXPECT_FALSE(FReplaceListItem("L", 0, "zero"));
  EXPECT_FALSE(FReplaceListItem("L", 3, "past"));
  EXPECT_FALSE(FReplaceListItem("Missing", 1, "x"));
  EXPECT_EQ(StandinSymbol("L"), "{\"a\",\"say \"\"B\"\"\"}");
  char buffer[16];
  EXPECT_EQ(CbGetListItem("L", 2, buffer, sizeof buffer), 7);
  EXPECT_STREQ(buffer, "say \"B\"");
}

TEST_F(ListsTest, APlainSymbolIsAListOfOneAndSettingItEndsTheList) {
  ASSERT_TRUE(FSetSymbolValue("S", "C:"));
  EXPECT_EQ(UsGetListLength("S"), 1);
  ASSERT_TRUE(FAddListItem("S", "D:"));
  EXPECT_EQ(UsGetListLength("S"), 2);
  ASSERT_TRUE(FSetSymbolValue("S", ""));
  EXPECT_EQ(UsGetListLength("S"), 0);
  EXPECT_EQ(UsGetListLength(""), 0);
  EXPECT_FALSE(FAddListItem("", "x"));
  EXPECT_FALSE(FAddListItem(nullptr, "x"));
}

TEST_F(ListsTest, RemovingASymbolForgetsTextAndList) {
  ASSERT_TRUE(FAddListItem("L", "a"));
  ASSERT_TRUE(FSetSymbolValue("T", "text"));
  EXPECT_TRUE(FRemoveSymbol("L"));
  EXPECT_TRUE(FRemoveSymbol("T"));
  EXPECT_TRUE(FRemoveSymbol("NeverSet"));
  EXPECT_FALSE(FRemoveSymbol(""));
  EXPECT_EQ(UsGetListLength("L"), 0);
  char buffer[8] = "x";
  EXPECT_EQ(CbGetSymbolValue("T", buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
}

TEST_F(ListsTest, FailuresAndResultsAreThoseAskedFor) {
  Open("[toolkit]\nUsGetListLength=result 40000\nFAddListItem=fail 2\n");
  EXPECT_TRUE(FAddListItem("L", "a"));
  EXPECT_FALSE(FAddListItem("L", "b"));  // failed: nothing added
  EXPECT_TRUE(FAddListItem("L", "c"));
  EXPECT_EQ(UsGetListLength("L"), 40000);
  EXPECT_EQ(StandinSymbol("L"), "{\"a\",\"c\"}");
  EXPECT_EQ(TranscriptOf("toolkit fail"), (std::vector<std::string>{"toolkit fail FAddListItem"}));
}

}  // namespace
