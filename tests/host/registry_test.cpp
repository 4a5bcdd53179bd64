#include <cstring>
#include <functional>

#include "host/syscalls.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

const char kRegistry[] =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Kyroth 1000]\r\n"
    "\"Printer Driver\"=\"Kyroth Series\"\r\n"
    "@=\"the default\"\r\n"
    "\"Quoted\"=\"say \\\"hi\\\" C:\\\\x\"\r\n"
    "\"Attributes\"=dword:0000020a\r\n"
    "\"Bytes\"=hex:01,ff,\\\r\n"
    "  7a\r\n"
    "\"Empty\"=\"\"\r\n"
    "; a comment\r\n"
    "[HKEY_CLASSES_ROOT\\.txt]\r\n"
    "@=\"txtfile\"\r\n";

class RegistryTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Write("registry.reg", kRegistry);
    Open();
  }
  HKEY OpenPrinter() {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                            "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\KYROTH 1000", 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    return key;
  }
};

TEST_F(RegistryTest, OpenKeys) {
  struct Case {
    HKEY root;
    const char* path;
    LSTATUS status;
  } cases[] = {
      {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\control\\Print\\Printers\\Kyroth 1000",
       ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, "system\\currentcontrolset\\control\\print\\printers\\", ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, "System", ERROR_SUCCESS},  // keys above a listed one exist
      {HKEY_LOCAL_MACHINE, "", ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, nullptr, ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\control\\Print\\Printers\\Other",
       ERROR_FILE_NOT_FOUND},
      // A run of backslashes is one separator, as Wine's server reads paths.
      {HKEY_LOCAL_MACHINE, "System\\\\CurrentControlSet", ERROR_SUCCESS},
      {HKEY_LOCAL_MACHINE, "\\System", ERROR_BAD_PATHNAME},
      {HKEY_CLASSES_ROOT, ".TXT", ERROR_SUCCESS},
      {HKEY_CURRENT_USER, ".txt", ERROR_FILE_NOT_FOUND},
      {reinterpret_cast<HKEY>(0x1234), "x", ERROR_INVALID_HANDLE},
  };
  for (const Case& c : cases) {
    HKEY key = reinterpret_cast<HKEY>(0x5555);
    EXPECT_EQ(RegOpenKeyExA(c.root, c.path, 0, KEY_READ, &key), c.status)
        << (c.path ? c.path : "(null)");
    if (c.status == ERROR_SUCCESS && (c.path == nullptr || *c.path == '\0')) {
      EXPECT_EQ(key, c.root) << "a root opens as itself";
      EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
      EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS) << "a root stays open";
    } else if (c.status == ERROR_SUCCESS) {
      EXPECT_NE(key, nullptr);
      EXPECT_LT(reinterpret_cast<uintptr_t>(key), uintptr_t{1} << 32);
      EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
      EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    } else {
      EXPECT_EQ(key, nullptr) << "a failed open yields no key";
    }
  }
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System", 0, KEY_READ, nullptr),
            ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, ValuesAndTheirTypes) {
  HKEY key = OpenPrinter();
  struct Case {
    const char* name;
    DWORD type;
    std::string data;
  } cases[] = {
      {"Printer Driver", REG_SZ, std::string("Kyroth Series", 14)},
      {"printer driver", REG_SZ, std::string("Kyroth Series", 14)},
      {nullptr, REG_SZ, std::string("the default", 12)},
      {"", REG_SZ, std::string("the default", 12)},
      {"Quoted", REG_SZ, std::string("say \"hi\" C:\\x", 14)},
      {"Attributes", REG_DWORD, std::string("\x0a\x02\x00\x00", 4)},
      {"Bytes", REG_BINARY, std::string("\x01\xff\x7a", 3)},
      {"Empty", REG_SZ, std::string("", 1)},
  };
  for (const Case& c : cases) {
    BYTE data[64];
    std::memset(data, '#', sizeof data);
    DWORD type = 99;
    DWORD size = sizeof data;
    ASSERT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, data, &size), ERROR_SUCCESS)
        << (c.name ? c.name : "(null)");
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), c.data);
    EXPECT_EQ(data[size], '#');
  }
  DWORD size = 64;
  BYTE data[64];
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, data, &size), ERROR_FILE_NOT_FOUND);
  // A missing value's type is cleared, as Windows 95 does.
  DWORD type = REG_SZ;
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, &type, data, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
  RegCloseKey(key);
}

TEST_F(RegistryTest, BufferSizes) {
  HKEY key = OpenPrinter();
  const DWORD needed = 14;  // "Kyroth Series" and its zero
  struct Case {
    DWORD size;
    LSTATUS status;
  } cases[] = {{needed + 1, ERROR_SUCCESS},
               {needed, ERROR_SUCCESS},
               {needed - 1, ERROR_MORE_DATA},
               {0, ERROR_MORE_DATA}};
  for (const Case& c : cases) {
    BYTE data[32];
    std::memset(data, '#', sizeof data);
    DWORD size = c.size;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Printer Driver", nullptr, &type, data, &size), c.status)
        << "size " << c.size;
    EXPECT_EQ(size, needed) << "size " << c.size;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    if (c.status == ERROR_MORE_DATA) {
      EXPECT_EQ(data[0], '#') << "nothing written for size " << c.size;
    } else {
      EXPECT_STREQ(reinterpret_cast<char*>(data), "Kyroth Series");
    }
  }
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Printer Driver", nullptr, nullptr, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, needed);
  BYTE data[4];
  EXPECT_EQ(RegQueryValueExA(key, "Printer Driver", nullptr, nullptr, data, nullptr),
            ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(RegistryTest, FailNthRegistryCall) {
  host::FailSyscall(host::Syscall::Registry, 2);
  HKEY key = OpenPrinter();  // call 1
  BYTE data[32];
  DWORD size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(key, "Printer Driver", nullptr, nullptr, data, &size),
            ERROR_ACCESS_DENIED);  // call 2
  size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(key, "Printer Driver", nullptr, nullptr, data, &size), ERROR_SUCCESS);
  host::FailSyscall(host::Syscall::Registry, 1);
  EXPECT_EQ(RegCloseKey(key), ERROR_ACCESS_DENIED);  // closing counts, and the key stays open
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  host::ResetHost();
  Write("machine.ini", "[faults]\nfail_registry=1\n");
  std::string error;
  ASSERT_TRUE(host::OpenMachine(Machine(), &error)) << error;
  HKEY failed = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System", 0, KEY_READ, &failed), ERROR_ACCESS_DENIED);
  EXPECT_EQ(failed, nullptr);
}

TEST_F(RegistryTest, MissingRegistryFileIsEmpty) {
  host::ResetHost();
  std::filesystem::remove(Machine() + "/registry.reg");
  Open();
  HKEY key;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

// In a double-byte code page a key name may end in a trail byte with the
// code of a backslash; it is part of the name, not a separator.
TEST_F(RegistryTest, DoubleByteNamesKeepTrailBytes) {
  host::ResetHost();
  Write("registry.reg", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\\x95\\]\r\n@=\"v\"\r\n");
  Open("[machine]\nacp=932\n");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\\x95\\", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  char data[8] = {};
  DWORD size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<LPBYTE>(data), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(data, "v");
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\\x95\\\\", 0, KEY_READ, &key),
            ERROR_SUCCESS);  // one real trailing backslash is dropped
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

}  // namespace

// The functions the setup module binds by name, on a registry the tests
// build with the functions themselves.
class RegistryFunctionsTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Write("registry.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Kyroth]\r\n");
    Open();
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kyroth", 0, KEY_ALL_ACCESS, &base_),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(base_);
    MachineTest::TearDown();
  }
  bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  HKEY base_ = nullptr;
};

TEST_F(RegistryFunctionsTest, CreateKeyMakesTheKeysAbove) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  char className[] = "Kyroth class";
  ASSERT_EQ(RegCreateKeyExA(base_, "a\\b\\c", 0, className, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  RegCloseKey(key);
  struct Case {
    const char* path;
    LSTATUS status;
    DWORD disposition;
  } cases[] = {
      {"a\\b\\c", ERROR_SUCCESS, REG_OPENED_EXISTING_KEY},
      {"A\\B", ERROR_SUCCESS, REG_OPENED_EXISTING_KEY},
      {"a\\\\b\\\\\\c\\\\", ERROR_SUCCESS, REG_OPENED_EXISTING_KEY},  // runs of backslashes
      {"\\a", ERROR_BAD_PATHNAME, 0},
      {"", ERROR_SUCCESS, REG_OPENED_EXISTING_KEY},  // base_ itself
      {"d", ERROR_SUCCESS, REG_CREATED_NEW_KEY},
  };
  for (const Case& c : cases) {
    disposition = 0;
    key = reinterpret_cast<HKEY>(0x5555);
    EXPECT_EQ(
        RegCreateKeyExA(base_, c.path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
        c.status)
        << c.path;
    EXPECT_EQ(disposition, c.disposition) << c.path;
    if (c.status == ERROR_SUCCESS) {
      EXPECT_NE(key, base_) << "a new handle, also for the key itself";
      EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    } else {
      EXPECT_EQ(key, nullptr);
    }
  }
  EXPECT_EQ(RegCreateKeyExA(base_, "e", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, nullptr, nullptr),
            ERROR_BADKEY);
  EXPECT_EQ(RegCreateKeyA(base_, "e", nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(KeyExists(base_, "e"));
  ASSERT_EQ(RegCreateKeyA(base_, "e\\f", &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\KYROTH\\E\\F"));

  // The class belongs to the key made last, not to the keys made above it.
  char text[32];
  for (const char* path : {"a", "a\\b", "a\\b\\c"}) {
    ASSERT_EQ(RegOpenKeyExA(base_, path, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD size = sizeof text;
    EXPECT_EQ(RegQueryInfoKeyA(key, text, &size, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, std::strcmp(path, "a\\b\\c") == 0 ? className : "") << path;
    RegCloseKey(key);
  }
}

TEST_F(RegistryFunctionsTest, ClassesRootIsTheLocalMachinesClasses) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "KyrTest\\One", &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Classes\\kyrtest\\one"));
  ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Classes\\KyrTest\\Two", &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "KyrTest\\Two"));
  // Below the classes root a path may start with backslashes, as on Windows NT.
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "\\\\KyrTest\\Two"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "\\Software"));
  EXPECT_EQ(RegOpenKeyA(HKEY_CLASSES_ROOT, "", &key), ERROR_SUCCESS);
  EXPECT_EQ(key, HKEY_CLASSES_ROOT);
}

TEST_F(RegistryFunctionsTest, QueryValueCountsTheTerminator) {
  ASSERT_EQ(RegSetValueA(base_, "text", REG_SZ, "data", 1), ERROR_SUCCESS);
  HKEY empty = nullptr;
  ASSERT_EQ(RegCreateKeyA(base_, "empty", &empty), ERROR_SUCCESS);
  struct Case {
    const char* name;
    HKEY key;
    const char* subKey;
    LONG size;
    LSTATUS status;
    LONG sizeAfter;
    const char* text;  // the buffer afterwards ('#' untouched)
  } cases[] = {
      {"fits with room", base_, "text", 32, ERROR_SUCCESS, 5, "data"},
      {"exact fit", base_, "text", 5, ERROR_SUCCESS, 5, "data"},
      {"one short", base_, "text", 4, ERROR_MORE_DATA, 5, "#"},
      {"no room", base_, "text", 0, ERROR_MORE_DATA, 5, "#"},
      {"negative size is a very large buffer", base_, "text", -1, ERROR_SUCCESS, 5, "data"},
      {"key itself by empty path", empty, "", 32, ERROR_SUCCESS, 1, ""},
      {"key itself by null path", empty, nullptr, 32, ERROR_SUCCESS, 1, ""},
      {"no default value reads empty", base_, "empty", 32, ERROR_SUCCESS, 1, ""},
      {"no default value, no room", base_, "empty", 0, ERROR_MORE_DATA, 1, "#"},
      {"missing key", base_, "missing", 32, ERROR_FILE_NOT_FOUND, 32, "#"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    char data[32];
    std::memset(data, '#', sizeof data);
    data[1] = '\0';
    LONG size = c.size;
    EXPECT_EQ(RegQueryValueA(c.key, c.subKey, data, &size), c.status);
    EXPECT_EQ(size, c.sizeAfter);
    EXPECT_STREQ(data, c.text);
  }
  LONG size = 0;
  EXPECT_EQ(RegQueryValueA(base_, "text", nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 5);
  char data[8];
  EXPECT_EQ(RegQueryValueA(base_, "text", data, nullptr), ERROR_INVALID_PARAMETER);
  RegCloseKey(empty);
}

TEST_F(RegistryFunctionsTest, SetValueStoresTheTextUpToItsZero) {
  // The size given is not used; the text stops at its first zero.
  ASSERT_EQ(RegSetValueA(base_, "new\\sub", REG_SZ, "ab\0cd", 99), ERROR_SUCCESS);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(base_, "new\\sub", 0, KEY_READ, &key), ERROR_SUCCESS);
  BYTE data[16];
  DWORD size = sizeof data, type = 0;
  ASSERT_EQ(RegQueryValueExA(key, "", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), std::string("ab", 3));
  RegCloseKey(key);
  EXPECT_EQ(RegSetValueA(base_, nullptr, REG_SZ, "on the key", 0), ERROR_SUCCESS);
  char text[16];
  LONG textSize = sizeof text;
  ASSERT_EQ(RegQueryValueA(base_, nullptr, text, &textSize), ERROR_SUCCESS);
  EXPECT_STREQ(text, "on the key");
  EXPECT_EQ(RegSetValueA(base_, "x", REG_BINARY, "ab", 2), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueA(base_, "x", REG_SZ, nullptr, 0), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(KeyExists(base_, "x"));
}

TEST_F(RegistryFunctionsTest, SetValueExKeepsTypesAndBytes) {
  const DWORD number = 0x01020304;
  struct Case {
    const char* name;
    DWORD type;
    std::string given;
    std::string stored;
  } cases[] = {
      {"Text", REG_SZ, std::string("abc", 4), std::string("abc", 4)},
      {"Unended", REG_SZ, "abc", "abc"},  // stored without the zero left out
      {"Expand", REG_EXPAND_SZ, std::string("%x%", 4), std::string("%x%", 4)},
      {"Empty", REG_SZ, "", ""},
      {"Number", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4),
       std::string("\x04\x03\x02\x01", 4)},
      {"Bytes", REG_BINARY, "ab", "ab"},
      {"Odd", 0x1234, std::string("\0\1", 2), std::string("\0\1", 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(
        RegSetValueExA(base_, c.name, 0, c.type, reinterpret_cast<const BYTE*>(c.given.data()),
                       static_cast<DWORD>(c.given.size())),
        ERROR_SUCCESS);
    BYTE data[16];
    std::memset(data, '#', sizeof data);
    DWORD size = sizeof data, type = 0;
    ASSERT_EQ(RegQueryValueExA(base_, c.name, nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), c.stored);
  }
  EXPECT_EQ(RegSetValueExA(base_, "Null", 0, REG_BINARY, nullptr, 4), ERROR_NOACCESS);
  EXPECT_EQ(RegSetValueExA(base_, "Null", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
}

// Names one character longer than Windows allows are refused, and the key
// or value is not made.
TEST_F(RegistryFunctionsTest, NamesBeyondTheirLimitsAreRefused) {
  const std::string key255(255, 'k'), key256(256, 'k');
  const std::string value16383(16383, 'v'), value16384(16384, 'v');
  struct Case {
    const char* name;
    std::function<LSTATUS()> call;
    LSTATUS status;
  } cases[] = {
      {"key name of 255",
       [&] {
         HKEY key = nullptr;
         LSTATUS status = RegCreateKeyExA(base_, ("a\\" + key255).c_str(), 0, nullptr, 0,
                                          KEY_ALL_ACCESS, nullptr, &key, nullptr);
         RegCloseKey(key);
         return status;
       },
       ERROR_SUCCESS},
      {"key name of 256",
       [&] {
         HKEY key = nullptr;
         return RegCreateKeyExA(base_, ("b\\" + key256).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr);
       },
       ERROR_INVALID_PARAMETER},
      {"value name of 16383",
       [&] {
         return RegSetValueExA(base_, value16383.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>("x"), 2);
       },
       ERROR_SUCCESS},
      {"value name of 16384",
       [&] {
         return RegSetValueExA(base_, value16384.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>("x"), 2);
       },
       ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) EXPECT_EQ(c.call(), c.status) << c.name;
  EXPECT_TRUE(KeyExists(base_, ("a\\" + key255).c_str()));
  EXPECT_FALSE(KeyExists(base_, "b")) << "no key above the refused name is made";
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(base_, value16383.c_str(), nullptr, nullptr, nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(base_, value16384.c_str(), nullptr, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
}

// A string value stored without its zero (as a file may hold it) is read
// with a zero added when the buffer has room, as Windows NT does.
TEST_F(RegistryFunctionsTest, UnendedStringGetsAZeroWhenThereIsRoom) {
  host::ResetHost();
  Write("registry.reg", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\S]\r\n\"V\"=hex(1):61,62\r\n");
  Open();
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "S", 0, KEY_READ, &key), ERROR_SUCCESS);
  for (DWORD room : {2u, 3u}) {
    BYTE data[4] = {'#', '#', '#', '#'};
    DWORD size = room;
    ASSERT_EQ(RegQueryValueExA(key, "V", nullptr, nullptr, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(data[2], room == 3 ? '\0' : '#') << "room " << room;
  }
  RegCloseKey(key);
  base_ = nullptr;
}

TEST_F(RegistryFunctionsTest, EnumKeyInNameOrder) {
  for (const char* name : {"beta", "Alpha", "gamma"}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(base_, name, &key), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  struct Case {
    DWORD index;
    DWORD size;
    LSTATUS status;
    const char* name;  // the buffer afterwards ('#' untouched)
  } cases[] = {
      {0, 16, ERROR_SUCCESS, "Alpha"},   {1, 16, ERROR_SUCCESS, "beta"},
      {2, 6, ERROR_SUCCESS, "gamma"},  // exact fit
      {2, 5, ERROR_MORE_DATA, "#"},    // one short: nothing written
      {3, 16, ERROR_NO_MORE_ITEMS, "#"}, {99, 16, ERROR_NO_MORE_ITEMS, "#"},
  };
  for (const Case& c : cases) {
    char name[16];
    std::memset(name, '#', sizeof name);
    name[1] = '\0';
    EXPECT_EQ(RegEnumKeyA(base_, c.index, name, c.size), c.status) << c.index << "/" << c.size;
    EXPECT_STREQ(name, c.name) << c.index << "/" << c.size;
  }
  EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_ITEMS), 259u);
}

TEST_F(RegistryFunctionsTest, QueryInfoKeyCountsAndClass) {
  char className[] = "subkey class";  // 12 characters
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(base_, "info", 0, className, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  char subClass[] = "sub";
  HKEY sub = nullptr;
  ASSERT_EQ(
      RegCreateKeyExA(key, "a longer name", 0, subClass, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
      ERROR_SUCCESS);
  RegCloseKey(sub);
  ASSERT_EQ(RegCreateKeyA(key, "b", &sub), ERROR_SUCCESS);
  RegCloseKey(sub);
  ASSERT_EQ(RegSetValueExA(key, "value one", 0, REG_SZ, reinterpret_cast<const BYTE*>("xyz"), 4),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_BINARY, reinterpret_cast<const BYTE*>("123456"), 6),
            ERROR_SUCCESS);
  DWORD subkeys = 99, longestName = 99, longestClass = 99, values = 99, longestValueName = 99,
        longestData = 99, security = 99;
  FILETIME written = {0, 0};
  ASSERT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longestName, &longestClass,
                             &values, &longestValueName, &longestData, &security, &written),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 2u);
  EXPECT_EQ(longestName, 13u);  // "a longer name", without its zero
  EXPECT_EQ(longestClass, 3u);
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(longestValueName, 9u);
  EXPECT_EQ(longestData, 6u);
  EXPECT_EQ(security, 0u);
  EXPECT_NE(written.dwHighDateTime, 0u);

  struct Case {
    const char* name;
    bool buffer;
    DWORD size;
    LSTATUS status;
    DWORD sizeAfter;
    std::string text;  // the buffer afterwards, up to its first '#'
  } cases[] = {
      {"length only", false, 0, ERROR_SUCCESS, 12, "#"},
      {"size 0 writes nothing", true, 0, ERROR_SUCCESS, 0, "#"},
      {"size 1", true, 1, ERROR_MORE_DATA, 0, std::string("\0#", 2)},
      {"one short is cut", true, 12, ERROR_MORE_DATA, 11, std::string("subkey clas\0#", 13)},
      {"exact fit", true, 13, ERROR_SUCCESS, 12, std::string("subkey class\0#", 14)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    char text[32];
    std::memset(text, '#', sizeof text);
    DWORD size = c.size;
    EXPECT_EQ(RegQueryInfoKeyA(key, c.buffer ? text : nullptr, &size, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              c.status);
    EXPECT_EQ(size, c.sizeAfter);
    EXPECT_EQ(std::string(text, c.text.size()), c.text);
  }
  char text[4];
  EXPECT_EQ(RegQueryInfoKeyA(key, text, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryInfoKeyA(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_INVALID_HANDLE);
  RegCloseKey(key);
}

// As Wine and Windows NT do: only a key without subkeys is deleted.
TEST_F(RegistryFunctionsTest, DeleteKeyTakesOnlyLeaves) {
  HKEY parent = nullptr, leaf = nullptr;
  ASSERT_EQ(RegCreateKeyA(base_, "parent\\leaf", &leaf), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyA(base_, "parent", &parent), ERROR_SUCCESS);
  struct Case {
    HKEY key;
    const char* subKey;
    LSTATUS status;
  } cases[] = {
      {base_, "parent", ERROR_ACCESS_DENIED},        {base_, "missing", ERROR_FILE_NOT_FOUND},
      {base_, "\\parent", ERROR_BAD_PATHNAME},       {base_, nullptr, ERROR_INVALID_PARAMETER},
      {HKEY_LOCAL_MACHINE, "", ERROR_ACCESS_DENIED}, {HKEY_CLASSES_ROOT, "", ERROR_ACCESS_DENIED},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RegDeleteKeyA(c.key, c.subKey), c.status) << (c.subKey ? c.subKey : "(null)");
  EXPECT_TRUE(KeyExists(base_, "parent\\leaf"));

  EXPECT_EQ(RegDeleteKeyA(leaf, ""), ERROR_SUCCESS);  // the key itself
  EXPECT_FALSE(KeyExists(base_, "parent\\leaf"));
  // The handle stays a handle, of a deleted key, also once the name is taken again.
  HKEY again = nullptr;
  ASSERT_EQ(RegCreateKeyA(base_, "parent\\leaf", &again), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(leaf, "v", 0, REG_BINARY, reinterpret_cast<const BYTE*>("x"), 1),
            ERROR_KEY_DELETED);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(again, "v", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(leaf), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(again), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(base_, "parent\\leaf"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(base_, "PARENT"), ERROR_SUCCESS);
  EXPECT_FALSE(KeyExists(base_, "parent"));
  EXPECT_EQ(RegEnumKeyA(parent, 0, nullptr, 0), ERROR_KEY_DELETED);
  RegCloseKey(parent);
}

// Each of the twelve, made to fail, answers ERROR_ACCESS_DENIED and changes
// nothing.
TEST_F(RegistryFunctionsTest, EveryFunctionCanBeMadeToFail) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(base_, "k", &key), ERROR_SUCCESS);
  char text[16];
  LONG textSize = sizeof text;
  DWORD size = sizeof text;
  struct Case {
    const char* name;
    std::function<LSTATUS()> call;
  } cases[] = {
      {"RegCloseKey", [&] { return RegCloseKey(key); }},
      {"RegCreateKeyA", [&] { return RegCreateKeyA(base_, "new", &key); }},
      {"RegDeleteKeyA", [&] { return RegDeleteKeyA(base_, "k"); }},
      {"RegOpenKeyA", [&] { return RegOpenKeyA(base_, "k", &key); }},
      {"RegQueryValueA", [&] { return RegQueryValueA(base_, "k", text, &textSize); }},
      {"RegSetValueA", [&] { return RegSetValueA(base_, "k", REG_SZ, "v", 1); }},
      {"RegCreateKeyExA",
       [&] {
         return RegCreateKeyExA(base_, "new", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr);
       }},
      {"RegOpenKeyExA", [&] { return RegOpenKeyExA(base_, "k", 0, KEY_READ, &key); }},
      {"RegQueryValueExA",
       [&] { return RegQueryValueExA(base_, "", nullptr, nullptr, nullptr, &size); }},
      {"RegSetValueExA",
       [&] { return RegSetValueExA(base_, "v", 0, REG_BINARY, reinterpret_cast<BYTE*>(text), 1); }},
      {"RegEnumKeyA", [&] { return RegEnumKeyA(base_, 0, text, sizeof text); }},
      {"RegQueryInfoKeyA",
       [&] {
         return RegQueryInfoKeyA(base_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr);
       }},
  };
  HKEY open = key;
  for (const Case& c : cases) {
    host::FailSyscall(host::Syscall::Registry, 1);
    EXPECT_EQ(c.call(), ERROR_ACCESS_DENIED) << c.name;
  }
  host::ClearFaults();
  EXPECT_FALSE(KeyExists(base_, "new"));
  EXPECT_TRUE(KeyExists(base_, "k"));
  EXPECT_EQ(RegQueryValueExA(base_, "v", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(open), ERROR_SUCCESS) << "the failed close left the key open";
}

TEST_F(RegistryFunctionsTest, AdvapiExportsTheTwelveAndHidesOnRequest) {
  const char* names[] = {"RegCloseKey",     "RegCreateKeyA",  "RegDeleteKeyA",
                         "RegOpenKeyA",     "RegQueryValueA", "RegSetValueA",
                         "RegCreateKeyExA", "RegOpenKeyExA",  "RegQueryValueExA",
                         "RegSetValueExA",  "RegEnumKeyA",    "RegQueryInfoKeyA"};
  HMODULE advapi = LoadLibraryA("advapi32.dll");
  ASSERT_NE(advapi, nullptr);
  for (const char* name : names) EXPECT_NE(GetProcAddress(advapi, name), nullptr) << name;
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(advapi, "RegEnumKeyA")),
            reinterpret_cast<void*>(&RegEnumKeyA));
  EXPECT_EQ(GetProcAddress(advapi, "RegEnumKeyExA"), nullptr);

  host::HideExport("AdvApi32", "RegQueryInfoKeyA");
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(advapi, "RegQueryInfoKeyA"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_NE(GetProcAddress(advapi, "RegEnumKeyA"), nullptr);
  host::ClearFaults();
  EXPECT_NE(GetProcAddress(advapi, "RegQueryInfoKeyA"), nullptr);

  // The same from the machine.
  host::ResetHost();
  Open("[faults]\nmissing_exports = ADVAPI32.DLL:RegSetValueA, advapi32.dll:RegEnumKeyA\n");
  advapi = LoadLibraryA("ADVAPI32.DLL");
  EXPECT_EQ(GetProcAddress(advapi, "RegSetValueA"), nullptr);
  EXPECT_EQ(GetProcAddress(advapi, "RegEnumKeyA"), nullptr);
  EXPECT_NE(GetProcAddress(advapi, "RegSetValueExA"), nullptr);
  host::ResetHost();
  Write("machine.ini", "[faults]\nmissing_exports=RegSetValueA\n");
  std::string error;
  EXPECT_FALSE(host::OpenMachine(Machine(), &error));
  EXPECT_NE(error.find("missing_exports"), std::string::npos) << error;
  base_ = nullptr;
}
