#include <cstring>

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
      {HKEY_LOCAL_MACHINE, "System\\\\CurrentControlSet", ERROR_BAD_PATHNAME},
      {HKEY_CLASSES_ROOT, ".TXT", ERROR_SUCCESS},
      {HKEY_CURRENT_USER, ".txt", ERROR_FILE_NOT_FOUND},
      {reinterpret_cast<HKEY>(0x1234), "x", ERROR_INVALID_HANDLE},
  };
  for (const Case& c : cases) {
    HKEY key = reinterpret_cast<HKEY>(0x5555);
    EXPECT_EQ(RegOpenKeyExA(c.root, c.path, 0, KEY_READ, &key), c.status)
        << (c.path ? c.path : "(null)");
    if (c.status == ERROR_SUCCESS) {
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
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);  // closing is not counted
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System", 0, KEY_READ, &key), ERROR_ACCESS_DENIED);

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
