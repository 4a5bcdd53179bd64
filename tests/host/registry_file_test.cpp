// registry.reg: what a run reads from it, and what goes back.
#include <gmock/gmock.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "host/machine.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

using ::testing::ExitedWithCode;
using ::testing::HasSubstr;
using ::testing::Not;

const char kOriginal[] =
    "REGEDIT4\r\n"
    "; written by hand\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Kyroth]\r\n"
    "\"Name\"=\"Kyroth\"\r\n"
    "[HKEY_CLASSES_ROOT\\.kyr]\r\n"
    "@=\"kyrfile\"\r\n";

class RegistryFileTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Write("registry.reg", kOriginal);
    Open();
  }
  void SetText(HKEY root, const char* path, const char* name, const char* text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(root, path, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                             static_cast<DWORD>(std::strlen(text) + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  std::string ReadText(HKEY root, const char* path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "(no key)";
    char data[64] = {};
    DWORD size = sizeof data - 1;
    LSTATUS status =
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(data) : "(no value)";
  }
};

TEST_F(RegistryFileTest, ReadingAndUnchangedWritesLeaveTheFileAsItWas) {
  EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, ".KYR", ""), "kyrfile");
  // Opening, creating an existing key and storing the same value change nothing.
  SetText(HKEY_LOCAL_MACHINE, "Software\\Kyroth", "Name", "Kyroth");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, ".kyr", &key), ERROR_SUCCESS);
  RegCloseKey(key);
  host::SaveRegistry();
  EXPECT_EQ(Read("registry.reg"), kOriginal);
  // A volatile key is never written.
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kyroth\\Now", 0, nullptr,
                            REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegCreateKeyA(key, "Lasting", &key), ERROR_CHILD_MUST_BE_VOLATILE);
  host::SaveRegistry();
  EXPECT_EQ(Read("registry.reg"), kOriginal);
}

TEST_F(RegistryFileTest, ChangesAreWrittenAsRegedit4) {
  SetText(HKEY_CLASSES_ROOT, "KyrTest\\Sub", "", "C:\\Kyroth \"quoted\"");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "KyrTest", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  const DWORD number = 0x20a;
  const std::string bytes(40, '\x5a');
  const std::string twoStrings("a\0b\0", 5);
  ASSERT_EQ(RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
            ERROR_SUCCESS);
  ASSERT_EQ(
      RegSetValueExA(key, "Bytes", 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()), 40),
      ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Multi", 0, REG_MULTI_SZ,
                           reinterpret_cast<const BYTE*>(twoStrings.data()), 5),
            ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Kyroth"), ERROR_SUCCESS);
  host::SaveRegistry();
  EXPECT_EQ(Read("registry.reg"),
            "REGEDIT4\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software]\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Classes]\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.kyr]\r\n"
            "@=\"kyrfile\"\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Classes\\KyrTest]\r\n"
            "\"Number\"=dword:0000020a\r\n"
            "\"Bytes\"=hex:5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,"
            "\\\r\n"
            "  5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a\r\n"
            "\"Multi\"=hex(7):61,00,62,00,00\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Classes\\KyrTest\\Sub]\r\n"
            "@=\"C:\\\\Kyroth \\\"quoted\\\"\"\r\n"
            "\r\n");

  // The text reads back as it was written.
  host::ResetHost();
  Open();
  EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "KyrTest\\Sub", nullptr), "C:\\Kyroth \"quoted\"");
  ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "KyrTest", 0, KEY_READ, &key), ERROR_SUCCESS);
  for (const auto& [name, data] :
       {std::make_pair("Number", std::string("\x0a\x02\0\0", 4)), std::make_pair("Bytes", bytes),
        std::make_pair("Multi", twoStrings)}) {
    char read[64];
    DWORD size = sizeof read;
    ASSERT_EQ(RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(read), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(read, size), data) << name;
  }
  RegCloseKey(key);
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, "Software\\Kyroth", "Name"), "(no key)");
}

TEST_F(RegistryFileTest, ExitProcessWritesTheChangesBack) {
  EXPECT_EXIT(
      {
        SetText(HKEY_LOCAL_MACHINE, "Software\\Kyroth", "Name", "changed");
        ExitProcess(0);
      },
      ExitedWithCode(0), "");
  EXPECT_THAT(Read("registry.reg"), HasSubstr("\"Name\"=\"changed\"\r\n"));
  EXPECT_EQ(Transcript().back(), "exit 0");
}

TEST_F(RegistryFileTest, ProcessEndWritesTheChangesBack) {
  EXPECT_EXIT(
      {
        SetText(HKEY_LOCAL_MACHINE, "Software\\Kyroth", "Other", "value");
        std::exit(3);
      },
      ExitedWithCode(3), "");
  EXPECT_THAT(Read("registry.reg"), HasSubstr("\"Other\"=\"value\"\r\n"));
}

// Whatever the file holds, the run goes on: each line that cannot be read
// is named on stderr and skipped.
TEST_F(RegistryFileTest, BadLinesAreReportedAndSkipped) {
  host::ResetHost();
  Write("registry.reg",
        "REGEDIT4\r\n"
        "\"Outside\"=\"no key yet\"\r\n"               // 2
        "[HKEY_LOCAL_MACHINE\\Good]\r\n"               // 3
        "\"Huge type\"=hex(11111111111111111):00\r\n"  // 4
        "\"Long dword\"=dword:123456789\r\n"           // 5
        "\"Bad hex\"=hex:0g\r\n"                       // 6
        "\"Unended\"=\"text\r\n"                       // 7
        "Bare=1\r\n"                                   // 8
        "[HKEY_NOWHERE\\Key]\r\n"                      // 9
        "\"Lost\"=\"x\"\r\n"                           // 10
        "[HKEY_LOCAL_MACHINE\\Open\r\n"                // 11
        "[HKEY_LOCAL_MACHINE\\Good]\r\n"               // 12
        "\"Kept\"=hex(ffffffff):01\r\n"                // 13
        "\"Text\"=\"fine\"\r\n"                        // 14
        "\"Stray\"=\"x\"\xf3\r\n"                      // 15: a byte after the text
        "\"\"=\"by empty name\" ; noted\r\n");         // 16: the default value
  Open();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, "Good", "Text"), "fine");
  std::string warnings = ::testing::internal::GetCapturedStderr();
  for (int line : {2, 4, 5, 6, 7, 8, 9, 11, 15})
    EXPECT_THAT(warnings, HasSubstr("registry.reg line " + std::to_string(line) + ":")) << line;
  for (int line : {10, 16})
    EXPECT_THAT(warnings, Not(HasSubstr("line " + std::to_string(line) + ":"))) << line;
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, "Good", ""), "by empty name");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Good", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Kept", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, 0xffffffffu);
  for (const char* missing : {"Huge type", "Long dword", "Bad hex", "Unended", "Stray"})
    EXPECT_EQ(RegQueryValueExA(key, missing, nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND)
        << missing;
  RegCloseKey(key);
}

// A zero byte cuts a name short for every call: the line is refused whole,
// and a key's line with one takes its values with it.
TEST_F(RegistryFileTest, LinesWithAZeroByteAreSkipped) {
  host::ResetHost();
  using namespace std::string_literals;
  Write("registry.reg",
        "REGEDIT4\r\n"
        "[HKEY_LOCAL_MACHINE\\Good]\r\n"       // 2
        "\"Cut\0name\"=\"x\"\r\n"              // 3
        "\"Text\"=\"cut\0text\"\r\n"           // 4
        "\"Kept\"=\"fine\"\r\n"                // 5
        "[HKEY_LOCAL_MACHINE\\Good\0Bad]\r\n"  // 6
        "\"Lost\"=\"x\"\r\n"s);                // 7
  Open();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, "Good", "Kept"), "fine");
  std::string warnings = ::testing::internal::GetCapturedStderr();
  for (int line : {3, 4, 6})
    EXPECT_THAT(warnings, HasSubstr("registry.reg line " + std::to_string(line) + ":")) << line;
  for (const char* missing : {"Cut", "Text", "Lost"})
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, "Good", missing), "(no value)") << missing;
}

// [-KEY] removes a key with everything below it; "Name"=- removes a value.
TEST_F(RegistryFileTest, RemovalLines) {
  host::ResetHost();
  Write("registry.reg",
        "REGEDIT4\r\n"
        "[HKEY_LOCAL_MACHINE\\A\\B\\C]\r\n"
        "[HKEY_LOCAL_MACHINE\\A\\D]\r\n"
        "\"V\"=\"1\"\r\n"
        "\"W\"=\"2\"\r\n"
        "[-HKEY_LOCAL_MACHINE\\A\\B]\r\n"
        "[HKEY_LOCAL_MACHINE\\A\\D]\r\n"
        "\"V\"=-\r\n");
  Open();
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, "A\\B\\C", "x"), "(no key)");
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, "A\\D", "V"), "(no value)");
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, "A\\D", "W"), "2");
}

}  // namespace
