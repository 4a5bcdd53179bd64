// Each system call the host makes for a Win32 function, failed once through
// the fault rules of the table (FailSyscallEntry): the function reports it as
// Windows would, by its result and error, and once the fault is gone the
// machine is as it was.
#include <gmock/gmock.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>

#include "host/syscalls.h"
#include "host_fixture.h"
#include "winapi.h"

namespace {

const char kRegistry[] =
    "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Kyroth]\r\n\"Name\"=\"K\"\r\n";

class SyscallEntryFaultsTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Write("c/win.ini", "[windows]\r\n");
    Write("registry.reg", kRegistry);
    Open();
  }
};

// What a Win32 call reported: 0 for success, else its error (GetLastError,
// or the status a registry function returns).
using Win32Call = std::function<DWORD()>;

DWORD LastErrorUnless(bool succeeded) { return succeeded ? 0 : GetLastError(); }

DWORD OpenWinIni() {
  HFILE file = _lopen("C:\\WIN.INI", OF_READ);
  if (file == HFILE_ERROR) return GetLastError();
  _lclose(file);
  return 0;
}

DWORD FindFirstAtRoot() {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA("C:\\*", &data);
  if (search == INVALID_HANDLE_VALUE) return GetLastError();
  FindClose(search);
  return 0;
}

DWORD OpenKyrothKey() {
  HKEY key = nullptr;
  LSTATUS status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Kyroth", 0, KEY_READ, &key);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  return static_cast<DWORD>(status);
}

TEST_F(SyscallEntryFaultsTest, Win32FunctionsReportTheFailedCall) {
  struct Case {
    const char* entry;
    int error;  // errno of the failed call (its first)
    Win32Call call;
    DWORD expected;
  } cases[] = {
      // Finding C:\WIN.INI in its folder lists the folder.
      {"opendir", EACCES, OpenWinIni, ERROR_ACCESS_DENIED},
      {"readdir", EIO, OpenWinIni, ERROR_READ_FAULT},
      // The root needs no listing to be found: the search's own listing fails.
      {"opendir", EMFILE, FindFirstAtRoot, ERROR_TOO_MANY_OPEN_FILES},
      {"readdir", EIO, FindFirstAtRoot, ERROR_READ_FAULT},
      {"getxattr", EIO, FindFirstAtRoot, ERROR_READ_FAULT},
      {"getxattr", EIO,
       [] { return LastErrorUnless(GetFileAttributesA("C:\\WIN.INI") != INVALID_FILE_ATTRIBUTES); },
       ERROR_READ_FAULT},
      {"setxattr", ENOSPC,
       [] {
         HFILE file = _lcreat("C:\\WIN.INI", FILE_ATTRIBUTE_HIDDEN);
         return LastErrorUnless(file != HFILE_ERROR && _lclose(file) == 0);
       },
       ERROR_DISK_FULL},
      {"setxattr", EIO,
       [] {
         HFILE file = _lcreat("C:\\NEW.TXT", FILE_ATTRIBUTE_HIDDEN);
         return LastErrorUnless(file != HFILE_ERROR && _lclose(file) == 0);
       },
       ERROR_WRITE_FAULT},
      {"open", EACCES,
       [] { return LastErrorUnless(GetFileVersionInfoSizeA("C:\\WIN.INI", nullptr) != 0); },
       ERROR_ACCESS_DENIED},
      {"read", EIO,
       [] { return LastErrorUnless(GetFileVersionInfoSizeA("C:\\WIN.INI", nullptr) != 0); },
       ERROR_READ_FAULT},
      // A font file must be found.
      {"stat", EIO, [] { return LastErrorUnless(AddFontResourceA("C:\\WIN.INI") != 0); },
       ERROR_FILE_NOT_FOUND},
      // registry.reg is read at the first registry call.
      {"open", EACCES, OpenKyrothKey, ERROR_ACCESS_DENIED},
      {"read", EIO, OpenKyrothKey, ERROR_READ_FAULT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.entry) + " failing with errno " + std::to_string(c.error));
    Write("c/win.ini", "[windows]\r\n");
    std::filesystem::remove(Machine() + "/c/NEW.TXT");
    host::ResetHost();
    Open();
    ASSERT_TRUE(host::FailSyscallEntry(c.entry, 1, c.error));
    SetLastError(0);
    EXPECT_EQ(c.call(), c.expected);
    // Nothing lost: the machine is as it was, and the same call, made again,
    // does what it does without the fault.
    host::ClearFaults();
    EXPECT_EQ(Read("c/win.ini"), "[windows]\r\n");
    EXPECT_FALSE(Exists("c/NEW.TXT"));
    EXPECT_EQ(OpenKyrothKey(), 0u);
    EXPECT_NE(c.call(), c.expected);
  }
  EXPECT_FALSE(host::FailSyscallEntry("nosuch", 1, EIO));
}

// The host's own files: registry.reg written back and machine.ini read.
TEST_F(SyscallEntryFaultsTest, TheHostsOwnFilesLoseNothing) {
  for (const char* entry : {"open", "write", "rename"}) {
    SCOPED_TRACE(entry);
    host::ResetHost();
    Open();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\New", &key), ERROR_SUCCESS);
    RegCloseKey(key);
    host::FailSyscallEntry(entry, 1, EIO);
    ::testing::internal::CaptureStderr();
    host::SaveRegistry();
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), ::testing::HasSubstr("cannot replace"));
    EXPECT_EQ(Read("registry.reg"), kRegistry);
    EXPECT_FALSE(Exists("registry.reg.new"));
    host::ClearFaults();
    host::SaveRegistry();  // the change was kept for the next save
    EXPECT_THAT(Read("registry.reg"), ::testing::HasSubstr("[HKEY_LOCAL_MACHINE\\Software\\New]"));
    Write("registry.reg", kRegistry);
  }
  for (const char* entry : {"stat", "open", "read"}) {
    SCOPED_TRACE(entry);
    host::ResetHost();
    host::FailSyscallEntry(entry, 1, EIO);
    std::string error;
    EXPECT_FALSE(host::OpenMachine(Machine(), &error));
    EXPECT_THAT(error, ::testing::HasSubstr("machine"));
  }
}

}  // namespace
