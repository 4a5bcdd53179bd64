// The win.ini [MSAPPS] keys, version comparison, the search order for shared
// files, the INF entry point, and the "Buffer Overflow" end of paths that do
// not fit. Under Wine the win.ini, registry and directories are real: each
// test clears [MSAPPS] first and removes its files and key afterwards.
#include "support/shared_components.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "standin/core/standin.h"
#include "support/registry_helpers.h"
#include "support/toolkit_fixture.h"
#include "toolkit/session.h"

namespace {

using ::testing::_;
using ::testing::ElementsAre;
using ::testing::ExitedWithCode;

constexpr char kSection[] = "MSAPPS";
constexpr char kOtherSection[] = "KyrSharedTest";
constexpr char kRegistryKey[] = "KyrTest\\SharedComponents";
constexpr char kFile[] = "KYRSHTST.DLL";
constexpr char kOverflowBox[] = "msgbox \"Buffer Overflow\" \"MS-Setup Error\" 16";
constexpr char kVersion30[] = "1.0.0.000000000000000000000000";  // 30 characters

std::string DirectoryOf(UINT(WINAPI* reader)(LPSTR, UINT)) {
  char text[MAX_PATH] = "";
  reader(text, sizeof text);
  std::string dir = text;
  return dir.empty() || dir.back() == '\\' ? dir : dir + "\\";
}

// The detection fixture with the file version in its version resource's
// fixed part (what the toolkit reports) set to "a.b.c.d"; empty on failure.
std::string ImageOfVersion(const std::string& version) {
  std::ifstream file(STANDIN_FIXTURES_DIR "/versioned.dll", std::ios::binary);
  std::string image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  unsigned f[4] = {0, 0, 0, 0};
  size_t fixed = image.find("\xBD\x04\xEF\xFE");  // VS_FIXEDFILEINFO's signature
  if (std::sscanf(version.c_str(), "%u.%u.%u.%u", &f[0], &f[1], &f[2], &f[3]) < 1 ||
      fixed == std::string::npos)
    return std::string();
  const DWORD words[2] = {f[0] << 16 | f[1], f[2] << 16 | f[3]};  // dwFileVersionMS, LS
  std::memcpy(&image[fixed + 8], words, sizeof words);
  return image;
}

class SharedComponentsTest : public toolkit_test::ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    ASSERT_TRUE(OpenMachine("", "[toolkit]\ninf=" + Scratch("SHARED.INF") + "\n"));
    SharedDirPending = TRUE;  // as at load
    SharedFileNeedsUpdate = FALSE;
    WriteProfileStringA(kSection, nullptr, nullptr);
    windows_ = DirectoryOf(GetWindowsDirectoryA);
    system_ = DirectoryOf(GetSystemDirectoryA);
    const std::string file = kFile;
    WriteFile(Scratch("SHARED.INF"),
              "[Shared]\r\ngraph=" + file + ",2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,2.0.0.0" +
                  "\r\nshort=" + file + "\r\nfit=" + file + std::string(18, ',') + kVersion30 +
                  "\r\nover=" + file + std::string(18, ',') + kVersion30 + "0\r\n");
    ASSERT_EQ(LoadRegistryLibrary(), 1);
  }
  void TearDown() override {
    ReleaseRegistryLibrary();
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kRegistryKey);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "KyrTest");  // only once no test key is left
    WriteProfileStringA(kSection, nullptr, nullptr);
    WriteProfileStringA(kOtherSection, nullptr, nullptr);
    for (const std::string& dir : {windows_, system_}) DeleteFileA((dir + kFile).c_str());
    ToolkitTest::TearDown();
  }

  std::string Scratch(const std::string& below) const { return ScratchDir() + "\\" + below; }
  void PutFile(const std::string& path, const std::string& version) {
    std::string image = ImageOfVersion(version);
    ASSERT_FALSE(image.empty()) << version;
    WriteFile(path, image);
  }
  static std::string Key(const char* key) {
    char value[512] = "";
    GetPrivateProfileStringA(kSection, key, "", value, sizeof value, "WIN.INI");
    return value;
  }
  // The keys FCreateIniKeyValue was given, each call checked for its file,
  // section and option word.
  static std::vector<std::string> KeysWritten() {
    std::vector<std::string> keys;
    for (const ToolkitCall& call : StandinCallsOf("FCreateIniKeyValue")) {
      EXPECT_THAT(call.args, ElementsAre("\"WIN.INI\"", "\"MSAPPS\"", _, _, "1024"));
      keys.push_back(call.args[2]);
    }
    return keys;
  }
  // The statement, run with the session open, must end the run through the
  // "Buffer Overflow" box and the fatal path.
  void ExpectOverflowEnd(const std::function<void()>& statement, const std::string& label) {
    const size_t before = Transcript().size();
    EXPECT_EXIT((StartSetupSession(const_cast<char*>("")), statement()), ExitedWithCode(0), "")
        << label;
    std::vector<std::string> lines = Transcript();
    lines.erase(lines.begin(), lines.begin() + static_cast<ptrdiff_t>(before));
    EXPECT_NE(std::find(lines.begin(), lines.end(), kOverflowBox), lines.end()) << label;
    EXPECT_TRUE(!lines.empty() && lines.back() == "exit 0") << label;
  }
  char* Locate(const char* registryKey, const char* iniKey, int field, const std::string& fallback,
               const char* required) {
    return LocateSharedFile(registryKey, kOtherSection, iniKey, field, fallback.c_str(), required,
                            buffer_, sizeof buffer_);
  }
  char* FromInf(const char* key, const char* component) {
    return LocateSharedFileFromInf("Shared", key, component, "", "", "", 1, buffer_,
                                   sizeof buffer_);
  }

  std::string windows_, system_;
  char buffer_[256] = "";
};

// ---------------------------------------------------------------------------
// The [MSAPPS] keys

TEST_F(SharedComponentsTest, MissingSectionGetsTheNamesButNoFolders) {
  ASSERT_EQ(EnsureSharedDirectory(), 1);
  const std::string shared = windows_ + "MSAPPS";
  EXPECT_EQ(Key("MSAPPS"), shared);
  for (const char* key : kSharedComponentKeys) EXPECT_EQ(Key(key), shared + "\\" + key);
  EXPECT_THAT(KeysWritten(),
              ElementsAre("\"MSAPPS\"", "\"CLIPART\"", "\"EQUATION\"", "\"GRPHFLT\"", "\"MSDRAW\"",
                          "\"MSGRAPH\"", "\"PROOF\"", "\"TEXTCONV\"", "\"WORDART\""));
  EXPECT_EQ(GetFileAttributesA(shared.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The first call settles it, a failed one too; the keys after a failed
// write are not treated.
TEST_F(SharedComponentsTest, RunsOnceWhateverTheFirstResult) {
  for (int failingWrite : {0, 1, 3}) {
    SCOPED_TRACE(failingWrite);
    SharedDirPending = TRUE;
    WriteProfileStringA(kSection, nullptr, nullptr);
    StandinReset();
    if (failingWrite > 0) StandinFailCall("FCreateIniKeyValue", failingWrite);
    EXPECT_EQ(EnsureSharedDirectory(), failingWrite == 0 ? 1 : 0);
    EXPECT_EQ(KeysWritten().size(), failingWrite == 0 ? 9u : static_cast<size_t>(failingWrite));
    const size_t calls = StandinCalls().size();
    EXPECT_EQ(EnsureSharedDirectory(), 1);
    EXPECT_EQ(StandinCalls().size(), calls);
  }
  EXPECT_EQ(Key("CLIPART"), windows_ + "MSAPPS\\CLIPART");  // written before the 3rd failed
  EXPECT_EQ(Key("EQUATION"), "");
}

TEST_F(SharedComponentsTest, ValidValuesStayAndOthersAreReplaced) {
  for (const char* shared : {"D:\\SHARED\\", "SHARED"}) {  // the second is no directory
    SCOPED_TRACE(shared);
    SharedDirPending = TRUE;
    WriteProfileStringA(kSection, "MSAPPS", shared);
    WriteProfileStringA(kSection, "PROOF", "E:\\TOOLS\\SPELL");
    WriteProfileStringA(kSection, "CLIPART", "no directory");
    StandinReset();
    EXPECT_EQ(EnsureSharedDirectory(), 1);
    const std::string expected = *shared == 'D' ? shared : windows_ + "MSAPPS";
    EXPECT_EQ(Key("MSAPPS"), expected);
    EXPECT_EQ(Key("CLIPART"), expected + (*shared == 'D' ? "" : "\\") + "CLIPART");
    EXPECT_EQ(Key("PROOF"), "E:\\TOOLS\\SPELL");
    std::vector<std::string> keys = KeysWritten();
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "\"PROOF\""), 0);
  }
}

// ---------------------------------------------------------------------------
// Versions and the search order

// Each pair both ways round; a fifth field does not count.
TEST_F(SharedComponentsTest, VersionFieldsCompareAsNumbers) {
  const char* const olderNewer[][2] = {
      {"", "1.0"}, {"1.2.3.4", "1.2.3.5"}, {"1.2.3.9", "1.2.4.0"}, {"1.9", "1.10"}};
  const char* const equal[][2] = {{"", ""}, {"1.2", "1.2.0.0"}, {"1.2.3.4.9", "1.2.3.4.1"}};
  for (const auto& pair : olderNewer) {
    EXPECT_EQ(CompareVersionTexts(pair[0], pair[1]), -1) << pair[0] << " vs " << pair[1];
    EXPECT_EQ(CompareVersionTexts(pair[1], pair[0]), 1) << pair[1] << " vs " << pair[0];
  }
  for (const auto& pair : equal) {
    EXPECT_EQ(CompareVersionTexts(pair[0], pair[1]), 0) << pair[0] << " vs " << pair[1];
    EXPECT_EQ(CompareVersionTexts(pair[1], pair[0]), 0) << pair[1] << " vs " << pair[0];
  }
}

// The registry names a file that is gone: its name is looked for in the
// Windows directory first, then in the System directory.
TEST_F(SharedComponentsTest, MissingRegisteredFileIsFoundInTheSystemPlaces) {
  struct Case {
    const char *inWindows, *inSystem;  // versions; nullptr: no file
    bool fromWindows;
    int needsUpdate;
  } cases[] = {{nullptr, "2.0", false, 0}, {"2.0", "2.0", true, 0}, {nullptr, "1.5", false, 1}};
  const std::string missing = Scratch("GONE\\") + kFile;
  RegSetValueA(HKEY_CLASSES_ROOT, kRegistryKey, REG_SZ, missing.c_str(),
               static_cast<DWORD>(missing.size()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inSystem);
    DeleteFileA((windows_ + kFile).c_str());
    if (c.inWindows != nullptr) PutFile(windows_ + kFile, c.inWindows);
    PutFile(system_ + kFile, c.inSystem);
    ASSERT_EQ(Locate(kRegistryKey, "", 1, Scratch("DEFAULT.DLL"), "2.0"), buffer_);
    EXPECT_EQ(buffer_, (c.fromWindows ? windows_ : system_) + kFile);
    EXPECT_EQ(GetSharedFileNeedsUpdate(), c.needsUpdate);
  }
}

// The registry's copy is older than required; the win.ini key's is current.
TEST_F(SharedComponentsTest, OlderCopyIsTakenOnlyWhenWritable) {
  const std::string older = Scratch("OLD\\") + kFile, current = Scratch("NEW\\") + kFile;
  PutFile(older, "1.0.0.0");
  PutFile(current, "3.0");
  RegSetValueA(HKEY_CLASSES_ROOT, kRegistryKey, REG_SZ, older.c_str(),
               static_cast<DWORD>(older.size()));
  WriteProfileStringA(kOtherSection, "Shared", ("first, " + current + ",third").c_str());
  for (bool writable : {true, false}) {
    SCOPED_TRACE(writable);
    if (!writable) StandinSetResult("FIsFileWritable", 0, FALSE);
    ASSERT_NE(Locate(kRegistryKey, "Shared", 2, Scratch("DEFAULT.DLL"), "2.0"), nullptr);
    EXPECT_EQ(buffer_, writable ? older : current);
    EXPECT_EQ(GetSharedFileNeedsUpdate(), writable ? 1 : 0);
  }
}

// Without a required version any copy will do. Without room: none, and the
// flag is set for a path too long, untouched for no buffer at all.
TEST_F(SharedComponentsTest, DefaultPathIsReturnedWithOrWithoutAFile) {
  const char* const cases[][2] = {
      {"", "1.0"}, {"", ""}, {"1.0", "2.0"}, {"2.0", "2.0"}, {"1.0", ""}};
  const int needsUpdate[] = {1, 1, 1, 0, 0};  // "": no file
  const std::string fallback = Scratch(kFile);
  for (size_t i = 0; i < std::size(needsUpdate); ++i) {
    SCOPED_TRACE(i);
    DeleteFileA(fallback.c_str());
    if (*cases[i][0] != '\0') PutFile(fallback, cases[i][0]);
    EXPECT_EQ(Locate("", "", 1, fallback, cases[i][1]), buffer_);
    EXPECT_EQ(buffer_, fallback);
    EXPECT_EQ(GetSharedFileNeedsUpdate(), needsUpdate[i]);
  }
  EXPECT_TRUE(StandinCallsOf("CbGetIniKeyString").empty());  // no source named: none read
  const int tooSmall = static_cast<int>(fallback.size());
  for (BOOL flag : {FALSE, TRUE}) {
    SharedFileNeedsUpdate = flag;
    EXPECT_EQ(LocateSharedFile("", "", "", 1, "C:\\X.DLL", "", buffer_, 0), nullptr);
    EXPECT_EQ(LocateSharedFile("", "", "", 1, "C:\\X.DLL", "", nullptr, 256), nullptr);
    EXPECT_EQ(CheckSharedCandidate("C:\\X.DLL", "", buffer_, -1), nullptr);
    EXPECT_EQ(GetSharedFileNeedsUpdate(), flag);
    EXPECT_EQ(LocateSharedFile("", "", "", 1, fallback.c_str(), "", buffer_, tooSmall), nullptr);
    EXPECT_EQ(GetSharedFileNeedsUpdate(), 1);
  }
}

// ---------------------------------------------------------------------------
// The INF entry point: field 1 the file name, field 19 the version

TEST_F(SharedComponentsTest, FromInfMakesTheKeysFirst) {
  ASSERT_EQ(FromInf("graph", "MSGRAPH"), buffer_);
  EXPECT_EQ(buffer_, windows_ + "MSAPPS\\MSGRAPH\\" + kFile);
  EXPECT_EQ(GetSharedFileNeedsUpdate(), 1);
  EXPECT_EQ(Key("WORDART"), windows_ + "MSAPPS\\WORDART");
}

TEST_F(SharedComponentsTest, FromInfPutsANewComponentBelowTheSharedDirectory) {
  WriteProfileStringA(kSection, "MSAPPS", Scratch("SHARED").c_str());
  const std::string path = Scratch("SHARED\\KYRTEST\\") + kFile;
  for (const char* version : {"2.0", "1.9"}) {  // against the INF's 2.0.0.0
    PutFile(path, version);
    ASSERT_EQ(FromInf("graph", "KYRTEST"), buffer_) << version;
    EXPECT_EQ(buffer_, path);
    EXPECT_EQ(GetSharedFileNeedsUpdate(), *version == '1' ? 1 : 0);
  }
  EXPECT_EQ(Key("KYRTEST"), Scratch("SHARED\\KYRTEST"));
}

TEST_F(SharedComponentsTest, FromInfWithoutDirectoryOrFieldAnswersNone) {
  SharedDirPending = FALSE;  // ran before and left no [MSAPPS]
  EXPECT_EQ(FromInf("graph", "MSGRAPH"), nullptr);
  EXPECT_TRUE(StandinCallsOf("FCreateIniKeyValue").empty());
  WriteProfileStringA(kSection, "MSGRAPH", Scratch("GRAPH").c_str());
  EXPECT_EQ(FromInf("short", "MSGRAPH"), nullptr);  // no field 19
  EXPECT_EQ(FromInf("absent", "MSGRAPH"), nullptr);
  EXPECT_STREQ(FromInf("graph", "MSGRAPH"), (Scratch("GRAPH\\") + kFile).c_str());
}

// ---------------------------------------------------------------------------
// Paths that do not fit: the "Buffer Overflow" box, then the fatal path

TEST_F(SharedComponentsTest, FoundPathOrNameJoinTooLongEnds) {
  PutFile(system_ + kFile, "1.0");
  const std::string found = system_ + kFile;
  char buffer[256];
  const int exact = static_cast<int>(found.size()) + 1;
  EXPECT_STREQ(FindInSystemPlaces(kFile, buffer, exact), found.c_str());
  ExpectOverflowEnd([&] { FindInSystemPlaces(kFile, buffer, exact - 1); }, "found path");
  const std::string name(256 - windows_.size(), 'N');  // 256 with the Windows directory
  ExpectOverflowEnd([&] { FindInSystemPlaces(name.c_str(), buffer, 256); }, "name join");
}

// The other keys are in place: only CLIPART (7 characters) is joined.
TEST_F(SharedComponentsTest, ComponentValueOf255FitsAndOneMoreEnds) {
  for (const char* key : kSharedComponentKeys) WriteProfileStringA(kSection, key, "C:\\X");
  WriteProfileStringA(kSection, "CLIPART", nullptr);
  const std::string exact = "C:\\" + std::string(244, 'S');  // 247 + "\" + "CLIPART" = 255
  WriteProfileStringA(kSection, "MSAPPS", exact.c_str());
  EXPECT_EQ(EnsureSharedDirectory(), 1);
  EXPECT_EQ(Key("CLIPART"), exact + "\\CLIPART");
  WriteProfileStringA(kSection, "CLIPART", nullptr);
  WriteProfileStringA(kSection, "MSAPPS", (exact + "S").c_str());
  SharedDirPending = TRUE;
  ExpectOverflowEnd([] { EnsureSharedDirectory(); }, "component one over");
}

// 247 characters of Windows directory leave room for "MSAPPS" in 255.
TEST_F(SharedComponentsTest, WindowsDirectoryOf247FitsAndOneMoreEnds) {
  ReleaseRegistryLibrary();  // the machine is opened anew
  const std::string exact = "C:\\" + std::string(243, 'W');
  for (const std::string& windows : {exact, exact + "W"}) {
    if (!OpenMachine("windows=" + windows + "\n")) GTEST_SKIP() << "needs a chosen Windows dir";
    MakeDir(windows);
    for (const char* key : kSharedComponentKeys) WriteProfileStringA(kSection, key, "C:\\X");
    SharedDirPending = TRUE;
    if (windows == exact) {
      EXPECT_EQ(EnsureSharedDirectory(), 1);
      EXPECT_EQ(Key("MSAPPS"), exact + "\\MSAPPS");
    } else {
      ExpectOverflowEnd([] { EnsureSharedDirectory(); }, "Windows directory one over");
    }
  }
}

TEST_F(SharedComponentsTest, InfFieldsThatDoNotFitEnd) {
  SharedDirPending = FALSE;
  // The file name gets 255 - the directory's length with its backslash:
  // "C:\" + 238 + "\" + 12 = 254 characters fit.
  const std::string exact = "C:\\" + std::string(238, 'D');
  WriteProfileStringA(kSection, "MSGRAPH", exact.c_str());
  EXPECT_STREQ(FromInf("graph", "MSGRAPH"), (exact + "\\" + kFile).c_str());
  WriteProfileStringA(kSection, "MSGRAPH", (exact + "D").c_str());
  ExpectOverflowEnd([this] { FromInf("graph", "MSGRAPH"); }, "file name one over");
  // The version gets 31 bytes: 30 characters.
  WriteProfileStringA(kSection, "MSGRAPH", Scratch("GRAPH").c_str());
  EXPECT_NE(FromInf("fit", "MSGRAPH"), nullptr);
  ExpectOverflowEnd([this] { FromInf("over", "MSGRAPH"); }, "version one over");
  // The shared directory joined with a new component key.
  WriteProfileStringA(kSection, "MSAPPS", ("C:\\" + std::string(245, 'M')).c_str());
  ExpectOverflowEnd([this] { FromInf("graph", "KYRTESTS"); }, "component join");
}

}  // namespace
