#include <cstring>

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

// Reading a private profile: a value's section and key without their
// blanks, CR-only files line by line, exactly fitting lists counted as cut.
TEST_F(ProfileTest, ReadsPrivateProfilesAsWindowsDoes) {
  const char kCrLf[] = "[one]\r\nname=val\r\nname3\r\n[two]\r\n";
  const char kCrOnly[] = "[one]\rname=val\rname3\r[two]\r";
  struct Case {
    const char* name;
    const char* content;
    const char* section;
    const char* key;
    DWORD size;
    DWORD result;
    std::string written;  // the bytes up to and with the result's zeros
  } cases[] = {
      {"blanks around the key", kCrLf, "one", " name\t", 16, 3, std::string("val\0", 4)},
      {"blanks around the section", kCrLf, "\t one ", "name", 16, 3, std::string("val\0", 4)},
      {"CR only: value", kCrOnly, "one", "name", 16, 3, std::string("val\0", 4)},
      {"CR only: sections", kCrOnly, nullptr, nullptr, 16, 8, std::string("one\0two\0\0", 9)},
      {"CR only: keys", kCrOnly, "one", nullptr, 16, 5, std::string("name\0\0", 6)},
      {"CR then LF", "[one]\rname=val\nx=1\r\n", "one", "name", 16, 3, std::string("val\0", 4)},
      {"keys of a section as given", kCrLf, " one", nullptr, 16, 4, std::string("dflt\0", 5)},
      {"keys of a section without", kCrLf, "two", nullptr, 16, 4, std::string("dflt\0", 5)},
      {"keys fit with a byte to spare", kCrLf, "one", nullptr, 7, 5, std::string("name\0\0", 6)},
      {"keys fit exactly", kCrLf, "one", nullptr, 6, 4, std::string("name\0\0", 6)},
      {"sections fit exactly", kCrLf, nullptr, nullptr, 9, 7, std::string("one\0two\0\0", 9)},
      {"sections cut", kCrLf, nullptr, nullptr, 8, 6, std::string("one\0tw\0\0", 8)},
  };
  for (const Case& c : cases) {
    Write("c/windows/read.ini", c.content);
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileStringA(c.section, c.key, "dflt", buffer, c.size, "read.ini"),
              c.result)
        << c.name;
    EXPECT_EQ(std::string(buffer, c.written.size()), c.written) << c.name;
  }
  char names[16];
  EXPECT_EQ(GetPrivateProfileSectionNamesA(names, 9, "read.ini"), 7u);
  EXPECT_EQ(GetPrivateProfileSectionNamesA(names, 10, "read.ini"), 8u);
}

// GetPrivateProfileSectionA's last error: a refused call writes nothing.
TEST_F(ProfileTest, SectionReadSetsTheLastError) {
  Write("c/windows/read.ini", "[one]\r\na=1\r\n[empty]\r\n");
  struct Case {
    const char* section;
    const char* file;
    bool withBuffer;
    DWORD result;
    DWORD error;
    char first;  // the buffer's first byte afterwards
  } cases[] = {
      {nullptr, "read.ini", true, 0, ERROR_INVALID_PARAMETER, '#'},
      {"one", "read.ini", false, 0, ERROR_INVALID_PARAMETER, '#'},
      {"one", "read.ini", true, 4, ERROR_SUCCESS, 'a'},
      {" one ", "read.ini", true, 0, ERROR_SUCCESS, '\0'},  // taken as given
      {"empty", "read.ini", true, 0, ERROR_SUCCESS, '\0'},
      {"none", "read.ini", true, 0, ERROR_SUCCESS, '\0'},
      {"one", "missing.ini", true, 0, ERROR_FILE_NOT_FOUND, '\0'},
  };
  for (const Case& c : cases) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(GetPrivateProfileSectionA(c.section, c.withBuffer ? buffer : nullptr, sizeof buffer,
                                        c.file),
              c.result)
        << (c.section ? c.section : "NULL");
    EXPECT_EQ(GetLastError(), c.error) << (c.section ? c.section : "NULL");
    EXPECT_EQ(buffer[0], c.first) << (c.section ? c.section : "NULL");
  }
}

}  // namespace
