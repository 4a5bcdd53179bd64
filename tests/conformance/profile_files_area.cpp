// Private profiles of every line end, the names asked for with blanks, lists
// that fit exactly and GetPrivateProfileSectionA's errors. Each content has
// its own file: Wine keeps profiles in a cache it trusts for a while after
// a file's last change.
#include <algorithm>
#include <string>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "profile files";

struct Content {
  const char* label;
  const char* file;
  const char* text;
};

// "[one]" with two keys and a line without '=', then "[two]", with each kind
// of line end.
const Content kContents[] = {
    {"crlf", "C:\\conform\\crlf.ini", "[one]\r\nname=val\r\nkey2=v2\r\nalone\r\n[two]\r\n"},
    {"cr only", "C:\\conform\\cr.ini", "[one]\rname=val\rkey2=v2\ralone\r[two]\r"},
    {"lf only", "C:\\conform\\lf.ini", "[one]\nname=val\nkey2=v2\nalone\n[two]\n"},
    {"crlf then cr", "C:\\conform\\mixed.ini", "[one]\r\nname=val\rkey2=v2\ralone\r[two]\r"},
    {"cr then lf", "C:\\conform\\mixed2.ini", "[one]\rname=val\rkey2=v2\nalone\n[two]\n"},
};

void LineEnds() {
  const struct {
    const char* label;
    const char* section;
    const char* key;
  } reads[] = {{"value", "one", "name"},
               {"second value", "one", "key2"},
               {"keys", "one", nullptr},
               {"sections", nullptr, nullptr}};
  for (const Content& content : kContents) {
    WriteWholeFile(content.file, content.text);
    for (const auto& r : reads) {
      Buffer buffer(24);
      ArmError();
      DWORD result =
          GetPrivateProfileStringA(r.section, r.key, "dflt", buffer.data(), 24, content.file);
      Observe(kArea, "GetPrivateProfileStringA", std::string(content.label) + " " + r.label,
              Number(result) + " " + buffer.Shown(std::min<DWORD>(result + 3, 24)));
    }
    Buffer buffer(32);
    DWORD result = GetPrivateProfileSectionA("one", buffer.data(), 32, content.file);
    Observe(kArea, "GetPrivateProfileSectionA", content.label,
            Number(result) + " " + buffer.Shown(std::min<DWORD>(result + 3, 32)));
  }
}

// The lists cut one byte short, fitting exactly and with a byte to spare:
// "name\0key2\0\0" is 11 bytes, "one\0two\0\0" 9, the lines of [one]
// "name=val\0key2=v2\0alone\0\0" 24.
void ExactFits() {
  const char* file = kContents[0].file;
  const struct {
    const char* label;
    const char* section;
    DWORD fits;
  } lists[] = {{"keys", "one", 11}, {"sections", nullptr, 9}, {"lines", "one", 24}};
  for (const auto& list : lists) {
    for (DWORD size = list.fits - 1; size <= list.fits + 1; ++size) {
      Buffer buffer(32);
      DWORD result =
          std::string(list.label) == "lines"
              ? GetPrivateProfileSectionA(list.section, buffer.data(), size, file)
              : GetPrivateProfileStringA(list.section, nullptr, "", buffer.data(), size, file);
      Observe(kArea, "lists", std::string(list.label) + " size " + Number(size),
              Number(result) + " " + buffer.Shown(size + 1));
    }
  }
  for (DWORD size = 8; size <= 10; ++size) {
    Buffer buffer(16);
    DWORD result = GetPrivateProfileSectionNamesA(buffer.data(), size, file);
    Observe(kArea, "GetPrivateProfileSectionNamesA", "size " + Number(size),
            Number(result) + " " + buffer.Shown(size + 1));
  }
}

void BlanksAround() {
  const char* file = kContents[0].file;
  const struct {
    const char* label;
    const char* section;
    const char* key;
  } reads[] = {{"key leading", "one", " name"},
               {"key trailing", "one", "name\t "},
               {"section leading", " one", "name"},
               {"section trailing", "one \t", "name"},
               {"section blank keys", " one ", nullptr},
               {"key only blanks", "one", "  "},
               {"keys of a section without", "two", nullptr},
               {"keys of a missing section", "none", nullptr}};
  for (const auto& r : reads) {
    Buffer buffer(32);
    ArmError();
    DWORD result = GetPrivateProfileStringA(r.section, r.key, "dflt", buffer.data(), 32, file);
    Observe(kArea, "GetPrivateProfileStringA", r.label,
            Number(result) + " " + buffer.Shown(std::min<DWORD>(result + 2, 32)));
  }
  Buffer buffer(32);
  DWORD result = GetPrivateProfileSectionA("  one ", buffer.data(), 32, file);
  Observe(kArea, "GetPrivateProfileSectionA", "section blanks",
          Number(result) + " " + buffer.Shown(25));
}

void SectionErrors() {
  WriteWholeFile("C:\\conform\\errors.ini", "[one]\r\na=1\r\n[empty]\r\n");
  const struct {
    const char* label;
    const char* section;
    const char* file;
    bool buffer;
  } cases[] = {{"NULL section", nullptr, "C:\\conform\\errors.ini", true},
               {"NULL buffer", "one", "C:\\conform\\errors.ini", false},
               {"found", "one", "C:\\conform\\errors.ini", true},
               {"empty section", "empty", "C:\\conform\\errors.ini", true},
               {"missing section", "none", "C:\\conform\\errors.ini", true},
               {"missing file", "one", "C:\\conform\\missing.ini", true},
               {"missing folder", "one", "C:\\conform\\nodir\\x.ini", true}};
  for (const auto& c : cases) {
    Buffer buffer(8);
    ArmError();
    DWORD result =
        GetPrivateProfileSectionA(c.section, c.buffer ? buffer.data() : nullptr, 8, c.file);
    Observe(kArea, "GetPrivateProfileSectionA", c.label,
            Number(result) + Error() + " " + buffer.Shown(6));
  }
  const DWORD sizes[] = {0, 1, 2};
  for (DWORD size : sizes) {
    Buffer buffer(4);
    DWORD result = GetPrivateProfileSectionA("one", buffer.data(), size, "C:\\conform\\errors.ini");
    Observe(kArea, "GetPrivateProfileSectionA", "size " + Number(size),
            Number(result) + " " + buffer.Shown(4));
  }
}

}  // namespace

void RunProfileFiles() {
  LineEnds();
  ExactFits();
  BlanksAround();
  SectionErrors();
}

}  // namespace conformance
