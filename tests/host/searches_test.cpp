// FindFirstFileA in a FAT folder: short names and the DOS wildcard rules.
#include <algorithm>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "winapi.h"

namespace {

class SearchesTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    const char* names[] = {"page.html", "longname1.txt", "longname2.txt", "LONGNA~1.TXT",
                           "one.txt",   "noext",         "a.b.c",         "with space.txt",
                           "x+y;z.txt", ".profile",      "name",          "name.txt"};
    for (const char* name : names) Write(std::string("c/f/") + name, "x");
    Open("[machine]\ncwd=C:\\F\n");
  }

  // name -> short name of every entry a pattern finds (".." and "." left out).
  std::vector<std::string> Find(const char* pattern, DWORD* error) {
    std::vector<std::string> found;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) {
      *error = GetLastError();
      return found;
    }
    do {
      std::string name = data.cFileName;
      if (name != "." && name != "..") found.push_back(name + "=" + data.cAlternateFileName);
    } while (FindNextFileA(search, &data));
    *error = GetLastError();
    FindClose(search);
    std::sort(found.begin(), found.end());
    return found;
  }
};

TEST_F(SearchesTest, LongNamesHaveNumberedShortNames) {
  DWORD error = 0;
  EXPECT_EQ(Find("*", &error),
            (std::vector<std::string>{".profile=PROFIL~1", "LONGNA~1.TXT=", "a.b.c=AB~1.C",
                                      "longname1.txt=LONGNA~2.TXT",  // ~1 is another file's name
                                      "longname2.txt=LONGNA~3.TXT", "name.txt=", "name=", "noext=",
                                      "one.txt=", "page.html=PAGE~1.HTM",
                                      "with space.txt=WITHSP~1.TXT", "x+y;z.txt=X_Y_Z~1.TXT"}));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NO_MORE_FILES));
}

TEST_F(SearchesTest, PatternsFollowTheDosRules) {
  struct Case {
    const char* pattern;
    std::vector<std::string> names;
    DWORD error;
  } cases[] = {
      {"*.htm", {"page.html=PAGE~1.HTM"}, ERROR_NO_MORE_FILES},  // by its short name
      {"page~1.htm", {"page.html=PAGE~1.HTM"}, ERROR_NO_MORE_FILES},
      {"name.*", {"name.txt=", "name="}, ERROR_NO_MORE_FILES},
      {"name.", {"name="}, ERROR_NO_MORE_FILES},
      {"a.b.*", {"a.b.c=AB~1.C"}, ERROR_NO_MORE_FILES},
      {"*.t?t",
       {"LONGNA~1.TXT=", "longname1.txt=LONGNA~2.TXT", "longname2.txt=LONGNA~3.TXT",
        "name.txt=", "one.txt=", "with space.txt=WITHSP~1.TXT", "x+y;z.txt=X_Y_Z~1.TXT"},
       ERROR_NO_MORE_FILES},
      {"noext.*.*", {"noext="}, ERROR_NO_MORE_FILES},
      {"longna~1.*", {"LONGNA~1.TXT="}, ERROR_NO_MORE_FILES},
      {"*.none", {}, ERROR_FILE_NOT_FOUND},
      {"?\\*", {}, ERROR_INVALID_NAME},  // wildcards only in the last name
      {"C:\\*\\name", {}, ERROR_INVALID_NAME},
      {"missing\\*", {}, ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases) {
    DWORD error = 0;
    EXPECT_EQ(Find(c.pattern, &error), c.names) << c.pattern;
    EXPECT_EQ(error, c.error) << c.pattern;
  }
}

}  // namespace
