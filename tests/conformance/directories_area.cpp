// Folders, the current directory, removal and searches, below C:\conform.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "directories";

std::string Truth(BOOL ok) { return ok ? "TRUE" : "FALSE" + Error(); }

void CreateAndRemove() {
  const char* creates[] = {"made",    "made",     "made\\inner",        "a*b", "a?b", "nodir\\x",
                           "made2\\", "data.txt", "C:\\conform\\made3", ""};
  for (const char* name : creates) {
    ArmError();
    Observe(kArea, "CreateDirectoryA", Quote(name), Truth(CreateDirectoryA(name, nullptr)));
  }
  const char* removes[] = {"made",    "made\\inner", "made", "made", "data.txt", "made2\\",
                           "missing", "nodir\\x",    "a*b",  "C:\\", ""};
  for (const char* name : removes) {
    ArmError();
    Observe(kArea, "RemoveDirectoryA", Quote(name), Truth(RemoveDirectoryA(name)));
  }
  WriteWholeFile("gone.txt", "x");
  const char* deletes[] = {"gone.txt", "gone.txt", "nodir\\x",   "sub",
                           "ro.txt",   "bad*.txt", "data.txt\\", ""};
  for (const char* name : deletes) {
    ArmError();
    Observe(kArea, "DeleteFileA", Quote(name), Truth(DeleteFileA(name)));
  }
}

void CurrentDirectory() {
  const DWORD sizes[] = {0, 1, 11, 12, 13, MAX_PATH};  // "C:\conform" is 10 characters
  for (DWORD size : sizes) {
    Buffer buffer(size);
    ArmError();
    DWORD result = GetCurrentDirectoryA(size, size == 0 ? nullptr : buffer.data());
    Observe(kArea, "GetCurrentDirectoryA", "size " + Number(size),
            Number(result) + " " + buffer.Shown(std::min<DWORD>(size, 12)));
  }
  const char* targets[] = {"c:\\conform", "sub",      "..",       "C:\\CONFORM\\SUB\\",
                           "missing",     "nodir\\x", "data.txt", "Q:\\",
                           "a*b",         ""};
  for (const char* target : targets) {
    ArmError();
    BOOL ok = SetCurrentDirectoryA(target);
    std::string observed = Truth(ok);
    char now[MAX_PATH];
    GetCurrentDirectoryA(sizeof now, now);
    Observe(kArea, "SetCurrentDirectoryA", Quote(target), observed + " now " + Quote(now));
    SetCurrentDirectoryA("C:\\conform");
  }
}

void SystemDirectories() {
  // "C:\windows" is 10 characters, "C:\windows\system32" 19.
  const UINT sizes[] = {0, 10, 11, 19, 20, MAX_PATH};
  for (UINT size : sizes) {
    Buffer windows(size);
    ArmError();
    UINT result = GetWindowsDirectoryA(size == 0 ? nullptr : windows.data(), size);
    Observe(kArea, "GetWindowsDirectoryA", "size " + Number(size),
            Number(result) + " " + windows.Shown(std::min<UINT>(size, 11)));
    Buffer system(size);
    result = GetSystemDirectoryA(size == 0 ? nullptr : system.data(), size);
    Observe(kArea, "GetSystemDirectoryA", "size " + Number(size),
            Number(result) + " " + system.Shown(std::min<UINT>(size, 20)));
  }
}

// The names a search finds, sorted: the order of a folder's entries is the
// file system's (creation order on FAT, name order on NTFS), not the call's.
void Searches() {
  CreateDirectoryA("find", nullptr);
  const char* files[] = {"find\\one.txt", "find\\two.txt", "find\\three.dat", "find\\UPPER.TXT"};
  for (const char* file : files) WriteWholeFile(file, "x");
  const char* patterns[] = {"find\\*.txt",  "find\\*",  "find\\*.*",     "find\\t??.*",
                            "find\\*.none", "nodir\\*", "find\\one.txt", "find",
                            "find\\",       "*"};
  for (const char* pattern : patterns) {
    WIN32_FIND_DATAA data;
    std::memset(&data, 0, sizeof data);
    ArmError();
    HANDLE search = FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) {
      Observe(kArea, "FindFirstFileA", Quote(pattern), "INVALID_HANDLE_VALUE" + Error());
      continue;
    }
    std::vector<std::string> names;
    do names.push_back(data.cFileName);
    while (FindNextFileA(search, &data));
    std::string end = Error();
    std::sort(names.begin(), names.end());
    std::string listed;
    for (const std::string& name : names) listed += " " + Quote(name.c_str());
    listed.insert(0, "found");
    listed.append(" then");
    listed.append(end);
    Observe(kArea, "FindFirstFileA", Quote(pattern), listed);
    ArmError();
    Observe(kArea, "FindClose", Quote(pattern), Truth(FindClose(search)));
  }
}

// The attributes a search reports, as GetFileAttributesA reports them.
void SearchAttributes() {
  const char* names[] = {"hidden.txt", "ro2.txt", "new.txt", "sub"};
  for (const char* name : names) {
    WIN32_FIND_DATAA data;
    std::memset(&data, 0, sizeof data);
    HANDLE search = FindFirstFileA(name, &data);
    if (search == INVALID_HANDLE_VALUE) {
      Observe(kArea, "FindFirstFileA", std::string("attributes ") + Quote(name),
              "INVALID_HANDLE_VALUE" + Error());
      continue;
    }
    Observe(kArea, "FindFirstFileA", std::string("attributes ") + Quote(name),
            Hex(data.dwFileAttributes) + " size " + Number(data.nFileSizeLow));
    FindClose(search);
  }
}

void FileTimes() {
  struct {
    const char* label;
    DWORD low, high;
  } times[] = {{"1601", 0, 0},
               {"2000-01-01", 0x256D4000u, 0x01BF53EBu},
               {"2026-12-08 06:30:15.5", 0x961780C0u, 0x01DD86DDu},
               {"top bit", 0, 0x80000000u}};
  for (const auto& t : times) {
    FILETIME in{t.low, t.high};
    SYSTEMTIME out;
    std::memset(&out, 0, sizeof out);
    ArmError();
    BOOL ok = FileTimeToSystemTime(&in, &out);
    char when[64];
    std::snprintf(when, sizeof when, "TRUE %u-%u-%u dow%u %u:%u:%u.%u", out.wYear, out.wMonth,
                  out.wDay, out.wDayOfWeek, out.wHour, out.wMinute, out.wSecond, out.wMilliseconds);
    Observe(kArea, "FileTimeToSystemTime", t.label, ok ? std::string(when) : "FALSE" + Error());
  }
}

}  // namespace

void RunDirectories() {
  CreateAndRemove();
  CurrentDirectory();
  SystemDirectories();
  Searches();
  SearchAttributes();
  FileTimes();
}

}  // namespace conformance
