// Searches of a folder: DOS wildcards, short names and where wildcards may
// stand, below C:\conform\names.
#include <algorithm>
#include <cstring>
#include <vector>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "searches";

// The long names a search finds, sorted (the order is the file system's),
// and how it ends.
std::string Found(HANDLE search, WIN32_FIND_DATAA* data) {
  std::vector<std::string> names;
  do names.push_back(data->cFileName);
  while (FindNextFileA(search, data));
  std::string end = Error();
  std::sort(names.begin(), names.end());
  std::string listed = "found";
  for (const std::string& name : names) listed += " " + Quote(name.c_str());
  return listed + " then" + end;
}

void Patterns() {
  const char* patterns[] = {
      "names\\*.htm", "names\\*.html",   "names\\name.*",       "names\\*.*.*",  "names\\*.",
      "names\\*.t?t", "names\\page~1.*", "names\\longna~2.txt", "names\\nam?",   "names\\name.",
      "names\\a.b.*", "names\\*.*",      "na*\\*.txt",          "names\\s?b\\x", "C:\\conf?rm\\*",
      "names\\*\\",   "names\\missing.*"};
  for (const char* pattern : patterns) {
    WIN32_FIND_DATAA data;
    std::memset(&data, kSentinel, sizeof data);
    ArmError();
    HANDLE search = FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) {
      Observe(kArea, "FindFirstFileA", Quote(pattern), "INVALID_HANDLE_VALUE" + Error());
      continue;
    }
    Observe(kArea, "FindFirstFileA", Quote(pattern), Found(search, &data));
    FindClose(search);
  }
}

// What a short name looks like: "none" when cAlternateFileName is empty,
// else whether it is in capitals, holds a '~', keeps the long name's first
// three characters of extension, and fits 8.3.
std::string ShortNameShape(const char* longName, const char* shortName) {
  if (shortName[0] == '\0') return "none";
  std::string text = shortName;
  const char* longDot = std::strrchr(longName, '.');
  size_t dot = text.rfind('.');
  std::string extension = dot == std::string::npos ? "" : text.substr(dot + 1);
  std::string wanted = longDot == nullptr ? "" : std::string(longDot + 1).substr(0, 3);
  for (char& c : wanted) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  bool capitals =
      std::none_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
  size_t base = dot == std::string::npos ? text.size() : dot;
  return std::string(capitals ? "capitals" : "lower") +
         (text.find('~') != std::string::npos ? " tilde" : " no-tilde") +
         (extension == wanted ? " extension kept" : " extension " + Quote(extension.c_str())) +
         (base <= 8 && extension.size() <= 3 ? " 8.3" : " long");
}

void ShortNames() {
  const char* names[] = {"page.html", "longname1.txt", "longname2.txt",  "one.txt", "UPPER.TXT",
                         "noext",     "a.b.c",         "with space.txt", "x+y.txt", "name"};
  for (const char* name : names) {
    std::string pattern = std::string("names\\") + name;
    WIN32_FIND_DATAA data;
    std::memset(&data, kSentinel, sizeof data);
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
      Observe(kArea, "FindFirstFileA", "short name " + Quote(name),
              "INVALID_HANDLE_VALUE" + Error());
      continue;
    }
    FindClose(search);
    bool ended = std::memchr(data.cAlternateFileName, '\0', sizeof data.cAlternateFileName);
    if (!ended) {
      Observe(kArea, "FindFirstFileA", "short name " + Quote(name), "no terminator");
      continue;
    }
    Observe(kArea, "FindFirstFileA", "short name " + Quote(name),
            ShortNameShape(data.cFileName, data.cAlternateFileName));
    // The short name itself: Windows 95 numbers them, NT and Wine may not.
    Observe(kArea, "FindFirstFileA", "short name text " + Quote(name),
            Quote(data.cAlternateFileName));
  }
}

}  // namespace

void RunSearches() {
  CreateDirectoryA("names", nullptr);
  CreateDirectoryA("names\\sub", nullptr);
  const char* files[] = {"page.html", "longname1.txt",  "longname2.txt", "one.txt",
                         "UPPER.TXT", "noext",          "a.b.c",         "name",
                         "name.txt",  "with space.txt", "x+y.txt"};
  for (const char* file : files) WriteWholeFile((std::string("names\\") + file).c_str(), "x");
  Patterns();
  ShortNames();
}

}  // namespace conformance
