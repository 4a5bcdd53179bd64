#include "host/syscalls.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

class ProfileTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    MakeDir("c/windows");
    Open("[machine]\nwindows=C:\\windows\n");
  }
};

TEST_F(ProfileTest, EditsWinIniAsWindowsDoes) {
  const std::string kFonts = "[windows]\r\nload=\r\n\r\n[Fonts]\r\nArial (TrueType)=ARIAL.TTF\r\n";
  struct Case {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
  } cases[] = {
      {"new key at the end of its section, before blank lines",
       kFonts + "\r\n[ports]\r\nLPT1:=\r\n", "fonts", "Barcode Display Font", "BCFONT.FON",
       kFonts + "Barcode Display Font=BCFONT.FON\r\n\r\n[ports]\r\nLPT1:=\r\n"},
      {"key replaced where it stands, spelled as the file spells it",
       "[fonts]\r\n  BARCODE display font = OLD.FON\r\nX=1\r\n", "FONTS", "Barcode Display Font",
       "BCFONT.FON", "[fonts]\r\nBARCODE display font=BCFONT.FON\r\nX=1\r\n"},
      {"missing section appended", "[windows]\r\nload=", "fonts", "Barcode Display Font",
       "BCFONT.FON", "[windows]\r\nload=\r\n[fonts]\r\nBarcode Display Font=BCFONT.FON\r\n"},
      {"missing file created", "", "fonts", "A", "B", "[fonts]\r\nA=B\r\n"},
      {"other lines kept byte for byte, LF-only lines too",
       "; comment\n[ fonts ]\nodd line\n;A=commented\nB=2\n", "fonts", "A", "1",
       "; comment\n[ fonts ]\nodd line\n;A=commented\nB=2\nA=1\r\n"},
      {"first of two sections of the name", "[fonts]\r\n[x]\r\n[FONTS]\r\n", "fonts", "A", "1",
       "[fonts]\r\nA=1\r\n[x]\r\n[FONTS]\r\n"},
      {"null value removes the key", "[fonts]\r\nA=1\r\nB=2\r\n", "fonts", "a", nullptr,
       "[fonts]\r\nB=2\r\n"},
      {"null key removes the section", "[a]\r\nx=1\r\n[fonts]\r\nA=1\r\n[b]\r\n", "fonts", nullptr,
       nullptr, "[a]\r\nx=1\r\n[b]\r\n"},
      {"section header at the very end", "[fonts]", "fonts", "A", "1", "[fonts]\r\nA=1\r\n"},
      {"last key without line break", "[fonts]\r\nA=0", "fonts", "A", "1", "[fonts]\r\nA=1\r\n"},
      {"key taken without the blanks around it", "[windows]\r\nload=\r\nrun=\r\n", "windows",
       " load ", "a.exe", "[windows]\r\nload=a.exe\r\nrun=\r\n"},
      {"blank-led key removed", "[windows]\r\nload=\r\nrun=\r\n", "windows", "\trun", nullptr,
       "[windows]\r\nload=\r\n"},
  };
  for (const Case& c : cases) {
    if (c.before.empty()) {
      std::filesystem::remove(Machine() + "/c/windows/win.ini");
    } else {
      Write("c/windows/win.ini", c.before);
    }
    EXPECT_TRUE(WriteProfileStringA(c.section, c.key, c.value)) << c.name;
    EXPECT_EQ(Read("c/windows/win.ini"), c.after) << c.name;
  }
}

// Removing from a win.ini that is not there leaves it missing.
TEST_F(ProfileTest, RemovingFromMissingWinIniCreatesNothing) {
  std::filesystem::remove(Machine() + "/c/windows/win.ini");
  EXPECT_TRUE(WriteProfileStringA("fonts", "A", nullptr));
  EXPECT_TRUE(WriteProfileStringA("fonts", nullptr, nullptr));
  EXPECT_FALSE(Exists("c/windows/win.ini"));
}

TEST_F(ProfileTest, FindsWinIniWhateverItsCase) {
  Write("c/windows/WIN.INI", "[fonts]\r\n");
  EXPECT_TRUE(WriteProfileStringA("fonts", "A", "1"));
  EXPECT_EQ(Read("c/windows/WIN.INI"), "[fonts]\r\nA=1\r\n");
  EXPECT_FALSE(Exists("c/windows/win.ini"));
}

TEST_F(ProfileTest, FailuresAreReportedAndKeepTheFile) {
  Write("c/windows/win.ini", "[fonts]\r\n");
  host::SetDiskFree(5);
  EXPECT_FALSE(WriteProfileStringA("fonts", "Barcode Display Font", "BCFONT.FON"));
  EXPECT_EQ(Read("c/windows/win.ini"), "[fonts]\r\n");
  host::SetDiskFree(-1);
  host::FailOpenOf("C:\\windows\\win.ini");
  EXPECT_FALSE(WriteProfileStringA("fonts", "A", "1"));
  host::ClearFaults();
  EXPECT_FALSE(WriteProfileStringA(nullptr, nullptr, nullptr));
}

TEST_F(ProfileTest, DoubleByteSectionNameWithBracketTrailByte) {
  host::ResetHost();
  MakeDir("c/windows");
  Open("[machine]\nwindows=C:\\windows\nacp=932\n");
  Write("c/windows/win.ini", "[\x83]]\r\nA=0\r\n");
  EXPECT_TRUE(WriteProfileStringA("\x83]", "A", "1"));
  EXPECT_EQ(Read("c/windows/win.ini"), "[\x83]]\r\nA=1\r\n");
}

}  // namespace
