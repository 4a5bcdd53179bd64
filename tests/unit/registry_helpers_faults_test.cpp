// The registry helpers when the registry fails: every registry call a helper
// makes, made to fail in turn, and a library without some entry points.
// Native only: the host layer fails the calls and hides the exports.
#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "host/loader.h"
#include "host/src/reset_host.h"
#include "host/syscalls.h"
#include "spine_support.h"
#include "standin/core/standin.h"
#include "support/registry_helpers.h"
#include "toolkit/session.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ExitedWithCode;

class RegistryFaultTest : public spine_support::SpineTest {
 protected:
  void SetUp() override {
    SpineTest::SetUp();
    StandinSetQuiet(true);
    OpenMachine();
    ASSERT_GT(StartSetupSession(const_cast<char*>("")), 0);
  }
  void TearDown() override {
    ReleaseRegistryLibrary();
    host::ClearFaults();
    StandinSetQuiet(false);
    SpineTest::TearDown();
  }
  void ClearTranscript() { std::ofstream(dir_ + "/transcript.txt", std::ios::trunc); }
  // The error handler's reports in the transcript.
  std::vector<std::string> Reports() const {
    std::vector<std::string> reports;
    for (const std::string& line : Transcript())
      if (line.rfind("error ", 0) == 0) reports.push_back(line);
    return reports;
  }
  bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
};

TEST_F(RegistryFaultTest, LoadNeedsTheSixRequiredEntryPointsOnly) {
  struct Case {
    const char* name;
    bool required;
  } cases[] = {
      {"RegCloseKey", true},      {"RegCreateKeyA", true},  {"RegDeleteKeyA", true},
      {"RegOpenKeyA", true},      {"RegQueryValueA", true}, {"RegSetValueA", true},
      {"RegCreateKeyExA", false}, {"RegOpenKeyExA", false}, {"RegQueryValueExA", false},
      {"RegSetValueExA", false},  {"RegEnumKeyA", false},   {"RegQueryInfoKeyA", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host::ClearFaults();
    host::HideExport("ADVAPI32.DLL", c.name);
    EXPECT_EQ(LoadRegistryLibrary(), c.required ? 0 : 1);
    EXPECT_EQ(RegistryLibrary == nullptr, c.required);
    ReleaseRegistryLibrary();
  }
  EXPECT_TRUE(StandinCallsOf("EercErrorHandler").empty()) << "a failed load shows nothing";
}

// A helper that needs a missing optional entry point fails as its first
// step would, before any registry call.
TEST_F(RegistryFaultTest, MissingOptionalEntryPointsFailTheHelpersThatNeedThem) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "Kyr\\Sub", &key), ERROR_SUCCESS);
  RegCloseKey(key);
  char data[8];
  DWORD type = 0;
  struct Case {
    const char* missing;
    const char* context;
    std::function<void()> call;
  } cases[] = {
      {"RegOpenKeyExA", "GetRegKeyValueEx",
       [&] { GetRegKeyValueEx(HKEY_CLASSES_ROOT, "Kyr", "V", &type, data, sizeof data); }},
      {"RegQueryValueExA", "GetRegKeyValueEx",
       [&] { GetRegKeyValueEx(HKEY_CLASSES_ROOT, "Kyr", "V", &type, data, sizeof data); }},
      {"RegSetValueExA", "CreateRegKeyValueEx:open",
       [&] { CreateRegKeyValueEx(HKEY_CLASSES_ROOT, "Kyr", "V", REG_SZ, "v", 2); }},
      {"RegOpenKeyExA", "SetRegKeyValueEx:open",
       [&] { SetRegKeyValueEx(HKEY_CLASSES_ROOT, "Kyr", "V", REG_SZ, "v", 2); }},
      {"RegEnumKeyA", "DeleteAllSubKeys", [&] { DeleteAllSubKeys("Kyr"); }},
      {"RegQueryInfoKeyA", "DeleteAllSubKeys",
       [&] { DeleteAllSubKeysEx(HKEY_CLASSES_ROOT, "Kyr"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.missing);
    host::ClearFaults();
    host::HideExport("ADVAPI32.DLL", c.missing);
    ASSERT_EQ(LoadRegistryLibrary(), 1);
    host::FailSyscall(host::Syscall::Registry, 0);  // a registry call would show
    ClearTranscript();
    EXPECT_EXIT(c.call(), ExitedWithCode(0), "");
    EXPECT_THAT(Reports(), ElementsAre(std::string("error 104 \"") + c.context + "\""));
    ReleaseRegistryLibrary();
  }
  host::ClearFaults();
  EXPECT_TRUE(KeyExists("Kyr\\Sub"));
  // The worker itself reports and returns.
  host::HideExport("ADVAPI32.DLL", "RegEnumKeyA");
  ASSERT_EQ(LoadRegistryLibrary(), 1);
  ClearTranscript();
  EXPECT_EQ(DeleteKeyTree(HKEY_CLASSES_ROOT, "Kyr"), 0);
  EXPECT_THAT(Reports(), ElementsAre("error 104 \"DeleteAllSubKeys:open\""));
}

// Keys a, b and b\c: b comes after a, so the deletes go b\c, b, a, the key.
TEST_F(RegistryFaultTest, TreeDeleteGoesDeepestFirstFromTheLastSubkey) {
  static std::vector<std::string> deleted;
  deleted.clear();
  auto recordDelete = [](HKEY root, LPCSTR path) -> LSTATUS {
    deleted.push_back(path);
    return RegDeleteKeyA(root, path);
  };
  LSTATUS(WINAPI * recorder)(HKEY, LPCSTR) = recordDelete;
  host::ReplaceExport("ADVAPI32.DLL", "RegDeleteKeyA",
                      reinterpret_cast<FARPROC>(reinterpret_cast<void*>(recorder)));
  ASSERT_EQ(LoadRegistryLibrary(), 1);
  for (const char* path : {"Tree\\a", "Tree\\b\\c"}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, path, &key), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  DeleteAllSubKeys("Tree");
  EXPECT_THAT(deleted, ElementsAre("Tree\\b\\c", "Tree\\b", "Tree\\a", "Tree"));
  EXPECT_FALSE(KeyExists("Tree"));
}

// Each helper with its Nth registry call made to fail, for every N: the
// reports the error handler gets (none when the helper does not examine that
// call, or does not treat it as an error, and returns normally).
struct FaultCase {
  const char* name;
  std::function<void()> call;
  std::vector<std::vector<std::string>> reportsByCall;
};

TEST_F(RegistryFaultTest, EveryRegistryCallOfAHelperCanFail) {
  auto report = [](const char* context) { return std::string("error 104 \"") + context + "\""; };
  char buffer[16];
  DWORD type = 0;
  const std::vector<std::string> none;
  const std::vector<FaultCase> cases = {
      {"CreateRegKey",
       [] { CreateRegKey("Kyr\\New"); },
       {{report("CreateRegKey")}, {report("CreateRegKey")}}},
      {"CreateRegKeyEx",
       [] { CreateRegKeyEx(HKEY_CLASSES_ROOT, "Kyr\\New"); },
       {{report("CreateRegKeyEx")}, {report("CreateRegKeyEx")}}},
      {"CreateRegKeyValue", [] { CreateRegKeyValue("Kyr", "v"); }, {{report("CreateRegKeyValue")}}},
      {"SetRegKeyValue", [] { SetRegKeyValue("Kyr", "v"); }, {{report("SetRegKeyValue")}}},
      // open, set, close (not examined)
      {"CreateRegKeyValueEx",
       [] { CreateRegKeyValueEx(HKEY_CLASSES_ROOT, "Kyr", "V", REG_SZ, "v", 2); },
       {{report("CreateRegKeyValueEx:open")}, {report("CreateRegKeyValueEx")}, none}},
      {"SetRegKeyValueEx",
       [] { SetRegKeyValueEx(HKEY_CLASSES_ROOT, "Kyr", "V", REG_SZ, "v", 2); },
       {{report("SetRegKeyValueEx:open")}, {report("SetRegKeyValueEx")}, none}},
      // existence test (open, close), then the read
      {"GetRegKeyValue",
       [&] { GetRegKeyValue("Kyr", buffer, sizeof buffer); },
       {none, none, {report("SetRegKeyValue")}}},
      // existence test, open, read, close
      {"GetRegKeyValueEx",
       [&] { GetRegKeyValueEx(HKEY_CLASSES_ROOT, "Kyr", "V", &type, buffer, sizeof buffer); },
       {none, none, {report("GetRegKeyValueEx")}, {report("SetRegKeyValueEx")}, none}},
      // existence test; open Kyr, query, enumerate Sub; open Kyr\Sub, query,
      // close, delete; close Kyr, delete
      {"DeleteAllSubKeys",
       [] { DeleteAllSubKeys("Kyr"); },
       {none,
        none,
        {report("DeleteAllSubKeys:open"), report("DeleteAllSubKeys")},
        {report("DeleteAllSubKeys")},
        {report("DeleteAllSubKeys:enum"), report("DeleteAllSubKeys")},
        {report("DeleteAllSubKeys:open"), report("DeleteAllSubKeys")},
        {report("DeleteAllSubKeys")},
        none,
        none,
        none,
        none}},
  };
  for (const FaultCase& c : cases) {
    for (size_t n = 1; n <= c.reportsByCall.size() + 1; ++n) {
      SCOPED_TRACE(std::string(c.name) + " call " + std::to_string(n));
      // A fresh registry (a death test before wrote its changes back): Kyr
      // with its default value, value V and subkey Sub.
      host::ResetHost();
      std::filesystem::remove(dir_ + "/machine/registry.reg");
      StandinReset();
      SessionFrame = 0;
      OpenMachine();
      ASSERT_GT(StartSetupSession(const_cast<char*>("")), 0);
      HKEY key = nullptr;
      ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "Kyr\\Sub", &key), ERROR_SUCCESS);
      RegCloseKey(key);
      ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "Kyr", REG_SZ, "text", 4), ERROR_SUCCESS);
      ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "Kyr", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
      ASSERT_EQ(RegSetValueExA(key, "V", 0, REG_SZ, reinterpret_cast<const BYTE*>("v"), 2),
                ERROR_SUCCESS);
      RegCloseKey(key);
      ASSERT_EQ(LoadRegistryLibrary(), 1);
      ClearTranscript();
      host::FailSyscall(host::Syscall::Registry, static_cast<int>(n));
      // One past the last call: nothing fails.
      const std::vector<std::string>& expected =
          n <= c.reportsByCall.size() ? c.reportsByCall[n - 1] : none;
      if (expected.empty()) {
        c.call();
        EXPECT_TRUE(Reports().empty());
      } else {
        EXPECT_EXIT(c.call(), ExitedWithCode(0), "");
        EXPECT_EQ(Reports(), expected);
        EXPECT_EQ(Transcript().back(), "exit 0");
      }
      host::ClearFaults();
      ReleaseRegistryLibrary();
    }
  }
}

}  // namespace
