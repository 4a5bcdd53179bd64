// The registry helpers on the machine's registry: natively the host's, under
// Wine the real one. Each test works below its own key of the classes root,
// KyrTest\<test name>, and removes it again.
#include "support/registry_helpers.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "standin/core/standin.h"
#include "support/toolkit_fixture.h"
#include "toolkit/session.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ExitedWithCode;
using toolkit_test::ToolkitTest;

constexpr char kParentKey[] = "KyrTest";

// Deletes a key and everything below it with the system's own functions.
void RemoveKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  char name[256];
  std::vector<std::string> names;
  for (DWORD index = 0; RegEnumKeyA(key, index, name, sizeof name) == ERROR_SUCCESS; ++index)
    names.push_back(name);
  RegCloseKey(key);
  for (const std::string& sub : names) RemoveKey(root, path + "\\" + sub);
  RegDeleteKeyA(root, path.c_str());
}

class RegistryHelpersTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    key_ = std::string(kParentKey) + "\\" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    RemoveKey(HKEY_CLASSES_ROOT, key_);  // what an earlier run may have left
    StartSession();
    ASSERT_EQ(LoadRegistryLibrary(), 1);
    StandinReset();
  }
  void TearDown() override {
    ReleaseRegistryLibrary();
    RemoveKey(HKEY_CLASSES_ROOT, key_);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kParentKey);  // only once no test key is left
    ToolkitTest::TearDown();
  }

  std::string Path(const std::string& below) const { return key_ + "\\" + below; }
  bool KeyExists(const std::string& path) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    return true;
  }
  void MakeKey(const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, path.c_str(), &key), ERROR_SUCCESS) << path;
    RegCloseKey(key);
  }
  // The transcript from the last line equal to first on: what the latest
  // death test left.
  std::vector<std::string> LastFrom(const std::string& first) const {
    std::vector<std::string> lines = Transcript();
    auto start = std::find(lines.rbegin(), lines.rend(), first);
    return start == lines.rend() ? std::vector<std::string>()
                                 : std::vector<std::string>(start.base() - 1, lines.end());
  }
  std::vector<std::string> FailureFrom(const std::string& context) const {
    return LastFrom("error 104 \"" + context + "\"");
  }
  static std::vector<std::string> FatalTail(const std::string& context) {
    return {"error 104 \"" + context + "\"",
            "msgbox \"Error 104: " + context + "\" \"Setup Error\" 16",
            "page pop all",
            "page show 400",
            "symbol DLGEVENT \"CONTINUE\"",
            "page pop 1",
            "frame end",
            "install end",
            "exit 0"};
  }

  std::string key_;
};

TEST_F(RegistryHelpersTest, KeysAndDefaultValuesBelowTheClassesRoot) {
  CreateRegKey(Path("Made\\Deeper").c_str());
  EXPECT_TRUE(KeyExists(Path("Made\\Deeper")));
  EXPECT_EQ(DoesRegKeyExist(Path("made\\DEEPER").c_str()), 1);
  CreateRegKey(Path("Made").c_str());  // present: opened, not an error

  char buffer[32];
  CreateRegKeyValue(Path("Made").c_str(), "first");
  EXPECT_STREQ(GetRegKeyValue(Path("Made").c_str(), buffer, sizeof buffer), "first");
  SetRegKeyValue(Path("Made").c_str(), "second");
  EXPECT_STREQ(GetRegKeyValue(Path("Made").c_str(), buffer, sizeof buffer), "second");
  // Storing a default value makes the key.
  SetRegKeyValue(Path("Valued").c_str(), "v");
  EXPECT_TRUE(KeyExists(Path("Valued")));
  // A key without a default value reads as an empty text.
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(GetRegKeyValue(Path("Made\\Deeper").c_str(), buffer, sizeof buffer), buffer);
  EXPECT_STREQ(buffer, "");
  EXPECT_TRUE(StandinCallsOf("EercErrorHandler").empty());
}

TEST_F(RegistryHelpersTest, ExFamilyBelowAnOpenKeyOrARoot) {
  HKEY root = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, key_.c_str(), &root), ERROR_SUCCESS);
  CreateRegKeyEx(root, "Ex");
  EXPECT_EQ(DoesRegKeyExistEx(root, "Ex"), 1);
  EXPECT_EQ(DoesRegKeyExistEx(HKEY_CLASSES_ROOT, Path("Ex").c_str()), 1);
  EXPECT_EQ(DoesRegKeyExistEx(root, "Other"), 0);
  // The test of root itself leaves root open.
  EXPECT_EQ(DoesRegKeyExistEx(root, ""), 1);
  DWORD subkeys = 0;
  ASSERT_EQ(RegQueryInfoKeyA(root, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 1u);

  const DWORD number = 0x12345678;
  CreateRegKeyValueEx(root, "Ex", "Number", REG_DWORD, &number, sizeof number);
  SetRegKeyValueEx(HKEY_CLASSES_ROOT, Path("Ex").c_str(), "Text", REG_SZ, "abc", 4);
  struct Case {
    HKEY root;
    std::string path;
    const char* name;
    DWORD type;
    std::string data;
  } cases[] = {
      {root, "Ex", "Number", REG_DWORD, std::string("\x78\x56\x34\x12", 4)},
      {HKEY_CLASSES_ROOT, Path("Ex"), "number", REG_DWORD, std::string("\x78\x56\x34\x12", 4)},
      {root, "Ex", "Text", REG_SZ, std::string("abc", 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DWORD type = 0;
    char data[16];
    std::memset(data, '#', sizeof data);
    EXPECT_EQ(GetRegKeyValueEx(c.root, c.path.c_str(), c.name, &type, data,
                               static_cast<DWORD>(c.data.size())),
              ERROR_SUCCESS);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(std::string(data, c.data.size()), c.data);
    EXPECT_EQ(data[c.data.size()], '#');
  }
  SetRegKeyValueEx(root, "Ex", "Text", REG_SZ, "replaced", 9);
  char text[16];
  DWORD type = 0;
  EXPECT_EQ(GetRegKeyValueEx(root, "Ex", "Text", &type, text, sizeof text), ERROR_SUCCESS);
  EXPECT_STREQ(text, "replaced");
  RegCloseKey(root);
  EXPECT_TRUE(StandinCallsOf("EercErrorHandler").empty());
}

TEST_F(RegistryHelpersTest, MissingKeysAreNoError) {
  const std::string missing = Path("Missing\\Key");
  EXPECT_EQ(DoesRegKeyExist(missing.c_str()), 0);
  EXPECT_EQ(DoesRegKeyExistEx(HKEY_CLASSES_ROOT, missing.c_str()), 0);
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(GetRegKeyValue(missing.c_str(), buffer, sizeof buffer), buffer);
  EXPECT_STREQ(buffer, "");
  DWORD type = 77;
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(GetRegKeyValueEx(HKEY_CLASSES_ROOT, missing.c_str(), "V", &type, buffer, 4),
            ERROR_BADKEY);
  EXPECT_EQ(type, 77u);
  EXPECT_EQ(buffer[0], '#');
  DeleteAllSubKeys(missing.c_str());
  DeleteAllSubKeysEx(HKEY_CLASSES_ROOT, missing.c_str());
  EXPECT_TRUE(StandinCallsOf("EercErrorHandler").empty());
  EXPECT_FALSE(KeyExists(missing));
}

// A value of "abcd" needs 5 bytes with its terminator.
TEST_F(RegistryHelpersTest, GetRegKeyValueTakesAnExactFit) {
  SetRegKeyValue(key_.c_str(), "abcd");
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_STREQ(GetRegKeyValue(key_.c_str(), buffer, 5), "abcd");
  EXPECT_EQ(buffer[5], '#');
  // One byte short: the read itself fails.
  EXPECT_EXIT(GetRegKeyValue(key_.c_str(), buffer, 4), ExitedWithCode(0), "");
  EXPECT_EQ(FailureFrom("SetRegKeyValue"), FatalTail("SetRegKeyValue"));
}

TEST_F(RegistryHelpersTest, GetRegKeyValueWithoutRoomEndsWithBufferOverflow) {
  SetRegKeyValue(key_.c_str(), "abcd");
  for (LONG size : {0, -1}) {
    SCOPED_TRACE(size);
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EXIT(GetRegKeyValue(key_.c_str(), buffer, size), ExitedWithCode(0), "");
    EXPECT_THAT(LastFrom("msgbox \"Buffer Overflow\" \"MS-Setup Error\" 16"),
                ElementsAre("msgbox \"Buffer Overflow\" \"MS-Setup Error\" 16", "page pop all",
                            "page show 400", "symbol DLGEVENT \"CONTINUE\"", "page pop 1",
                            "frame end", "install end", "exit 0"));
    EXPECT_TRUE(FailureFrom("SetRegKeyValue").empty());
  }
}

TEST_F(RegistryHelpersTest, GetRegKeyValueExTakesAnExactFit) {
  CreateRegKey(key_.c_str());
  const char bytes[] = "12345678";
  SetRegKeyValueEx(HKEY_CLASSES_ROOT, key_.c_str(), "Bytes", REG_BINARY, bytes, 8);
  char data[8];
  DWORD type = 0;
  EXPECT_EQ(GetRegKeyValueEx(HKEY_CLASSES_ROOT, key_.c_str(), "Bytes", &type, data, 8),
            ERROR_SUCCESS);
  EXPECT_EQ(std::string(data, 8), "12345678");
  EXPECT_EXIT(GetRegKeyValueEx(HKEY_CLASSES_ROOT, key_.c_str(), "Bytes", &type, data, 7),
              ExitedWithCode(0), "");
  EXPECT_EQ(FailureFrom("SetRegKeyValueEx"), FatalTail("SetRegKeyValueEx"));
}

// The Ex setters open the key: they do not create it.
TEST_F(RegistryHelpersTest, ExSettersEndTheRunOnAMissingKey) {
  struct Case {
    const char* context;
    std::function<void()> call;
  } cases[] = {
      {"CreateRegKeyValueEx:open",
       [&] { CreateRegKeyValueEx(HKEY_CLASSES_ROOT, Path("No").c_str(), "V", REG_SZ, "x", 2); }},
      {"SetRegKeyValueEx:open",
       [&] { SetRegKeyValueEx(HKEY_CLASSES_ROOT, Path("No").c_str(), "V", REG_SZ, "x", 2); }},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(c.call(), ExitedWithCode(0), "") << c.context;
    EXPECT_EQ(FailureFrom(c.context), FatalTail(c.context));
  }
  EXPECT_FALSE(KeyExists(Path("No")));
}

TEST_F(RegistryHelpersTest, DeleteAllSubKeysRemovesTheWholeTree) {
  for (const char* path : {"Tree\\a", "Tree\\b\\c", "Tree\\b\\d\\e", "Other"}) MakeKey(Path(path));
  SetRegKeyValue(Path("Tree\\b").c_str(), "value");
  DeleteAllSubKeys(Path("Tree").c_str());
  EXPECT_FALSE(KeyExists(Path("Tree")));
  EXPECT_TRUE(KeyExists(Path("Other")));

  HKEY root = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, key_.c_str(), 0, KEY_ALL_ACCESS, &root),
            ERROR_SUCCESS);
  MakeKey(Path("ExTree\\x\\y"));
  DeleteAllSubKeysEx(root, "ExTree");
  EXPECT_FALSE(KeyExists(Path("ExTree")));
  MakeKey(Path("Leaf"));
  EXPECT_EQ(DeleteKeyTree(root, "Leaf"), 1);  // a key without subkeys
  EXPECT_FALSE(KeyExists(Path("Leaf")));
  RegCloseKey(root);
  EXPECT_TRUE(StandinCallsOf("EercErrorHandler").empty());
}

TEST_F(RegistryHelpersTest, DeleteKeyTreeReportsAKeyItCannotOpen) {
  EXPECT_EQ(DeleteKeyTree(HKEY_CLASSES_ROOT, Path("Missing").c_str()), 0);
  std::vector<ToolkitCall> reports = StandinCallsOf("EercErrorHandler");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_THAT(reports[0].args,
              ElementsAre("104", "1", "\"DeleteAllSubKeys:open\"", "NULL", "NULL"));
}

TEST_F(RegistryHelpersTest, LoadingTwiceKeepsOneLibrary) {
  HMODULE loaded = RegistryLibrary;
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(LoadRegistryLibrary(), 1);
  EXPECT_EQ(RegistryLibrary, loaded);
  ReleaseRegistryLibrary();
  EXPECT_EQ(RegistryLibrary, nullptr);
  ReleaseRegistryLibrary();  // nothing loaded: nothing happens
  EXPECT_EQ(RegistryLibrary, nullptr);
  ASSERT_EQ(LoadRegistryLibrary(), 1);
  EndSetupSession();  // releases it too
  EXPECT_EQ(RegistryLibrary, nullptr);
}

// Without a library the helpers fail as their first step would, and never
// call through an entry point that is not bound.
TEST_F(RegistryHelpersTest, HelpersWithoutALibraryEndTheRun) {
  CreateRegKey(key_.c_str());
  ReleaseRegistryLibrary();
  EXPECT_EQ(DoesRegKeyExist(key_.c_str()), 0);
  EXPECT_EQ(DoesRegKeyExistEx(HKEY_CLASSES_ROOT, key_.c_str()), 0);
  EXPECT_EQ(DeleteKeyTree(HKEY_CLASSES_ROOT, key_.c_str()), 0);
  EXPECT_EQ(StandinCallsOf("EercErrorHandler").size(), 1u);
  EXPECT_TRUE(KeyExists(key_));
  const char* k = key_.c_str();
  char buffer[8];
  DWORD type = 0;
  struct Case {
    const char* context;
    std::function<void()> call;
  } cases[] = {
      {"CreateRegKey", [&] { CreateRegKey(k); }},
      {"CreateRegKeyEx", [&] { CreateRegKeyEx(HKEY_CLASSES_ROOT, k); }},
      {"CreateRegKeyValue", [&] { CreateRegKeyValue(k, "v"); }},
      {"SetRegKeyValue", [&] { SetRegKeyValue(k, "v"); }},
      {"CreateRegKeyValueEx:open",
       [&] { CreateRegKeyValueEx(HKEY_CLASSES_ROOT, k, "V", REG_SZ, "v", 2); }},
      {"SetRegKeyValueEx:open",
       [&] { SetRegKeyValueEx(HKEY_CLASSES_ROOT, k, "V", REG_SZ, "v", 2); }},
      {"SetRegKeyValue", [&] { GetRegKeyValue(k, buffer, sizeof buffer); }},
      {"GetRegKeyValueEx",
       [&] { GetRegKeyValueEx(HKEY_CLASSES_ROOT, k, "V", &type, buffer, sizeof buffer); }},
      {"DeleteAllSubKeys", [&] { DeleteAllSubKeys(k); }},
      {"DeleteAllSubKeys", [&] { DeleteAllSubKeysEx(HKEY_CLASSES_ROOT, k); }},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(c.call(), ExitedWithCode(0), "") << c.context;
    EXPECT_EQ(FailureFrom(c.context), FatalTail(c.context)) << c.context;
  }
  EXPECT_TRUE(KeyExists(key_));
}

}  // namespace
