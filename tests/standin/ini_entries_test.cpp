// INI entries written into and removed from the machine's real files.
#include <string>
#include <vector>

#include "standin_fixture.h"
#include "toolkit/toolkit_api.h"

namespace {

const char kWinIni[] =
    "[windows]\r\n"
    "load=\r\n"
    "\r\n"
    "[MSAPPS]\r\n"
    "Shared=C:\\SHARED\r\n"
    "Other=1\r\n"
    "\r\n"
    "[fonts]\r\n"
    "Arial=ARIAL.FON\r\n";

class IniEntriesTest : public StandinTest {
 protected:
  void SetUp() override {
    StandinTest::SetUp();
    Write("C:\\WINDOWS\\WIN.INI", kWinIni);
  }
};

TEST_F(IniEntriesTest, ANameAloneIsAFileOfTheWindowsDirectory) {
  ASSERT_TRUE(FCreateIniKeyValue("WIN.INI", "msapps", "shared", "D:\\NEW", 0));
  ASSERT_TRUE(FCreateIniKeyValue("win.ini", "MSAPPS", "Added", "yes", 0));
  ASSERT_TRUE(FCreateIniKeyValue("C:\\PKG\\OWN.INI", "Own", "Key", "", 0));
  EXPECT_EQ(Read("C:\\WINDOWS\\WIN.INI"),
            "[windows]\r\nload=\r\n\r\n[MSAPPS]\r\nShared=D:\\NEW\r\nOther=1\r\nAdded=yes\r\n"
            "\r\n[fonts]\r\nArial=ARIAL.FON\r\n");
  EXPECT_EQ(Read("C:\\PKG\\OWN.INI"), "[Own]\r\nKey=\r\n");
  EXPECT_EQ(TranscriptOf("ini"), (std::vector<std::string>{
                                     "ini write \"WIN.INI\" \"msapps\" \"shared\" \"D:\\NEW\"",
                                     "ini write \"win.ini\" \"MSAPPS\" \"Added\" \"yes\"",
                                     "ini write \"C:\\PKG\\OWN.INI\" \"Own\" \"Key\" \"\"",
                                 }));
}

TEST_F(IniEntriesTest, KeysAndSectionsAreRemovedAndMissingOnesAreNoFailure) {
  ASSERT_TRUE(FRemoveIniKey("WIN.INI", "MSAPPS", "other", 0));
  ASSERT_TRUE(FRemoveIniKey("WIN.INI", "MSAPPS", "NoSuchKey", 0));
  ASSERT_TRUE(FRemoveIniSection("WIN.INI", "Fonts", 0));
  ASSERT_TRUE(FRemoveIniSection("WIN.INI", "NoSuchSection", 0));
  ASSERT_TRUE(FRemoveIniKey("C:\\PKG\\NONE.INI", "S", "K", 0));
  EXPECT_EQ(Read("C:\\WINDOWS\\WIN.INI"),
            "[windows]\r\nload=\r\n\r\n[MSAPPS]\r\nShared=C:\\SHARED\r\n\r\n");
  EXPECT_FALSE(Exists("C:\\PKG\\NONE.INI"));  // nothing was created to remove from
  EXPECT_EQ(TranscriptOf("ini").front(), "ini remove \"WIN.INI\" \"MSAPPS\" \"other\"");
  EXPECT_EQ(TranscriptOf("ini")[2], "ini remove \"WIN.INI\" \"Fonts\"");
}

TEST_F(IniEntriesTest, SystemIniEntriesGoIntoTheFileNamed) {
  Write("C:\\WINDOWS\\SYSTEM.INI", "[386Enh]\r\ndevice=*vmm\r\n");
  ASSERT_TRUE(FCreateSysIniKeyValue("SYSTEM.INI", "386Enh", "kyr", "C:\\KYROTH\\kyr.386", 0));
  EXPECT_EQ(Read("C:\\WINDOWS\\SYSTEM.INI"),
            "[386Enh]\r\ndevice=*vmm\r\nkyr=C:\\KYROTH\\kyr.386\r\n");
}

TEST_F(IniEntriesTest, AFileThatCannotBeWrittenFailsAndStaysWhole) {
  std::filesystem::permissions(host::NativePath("C:\\WINDOWS\\WIN.INI"),
                               std::filesystem::perms::owner_read);
  EXPECT_FALSE(FCreateIniKeyValue("WIN.INI", "MSAPPS", "Shared", "X", 0));
  EXPECT_FALSE(FRemoveIniSection("WIN.INI", "MSAPPS", 0));
  EXPECT_TRUE(FRemoveIniKey("WIN.INI", "MSAPPS", "NoSuchKey", 0));  // nothing to write
  EXPECT_EQ(Read("C:\\WINDOWS\\WIN.INI"), kWinIni);
  EXPECT_EQ(TranscriptOf("ini write"), std::vector<std::string>{});
  EXPECT_FALSE(FCreateIniKeyValue("WIN.INI", "", "k", "v", 0));
  EXPECT_FALSE(FCreateIniKeyValue("WIN.INI", "s", nullptr, "v", 0));
}

TEST_F(IniEntriesTest, AFullDiskLeavesTheFileAsItWas) {
  Open("[faults]\ndisk_free=4\n");
  EXPECT_FALSE(FCreateIniKeyValue("WIN.INI", "MSAPPS", "Long", "a value longer than four", 0));
  EXPECT_EQ(Read("C:\\WINDOWS\\WIN.INI"), kWinIni);
}

}  // namespace
