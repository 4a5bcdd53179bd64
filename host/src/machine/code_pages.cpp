// The machine's ANSI and OEM code pages, through iconv: lead bytes, case
// and double-byte-aware stepping.

#include <iconv.h>
#include <unicode/uchar.h>

#include <array>
#include <cerrno>
#include <string>
#include <vector>

#include "machine/code_page_conversion.h"
#include "machine/machine_internal.h"

namespace host {
namespace {

struct CodePage {
  unsigned number = 0;
  std::array<bool, 256> lead{};            // lead byte of a double-byte character
  std::array<unsigned char, 256> upper{};  // single-byte capital, or the byte itself
};

struct CodePages {
  CodePage ansi;
  CodePage oem;
};

bool BuildCodePage(unsigned number, CodePage* page, std::string* error);

// Until a machine is opened, the code pages are Windows' defaults.
CodePages DefaultPages() {
  CodePages pages;
  std::string error;
  BuildCodePage(1252, &pages.ansi, &error);
  BuildCodePage(437, &pages.oem, &error);
  return pages;
}

CodePages& Pages() {
  static CodePages pages = DefaultPages();
  return pages;
}

std::string Ucs4Bytes(char32_t c) { return std::string(reinterpret_cast<const char*>(&c), 4); }

bool BuildCodePage(unsigned number, CodePage* page, std::string* error) {
  iconv_t decode = iconv_open("UCS-4LE", IconvName(number).c_str());
  if (decode == reinterpret_cast<iconv_t>(-1)) {
    *error = "code page " + std::to_string(number) + " is not known to iconv";
    return false;
  }
  iconv_t encode = iconv_open(IconvName(number).c_str(), "UCS-4LE");
  if (encode == reinterpret_cast<iconv_t>(-1)) {
    iconv_close(decode);
    *error = "code page " + std::to_string(number) + " is not known to iconv";
    return false;
  }
  page->number = number;
  for (int b = 0; b < 256; ++b) {
    unsigned char byte = static_cast<unsigned char>(b);
    page->upper[byte] = byte;
    page->lead[byte] = false;
    std::string ucs;
    bool incomplete = false;
    if (!Convert(decode, std::string(1, static_cast<char>(byte)), &ucs, &incomplete)) {
      // A byte that starts a character but does not end one is a lead byte,
      // whether or not the code page assigns every row it leads (Windows
      // takes the lead-byte ranges of the code page as they are).
      page->lead[byte] = incomplete;
      continue;
    }
    if (ucs.size() != 4) continue;
    char32_t capital = static_cast<char32_t>(u_toupper(static_cast<UChar32>(Ucs4(ucs))));
    if (capital == Ucs4(ucs)) continue;
    std::string encoded;
    if (Convert(encode, Ucs4Bytes(capital), &encoded) && encoded.size() == 1)
      page->upper[byte] = static_cast<unsigned char>(encoded[0]);
  }
  iconv_close(decode);
  iconv_close(encode);
  return true;
}

}  // namespace

std::string IconvName(unsigned codePage) { return "CP" + std::to_string(codePage); }

bool Convert(iconv_t cd, const std::string& in, std::string* out, bool* incomplete) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::vector<char> input(in.begin(), in.end());
  char buffer[64];
  char* inPtr = input.data();
  size_t inLeft = input.size();
  char* outPtr = buffer;
  size_t outLeft = sizeof buffer;
  size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  if (incomplete != nullptr) *incomplete = result == static_cast<size_t>(-1) && errno == EINVAL;
  if (result == static_cast<size_t>(-1) || inLeft != 0) return false;
  // Flush any shift state.
  if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
  out->assign(buffer, static_cast<size_t>(outPtr - buffer));
  return true;
}

char32_t Ucs4(const std::string& bytes) {
  char32_t c = 0;
  for (size_t i = 0; i < 4 && i < bytes.size(); ++i) reinterpret_cast<char*>(&c)[i] = bytes[i];
  return c;
}
bool LoadCodePages(unsigned acp, unsigned oemcp, std::string* error) {
  CodePages next;
  if (!BuildCodePage(acp, &next.ansi, error) || !BuildCodePage(oemcp, &next.oem, error))
    return false;
  Pages() = next;
  return true;
}

bool IsAnsiLeadByte(unsigned char c) { return Pages().ansi.lead[c]; }
bool IsOemLeadByte(unsigned char c) { return Pages().oem.lead[c]; }
unsigned char UpperAnsiByte(unsigned char c) { return Pages().ansi.upper[c]; }

size_t FindAnsiChar(const std::string& text, char c, size_t from) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (i >= from && text[i] == c) return i;
    if (IsAnsiLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
  }
  return std::string::npos;
}

size_t FindLastAnsiChar(const std::string& text, char c) {
  size_t last = std::string::npos;
  for (size_t at = FindAnsiChar(text, c); at != std::string::npos;
       at = FindAnsiChar(text, c, at + 1))
    last = at;
  return last;
}

void TrimTrailingBackslashes(std::string* text) {
  while (!text->empty() && FindLastAnsiChar(*text, '\\') == text->size() - 1) text->pop_back();
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (IsAnsiLeadByte(x) && i + 1 < a.size()) {
      if (x != y || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
    if (UpperAnsiByte(x) != UpperAnsiByte(y)) return false;
  }
  return true;
}

std::u16string AnsiToUtf16(const std::string& ansi) {
  std::u16string out;
  iconv_t cd = iconv_open("UTF-16LE", IconvName(Config().acp).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    for (char c : ansi) out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
  }
  std::vector<char> input(ansi.begin(), ansi.end());
  char* in = input.data();
  size_t inLeft = input.size();
  while (inLeft > 0) {
    char buffer[256];
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    for (char* p = buffer; p + 1 < outPtr; p += 2)
      out += static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                   static_cast<unsigned char>(p[1]) << 8);
    // A byte the code page does not define is the replacement character.
    if (result == static_cast<size_t>(-1) && errno != E2BIG) {
      out += u'\uFFFD';
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace host
