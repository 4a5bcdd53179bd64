// win.ini writing and private profile reading.
#include <algorithm>
#include <cstring>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "profiles";
constexpr char kWinIni[] = "C:\\windows\\win.ini";
constexpr char kPrivate[] = "C:\\conform\\conform.ini";

std::string Truth(BOOL ok) { return ok ? "TRUE" : "FALSE" + Error(); }

// The keys and values of a section of win.ini, as the profile functions
// read them (Windows keeps win.ini in a cache and writes the file later, so
// the file's bytes are not compared). The sections are the program's own:
// Windows NT maps [windows] and [Desktop] of win.ini to the registry.
std::string WinIniSection(const char* section) {
  char keys[512];
  DWORD length = GetPrivateProfileStringA(section, nullptr, "", keys, sizeof keys, "win.ini");
  std::string shown = "[" + std::string(section) + "]";
  for (const char* key = keys; key < keys + length && *key != '\0'; key += std::strlen(key) + 1) {
    char value[128];
    GetPrivateProfileStringA(section, key, "", value, sizeof value, "win.ini");
    shown += " " + Quote(key) + "=" + Quote(value);
  }
  return shown;
}

std::string WinIniExists() {
  return GetFileAttributesA(kWinIni) == INVALID_FILE_ATTRIBUTES ? "no win.ini" : "win.ini";
}

void Writing() {
  DeleteFileA(kWinIni);
  ArmError();
  BOOL ok = WriteProfileStringA("Conform", "key", nullptr);
  Observe(kArea, "WriteProfileStringA", "remove key, no win.ini", Truth(ok) + " " + WinIniExists());
  ok = WriteProfileStringA("Conform", nullptr, nullptr);
  Observe(kArea, "WriteProfileStringA", "remove section, no win.ini",
          Truth(ok) + " " + WinIniExists());
  WriteWholeFile(kWinIni, "[Programs]\r\nload=\r\nrun=\r\n\r\n[Display]\r\nWallpaper=(None)\r\n");
  struct {
    const char* label;
    const char* section;
    const char* key;
    const char* value;
  } writes[] = {{"replace", "Programs", "load", "a.exe"},
                {"leading blank key", "Programs", " load", "b.exe"},
                {"trailing blank key", "Programs", "run ", "c.exe"},
                {"new key", "Display", "TileWallpaper", "0"},
                {"other case", "DISPLAY", "wallpaper", "x.bmp"},
                {"value with blanks", "Programs", "device", "  spaced  "},
                {"new section", "Conform", "key", "value"},
                {"remove key", "Programs", "run", nullptr},
                {"remove missing key", "Programs", "none", nullptr},
                {"remove section", "Display", nullptr, nullptr}};
  for (const auto& w : writes) {
    ArmError();
    ok = WriteProfileStringA(w.section, w.key, w.value);
    Observe(kArea, "WriteProfileStringA", w.label,
            Truth(ok) + " " + WinIniSection(w.section) + " " + WinIniSection("Programs"));
  }
}

void Reading() {
  WriteWholeFile(
      kPrivate,
      "; comment\r\n[First]\r\nname = value \r\nquoted=\"in quotes\"\r\nsingle='one'\r\n"
      "empty=\r\nlong=abcdefghij\r\n\r\n[Second]\r\nalone\r\nkey=2\r\n[first]\r\nname=again\r\n");
  struct {
    const char* label;
    const char* section;
    const char* key;
    DWORD size;
  } reads[] = {{"value", "First", "name", 64},          {"case", "FIRST", "NAME", 64},
               {"quotes", "First", "quoted", 64},       {"single quotes", "First", "single", 64},
               {"empty", "First", "empty", 64},         {"missing key", "First", "none", 64},
               {"missing section", "None", "name", 64}, {"cut 5", "First", "long", 5},
               {"exact 10", "First", "long", 10},       {"fits 11", "First", "long", 11},
               {"size 1", "First", "long", 1},          {"keys", "First", nullptr, 64},
               {"keys cut 8", "First", nullptr, 8},     {"sections", nullptr, nullptr, 64},
               {"sections cut 8", nullptr, nullptr, 8}, {"line without =", "Second", "alone", 64}};
  for (const auto& r : reads) {
    Buffer buffer(64);
    ArmError();
    DWORD result =
        GetPrivateProfileStringA(r.section, r.key, " default  ", buffer.data(), r.size, kPrivate);
    Observe(kArea, "GetPrivateProfileStringA", r.label,
            Number(result) + " " + buffer.Shown(std::min<DWORD>(r.size + 1, 64)));
  }
  const DWORD sizes[] = {8, 64};
  for (DWORD size : sizes) {
    Buffer buffer(64);
    DWORD result = GetPrivateProfileSectionA("Second", buffer.data(), size, kPrivate);
    Observe(kArea, "GetPrivateProfileSectionA", "size " + Number(size),
            Number(result) + " " + buffer.Shown(std::min<DWORD>(size + 1, 64)));
    Buffer names(64);
    result = GetPrivateProfileSectionNamesA(names.data(), size, kPrivate);
    Observe(kArea, "GetPrivateProfileSectionNamesA", "size " + Number(size),
            Number(result) + " " + names.Shown(std::min<DWORD>(size + 1, 64)));
  }
  Buffer missing(16);
  DWORD result =
      GetPrivateProfileStringA("a", "b", "dflt", missing.data(), 16, "C:\\conform\\missing.ini");
  Observe(kArea, "GetPrivateProfileStringA", "missing file",
          Number(result) + " " + missing.Shown(6));
}

}  // namespace

void RunProfiles() {
  Writing();
  Reading();
}

}  // namespace conformance
