// The host's answers for the detection library: private profile reads and
// their cut lists, folder searches, and file time conversion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_fixture.h"
#include "winapi.h"

namespace {

using DetectionCallsTest = MachineTest;

// A zero-separated list as its items; stops at the empty item that ends it.
std::vector<std::string> Items(const char* list) {
  std::vector<std::string> items;
  for (const char* item = list; *item != '\0'; item += items.back().size() + 1)
    items.push_back(item);
  return items;
}

TEST_F(DetectionCallsTest, ProfileListsAndValuesAreCutToTheirBuffer) {
  Open();
  Write("c/windows/app.ini", "[One]\r\nalpha=1\r\nbeta = ' two '\r\n;gamma=3\r\n[Two]\r\n");
  char buffer[32];
  EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, sizeof buffer, "APP.INI"), 8u);
  EXPECT_EQ(Items(buffer), (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(GetPrivateProfileStringA("one", nullptr, "", buffer, sizeof buffer, "app.ini"), 11u);
  EXPECT_EQ(Items(buffer), (std::vector<std::string>{"alpha", "beta"}));
  EXPECT_EQ(GetPrivateProfileSectionA("One", buffer, sizeof buffer, "APP.INI"), 23u);
  EXPECT_EQ(Items(buffer), (std::vector<std::string>{"alpha=1", "beta = ' two '"}));
  // Cut lists end in two zeros and report size - 2.
  EXPECT_EQ(GetPrivateProfileStringA("One", nullptr, "", buffer, 9, "APP.INI"), 7u);
  EXPECT_EQ(Items(buffer), (std::vector<std::string>{"alpha", "b"}));
  EXPECT_EQ(buffer[8], '\0');
  // Values: quotes stripped, cut at size - 1; a default without trailing blanks.
  EXPECT_EQ(GetPrivateProfileStringA("One", "BETA", "", buffer, sizeof buffer, "APP.INI"), 5u);
  EXPECT_STREQ(buffer, " two ");
  EXPECT_EQ(GetPrivateProfileStringA("One", "beta", "", buffer, 4, "APP.INI"), 3u);
  EXPECT_STREQ(buffer, " tw");
  EXPECT_EQ(GetPrivateProfileStringA("One", "gamma", "dflt  ", buffer, 32, "APP.INI"), 4u);
  EXPECT_STREQ(buffer, "dflt");
  EXPECT_EQ(GetPrivateProfileStringA("Two", nullptr, "", buffer, 32, "APP.INI"), 0u);
  EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, 32, "C:\\NONE.INI"), 0u);
  EXPECT_EQ(buffer[0], '\0');
}

TEST_F(DetectionCallsTest, FolderSearchesMatchWildcardsWithoutCase) {
  Open();
  Write("c/dir/Alpha.TXT", "a");
  Write("c/dir/beta.txt", "bb");
  Write("c/dir/noext", "");
  MakeDir("c/dir/sub");
  struct Case {
    const char* pattern;
    std::vector<std::string> names;
  } cases[] = {
      {"C:\\DIR\\*.*", {".", "..", "Alpha.TXT", "beta.txt", "noext", "sub"}},
      {"c:\\dir\\*.txt", {"Alpha.TXT", "beta.txt"}},
      {"C:\\DIR\\?ETA.*", {"beta.txt"}},
      {"C:\\DIR\\ALPHA.TXT", {"Alpha.TXT"}},
      {"C:\\DIR\\*a*t", {"Alpha.TXT", "beta.txt"}},
      {"C:\\*", {"dir"}},  // a root lists neither . nor ..
      {"C:\\DIR\\*.doc", {}},
      {"C:\\NONE\\*", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(c.pattern, &data);
    if (search != INVALID_HANDLE_VALUE) {
      do names.push_back(data.cFileName);
      while (FindNextFileA(search, &data));
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
      EXPECT_TRUE(FindClose(search));
      EXPECT_FALSE(FindClose(search));
    }
    EXPECT_EQ(names, c.names) << c.pattern;
  }
  WIN32_FIND_DATAA data;
  FindFirstFileA("C:\\NONE\\*", &data);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  HANDLE search = FindFirstFileA("C:\\DIR\\beta.txt", &data);
  EXPECT_EQ(data.nFileSizeLow, 2u);
  EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  FindClose(search);
}

TEST_F(DetectionCallsTest, FileTimesBecomeCalendarDates) {
  struct Case {
    unsigned long long ticks;
    WORD year, month, day, dayOfWeek, hour, minute, second, millisecond;
  } cases[] = {
      {0, 1601, 1, 1, 1, 0, 0, 0, 0},
      {116444736000000000ULL, 1970, 1, 1, 4, 0, 0, 0, 0},
      {125911583999990000ULL, 1999, 12, 31, 5, 23, 59, 59, 999},
      {125962560000000000ULL, 2000, 2, 29, 2, 0, 0, 0, 0},
      {0x7fffffffffffffffULL, 30828, 9, 14, 4, 2, 48, 5, 477},
  };
  for (const Case& c : cases) {
    FILETIME time{static_cast<DWORD>(c.ticks), static_cast<DWORD>(c.ticks >> 32)};
    SYSTEMTIME date;
    ASSERT_TRUE(FileTimeToSystemTime(&time, &date)) << c.ticks;
    EXPECT_EQ(date.wYear, c.year) << c.ticks;
    EXPECT_EQ(date.wMonth, c.month) << c.ticks;
    EXPECT_EQ(date.wDay, c.day) << c.ticks;
    EXPECT_EQ(date.wDayOfWeek, c.dayOfWeek) << c.ticks;
    EXPECT_EQ(date.wHour, c.hour) << c.ticks;
    EXPECT_EQ(date.wMinute, c.minute) << c.ticks;
    EXPECT_EQ(date.wSecond, c.second) << c.ticks;
    EXPECT_EQ(date.wMilliseconds, c.millisecond) << c.ticks;
  }
  FILETIME negative{0, 0x80000000u};
  SYSTEMTIME date;
  EXPECT_FALSE(FileTimeToSystemTime(&negative, &date));
}

}  // namespace
