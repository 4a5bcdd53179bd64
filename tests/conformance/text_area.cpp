// Characters in the system's code pages and language names.
#include <cstring>
#include <string>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "text";

void CodePages() {
  Observe(kArea, "GetACP", "-", Number(GetACP()));
  Observe(kArea, "GetOEMCP", "-", Number(GetOEMCP()));
  const BYTE bytes[] = {0x41, 0x81, 0x82, 0x9F, 0xA0, 0xE0, 0xFC, 0xFF};
  for (BYTE byte : bytes) Observe(kArea, "IsDBCSLeadByte", Hex(byte), Number(IsDBCSLeadByte(byte)));
}

void Stepping() {
  const char text[] = "a\x82\xA0z";
  const char* steps[] = {text, text + 1, text + 2, text + 3, text + 4};
  for (const char* at : steps)
    Observe(kArea, "CharNextA", "at " + Number(at - text), Number(CharNextA(at) - text));
  for (const char* at : steps)
    Observe(kArea, "CharPrevA", "at " + Number(at - text), Number(CharPrevA(text, at) - text));
}

// Every OEM byte, sixteen to a line, as the ANSI code page shows it.
void OemRows() {
  for (int row = 0x20; row < 0x100; row += 16) {
    char source[17];
    for (int i = 0; i < 16; ++i) source[i] = static_cast<char>(row + i);
    source[16] = '\0';
    Buffer destination(17);
    ArmError();
    BOOL ok = OemToCharA(source, destination.data());
    Observe(kArea, "OemToCharA", Hex(row), Number(ok) + " " + destination.Shown(17));
  }
  char inPlace[] = "\xB3\xC4\x81x";
  OemToCharA(inPlace, inPlace);
  Observe(kArea, "OemToCharA", "in place", Quote(inPlace));
}

void Upper() {
  char text[] = "abc xyz \xE4\xF6\xFC\xFF\xE9\xB5\xDF 123";
  CharUpperA(text);
  Observe(kArea, "CharUpperA", "text", Quote(text));
  const unsigned chars[] = {'a', 'Z', 0xE4, 0xFF, 0xB5, '1'};
  for (unsigned c : chars) {
    LPSTR upper = CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(c)));
    Observe(kArea, "CharUpperA", "char " + Hex(c),
            Hex(static_cast<ULONG_PTR>(reinterpret_cast<ULONG_PTR>(upper)) & 0xFFFF));
  }
}

void LanguageNames() {
  const DWORD ids[] = {0x0409, 0x0809, 0x0407, 0x040C, 0x040A, 0x0C0A, 0x0410,
                       0x0411, 0x0412, 0x0413, 0x0416, 0x0419, 0x0804, 0x0404,
                       0x0000, 0x007F, 0x0400, 0x0800, 0x0009, 0x1234, 0xFFFF};
  for (DWORD id : ids) {
    Buffer buffer(128);
    ArmError();
    DWORD result = VerLanguageNameA(id, buffer.data(), 128);
    Observe(kArea, "VerLanguageNameA", Hex(id), Number(result) + " " + buffer.Text());
  }
  // "English (United States)" is 23 characters.
  const DWORD sizes[] = {0, 1, 10, 23, 24, 25};
  for (DWORD size : sizes) {
    Buffer buffer(size);
    ArmError();
    DWORD result = VerLanguageNameA(0x0409, size == 0 ? nullptr : buffer.data(), size);
    Observe(kArea, "VerLanguageNameA", "0x409 size " + Number(size),
            Number(result) + " " + buffer.Shown(size));
  }
}

}  // namespace

void RunText() {
  CodePages();
  Stepping();
  OemRows();
  Upper();
  LanguageNames();
}

}  // namespace conformance
