// The copy list: entries from the open INF file's sections, its cost, its
// dump and the copy run.
#include <string>
#include <vector>

#include "host/syscalls.h"
#include "standin_fixture.h"
#include "toolkit/toolkit_api.h"

namespace {

class CopyListTest : public StandinTest {
 protected:
  void SetUp() override {
    StandinTest::SetUp();
    Open("[toolkit]\ninf=C:\\PKG\\SETUP.INF\n");
    Write("C:\\PKG\\SETUP.INF",
          "[Program]\n"
          "app = KYRCP.EXE, 1, yes\n"
          "drv = KYR.386\n"
          "[Text]\n"
          "PLAIN.TX_\n"
          "LARGE.BI_\n"
          "[Broken]\n"
          "one = GOOD.TXT\n"
          "two = , nameless\n");
    Write("C:\\PKG\\KYRCP.EXE", std::string(1000, 'e'));
    Write("C:\\PKG\\KYR.386", std::string(386, 'k'));
    Write("C:\\PKG\\PLAIN.TX_", Fixture("compressed_plain.tx_"));
    Write("C:\\PKG\\LARGE.BI_", Fixture("compressed_large.bi_"));
  }
};

TEST_F(CopyListTest, SectionsAddTheirFilesAndTheDumpListsThem) {
  ASSERT_TRUE(FAddSectionFilesToCopyList("Text", "C:\\PKG\\", "C:\\DEST"));
  ASSERT_TRUE(FAddSectionKeyFileToCopyList("program", "DRV", "C:\\PKG", "C:\\DEST\\"));
  ASSERT_TRUE(FAddSpecialFileToCopyList("Program", "app", "C:\\PKG", "C:\\DEST\\CONTROL.EXE"));
  ASSERT_TRUE(FDumpCopyListToFile("C:\\DEST\\COPY.LST"));
  EXPECT_EQ(Read("C:\\DEST\\COPY.LST"),
            "\"C:\\PKG\\PLAIN.TX_\" \"C:\\DEST\\PLAIN.TX_\"\r\n"
            "\"C:\\PKG\\LARGE.BI_\" \"C:\\DEST\\LARGE.BI_\"\r\n"
            "\"C:\\PKG\\KYR.386\" \"C:\\DEST\\KYR.386\"\r\n"
            "\"C:\\PKG\\KYRCP.EXE\" \"C:\\DEST\\CONTROL.EXE\"\r\n");
  ResetCopyList();
  ASSERT_TRUE(FDumpCopyListToFile("C:\\DEST\\COPY.LST"));
  EXPECT_EQ(Read("C:\\DEST\\COPY.LST"), "");
}

TEST_F(CopyListTest, MissingSectionsKeysAndNamesAddNothing) {
  EXPECT_FALSE(FAddSectionFilesToCopyList("Nothing", "C:\\PKG", "C:\\DEST"));
  EXPECT_FALSE(FAddSectionFilesToCopyList("Broken", "C:\\PKG", "C:\\DEST"));  // a nameless line
  EXPECT_FALSE(FAddSectionKeyFileToCopyList("Program", "none", "C:\\PKG", "C:\\DEST"));
  EXPECT_FALSE(FAddSectionKeyFileToCopyList("Broken", "two", "C:\\PKG", "C:\\DEST"));
  EXPECT_FALSE(FAddSpecialFileToCopyList("Program", "app", "C:\\PKG", ""));
  EXPECT_EQ(LcbGetCopyListCost(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(GrcCopyFilesInCopyList(nullptr), 0);
  EXPECT_EQ(TranscriptOf("file"), std::vector<std::string>{});
}

TEST_F(CopyListTest, TheCostIsTheSourcesSizesAndMayPassThirtyTwoBits) {
  ASSERT_TRUE(FAddSectionFilesToCopyList("Program", "C:\\PKG", "C:\\DEST"));
  ASSERT_TRUE(FAddSectionKeyFileToCopyList("Program", "app", "C:\\PKG", "C:\\OTHER"));
  ASSERT_TRUE(FAddSpecialFileToCopyList("Program", "drv", "C:\\NOWHERE", "C:\\DEST\\X.386"));
  EXPECT_EQ(LcbGetCopyListCost("", "", ""), 1000 + 386 + 1000);  // the missing one adds nothing
  StandinSetResult("LcbGetCopyListCost", 0, 5000000000LL);
  EXPECT_EQ(LcbGetCopyListCost("", "", ""), 5000000000LL);
}

TEST_F(CopyListTest, AMachineSetsTheCostAndTheRunsResult) {
  Open(
      "[toolkit]\ninf=C:\\PKG\\SETUP.INF\nLcbGetCopyListCost=result 0x100000000\n"
      "GrcCopyFilesInCopyList=result 48 2\n");
  EXPECT_EQ(LcbGetCopyListCost("", "", ""), 0x100000000LL);
  EXPECT_EQ(GrcCopyFilesInCopyList(nullptr), 0);
  ASSERT_TRUE(FAddSectionKeyFileToCopyList("Program", "drv", "C:\\PKG", "C:\\DEST"));
  EXPECT_EQ(GrcCopyFilesInCopyList(nullptr), 48);
  EXPECT_EQ(Read("C:\\DEST\\KYR.386"), std::string(386, 'k'));  // copied all the same
}

TEST_F(CopyListTest, TheRunCopiesAndExpandsEveryEntryThenEmptiesTheList) {
  ASSERT_TRUE(FAddSectionFilesToCopyList("Text", "C:\\PKG", "C:\\DEST"));
  ASSERT_TRUE(FAddSpecialFileToCopyList("Program", "drv", "C:\\PKG", "C:\\DEST\\SUB.386"));
  EXPECT_EQ(GrcCopyFilesInCopyList(nullptr), 0);
  EXPECT_EQ(Read("C:\\DEST\\PLAIN.TX_"), Fixture("plain.txt"));
  EXPECT_EQ(Read("C:\\DEST\\LARGE.BI_"), Fixture("large.bin"));
  EXPECT_EQ(Read("C:\\DEST\\SUB.386"), std::string(386, 'k'));
  EXPECT_EQ(TranscriptOf("file"), (std::vector<std::string>{
                                      "file copy \"C:\\PKG\\PLAIN.TX_\" \"C:\\DEST\\PLAIN.TX_\"",
                                      "file copy \"C:\\PKG\\LARGE.BI_\" \"C:\\DEST\\LARGE.BI_\"",
                                      "file copy \"C:\\PKG\\KYR.386\" \"C:\\DEST\\SUB.386\"",
                                  }));
  EXPECT_EQ(LcbGetCopyListCost("", "", ""), 0);
}

TEST_F(CopyListTest, AFailingEntryStopsTheRunWithAPositiveCode) {
  ASSERT_TRUE(FAddSectionKeyFileToCopyList("Program", "drv", "C:\\PKG", "C:\\DEST"));
  ASSERT_TRUE(FAddSectionKeyFileToCopyList("Program", "app", "C:\\NOWHERE", "C:\\DEST"));
  ASSERT_TRUE(FAddSectionFilesToCopyList("Text", "C:\\PKG", "C:\\DEST"));
  EXPECT_GT(GrcCopyFilesInCopyList(nullptr), 0);
  EXPECT_TRUE(Exists("C:\\DEST\\KYR.386"));
  EXPECT_FALSE(Exists("C:\\DEST\\PLAIN.TX_"));
  EXPECT_EQ(TranscriptOf("file copy failed"),
            (std::vector<std::string>{"file copy failed \"C:\\NOWHERE\\KYRCP.EXE\" "
                                      "\"C:\\DEST\\KYRCP.EXE\" \"cannot open the source\""}));
  // The list is kept: a run after the fault is mended copies everything.
  Write("C:\\NOWHERE\\KYRCP.EXE", "exe");
  EXPECT_EQ(GrcCopyFilesInCopyList(nullptr), 0);
  EXPECT_EQ(Read("C:\\DEST\\PLAIN.TX_"), Fixture("plain.txt"));
}

TEST_F(CopyListTest, AFullDiskFailsTheRun) {
  ASSERT_TRUE(FAddSectionFilesToCopyList("Text", "C:\\PKG", "C:\\DEST"));
  host::SetDiskFree(100);
  EXPECT_GT(GrcCopyFilesInCopyList(nullptr), 0);
  EXPECT_FALSE(Exists("C:\\DEST\\LARGE.BI_"));  // no partial file left
}

}  // namespace
