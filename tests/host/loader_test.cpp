#include "host/loader.h"

#include <cstring>

#include "host_fixture.h"
#include "winapi.h"

namespace {

class LoaderTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Open("[machine]\nwindows=C:\\windows\nsystem=C:\\windows\\system32\ncwd=C:\\windows\n");
    log_ = dir_ + "/module.log";
    setenv("HOST_TEST_MODULE_LOG", log_.c_str(), 1);
    unsetenv("HOST_TEST_MODULE_REFUSE");
  }
  void TearDown() override {
    MachineTest::TearDown();  // unloads what a test left loaded
    unsetenv("HOST_TEST_MODULE_LOG");
    unsetenv("HOST_TEST_MODULE_REFUSE");
  }
  std::vector<std::string> Log() const {
    std::ifstream file(log_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }
  static std::string Hex(HMODULE module) {
    char text[32];
    std::snprintf(text, sizeof text, "%lx",
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(module)));
    return text;
  }
  std::string log_;
};

TEST_F(LoaderTest, LoadCallsDllMainOnceAndFreeDetaches) {
  host::RegisterModule("C:\\windows\\system32\\KYRSETUP.DLL", HOST_TEST_MODULE);
  HMODULE module = LoadLibraryA("C:\\WINDOWS\\SYSTEM32\\kyrsetup.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_LT(reinterpret_cast<uintptr_t>(module), uintptr_t{1} << 32);
  EXPECT_EQ(LoadLibraryA("kyrsetup"), module);  // bare name, ".DLL" added
  EXPECT_EQ(Log(), (std::vector<std::string>{"1 " + Hex(module) + " 0"}));

  typedef int (*Answer)(void);
  Answer answer =
      reinterpret_cast<Answer>(reinterpret_cast<void*>(GetProcAddress(module, "TestModuleAnswer")));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  // A symbol of a library the module depends on is not the module's export.
  EXPECT_EQ(GetProcAddress(module, "fopen"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(1)), nullptr);

  EXPECT_TRUE(FreeLibrary(module));  // one reference left
  EXPECT_EQ(Log().size(), 1u);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(Log().back(), "0 " + Hex(module) + " 0");
  EXPECT_FALSE(FreeLibrary(module));
  EXPECT_EQ(GetProcAddress(module, "TestModuleAnswer"), nullptr);
}

TEST_F(LoaderTest, RefusingDllMainFailsTheLoad) {
  setenv("HOST_TEST_MODULE_REFUSE", "1", 1);
  host::RegisterModule("C:\\windows\\system32\\KYRSETUP.DLL", HOST_TEST_MODULE);
  EXPECT_EQ(LoadLibraryA("kyrsetup.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  ASSERT_EQ(Log().size(), 2u);  // attach, then the detach Windows sends
  EXPECT_EQ(Log()[1].substr(0, 2), "0 ");
}

TEST_F(LoaderTest, UnknownOrUnloadableModules) {
  EXPECT_EQ(LoadLibraryA("nothere.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  host::RegisterModule("C:\\windows\\broken.dll", dir_ + "/missing.so");
  EXPECT_EQ(LoadLibraryA("broken.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  // A full path must match the registered one, not just its name.
  host::RegisterModule("C:\\windows\\system32\\KYRSETUP.DLL", HOST_TEST_MODULE);
  EXPECT_EQ(LoadLibraryA("C:\\other\\kyrsetup.dll"), nullptr);
}

TEST_F(LoaderTest, ModuleFileNameSizes) {
  const std::string path = "C:\\windows\\system32\\KYRSETUP.DLL";
  host::RegisterModule(path, HOST_TEST_MODULE);
  HMODULE module = LoadLibraryA("kyrsetup.dll");
  ASSERT_NE(module, nullptr);
  const DWORD length = static_cast<DWORD>(path.size());
  struct Case {
    DWORD size;
    DWORD result;
    std::string text;
  } cases[] = {
      {length + 1, length, path + '\0'},
      {length + 10, length, path + '\0'},
      // Cut: the buffer filled without a terminator, the result its size.
      {length, length, path.substr(0, length)},
      {4, 4, "C:\\w"},
      {1, 1, "C"},
  };
  for (const Case& c : cases) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetModuleFileNameA(module, buffer, c.size), c.result) << "size " << c.size;
    EXPECT_EQ(std::string(buffer, c.text.size()), c.text) << "size " << c.size;
    EXPECT_EQ(buffer[c.text.size()], '#') << "size " << c.size;
  }
  char buffer[8] = "#######";
  EXPECT_EQ(GetModuleFileNameA(module, buffer, 0), 0u);
  EXPECT_EQ(buffer[0], '#');
}

TEST_F(LoaderTest, LinkedModules) {
  HINSTANCE linked = host::RegisterLinkedModule("C:\\windows\\system32\\mscuistf.dll");
  EXPECT_EQ(host::RegisterLinkedModule("C:\\windows\\system32\\MSCUISTF.DLL"), linked);
  EXPECT_EQ(LoadLibraryA("MSCUISTF.DLL"), linked);
  char buffer[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameA(linked, buffer, sizeof buffer), 32u);
  EXPECT_STREQ(buffer, "C:\\windows\\system32\\mscuistf.dll");
  // Linked code is found anywhere in the process.
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(linked, "LoadLibraryA")),
            reinterpret_cast<void*>(&LoadLibraryA));
  EXPECT_TRUE(FreeLibrary(linked));
  EXPECT_EQ(GetModuleFileNameA(linked, buffer, sizeof buffer), 32u);  // still there
}

TEST_F(LoaderTest, RegistryLibraryAnswersRegistryFunctionsOnly) {
  HMODULE advapi = LoadLibraryA("ADVAPI32.DLL");
  ASSERT_NE(advapi, nullptr);
  EXPECT_EQ(LoadLibraryA("advapi32"), advapi);
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(advapi, "RegOpenKeyExA")),
            reinterpret_cast<void*>(&RegOpenKeyExA));
  EXPECT_EQ(GetProcAddress(advapi, "LoadLibraryA"), nullptr);
  char buffer[MAX_PATH];
  GetModuleFileNameA(advapi, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "C:\\windows\\system32\\ADVAPI32.DLL");
}

LSTATUS WINAPI CloseKeyStandIn(HKEY) { return ERROR_INVALID_PARAMETER; }

TEST_F(LoaderTest, ReplacedExportsAnswerTheReplacement) {
  HMODULE advapi = LoadLibraryA("ADVAPI32.DLL");
  FARPROC standIn = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&CloseKeyStandIn));
  host::ReplaceExport("advapi32", "RegCloseKey", standIn);
  EXPECT_EQ(GetProcAddress(advapi, "RegCloseKey"), standIn);
  EXPECT_NE(GetProcAddress(advapi, "RegOpenKeyA"), standIn);
  host::ReplaceExport("ADVAPI32.DLL", "RegCloseKey", nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(advapi, "RegCloseKey")),
            reinterpret_cast<void*>(&RegCloseKey));
  host::ReplaceExport("ADVAPI32.DLL", "RegCloseKey", standIn);
  host::ResetHost();  // forgets the replacement
  Open();
  advapi = LoadLibraryA("ADVAPI32.DLL");
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(advapi, "RegCloseKey")),
            reinterpret_cast<void*>(&RegCloseKey));
}

}  // namespace
