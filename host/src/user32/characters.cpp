// USER32's character functions over the machine's code pages: stepping,
// upper case and OEM to ANSI conversion.

#include <iconv.h>

#include <string>

#include "machine/code_page_conversion.h"
#include "machine/machine_internal.h"
#include "winapi.h"

extern "C" {

LPSTR WINAPI CharNextA(LPCSTR current) {
  if (current == nullptr || *current == '\0') return const_cast<LPSTR>(current);
  if (host::IsAnsiLeadByte(static_cast<unsigned char>(current[0])) && current[1] != '\0')
    return const_cast<LPSTR>(current + 2);
  return const_cast<LPSTR>(current + 1);
}

LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR current) {
  if (start == nullptr || current == nullptr) return const_cast<LPSTR>(current);
  while (*start != '\0' && start < current) {
    LPCSTR next = CharNextA(start);
    if (next >= current) break;
    start = next;
  }
  return const_cast<LPSTR>(start);
}

LPSTR WINAPI CharUpperA(LPSTR text) {
  if (IS_INTRESOURCE(text)) {
    // A single character in the low word.
    unsigned char c = static_cast<unsigned char>(reinterpret_cast<ULONG_PTR>(text) & 0xff);
    return reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(host::UpperAnsiByte(c)));
  }
  for (char* p = text; *p != '\0'; p = CharNextA(p)) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (!host::IsAnsiLeadByte(c)) *p = static_cast<char>(host::UpperAnsiByte(c));
  }
  return text;
}

BOOL WINAPI OemToCharA(LPCSTR source, LPSTR destination) {
  if (source == nullptr || destination == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const host::MachineConfig& config = host::Config();
  std::string in(source);
  iconv_t decode = iconv_open("UCS-4LE", host::IconvName(config.oemcp).c_str());
  // A character the ANSI code page lacks takes its best fit: Windows' own
  // from the code page's table where the machine has it; else glibc's
  // transliteration ("+", "-" and "|" for box drawing), its first character
  // when it spells one out ("Pts" for the peseta sign).
  iconv_t encode = iconv_open((host::IconvName(config.acp) + "//TRANSLIT").c_str(), "UCS-4LE");
  std::string out;
  for (size_t i = 0; i < in.size() && out.size() < in.size();) {
    size_t length =
        host::IsOemLeadByte(static_cast<unsigned char>(in[i])) && i + 1 < in.size() ? 2 : 1;
    std::string ucs, ansi;
    bool decoded = decode != reinterpret_cast<iconv_t>(-1) &&
                   host::Convert(decode, in.substr(i, length), &ucs);
    // A character without a best fit becomes the default '?'.
    if (!decoded || ucs.size() != 4 ||
        (!host::BestFitOf(config.acp, host::Ucs4(ucs), &ansi) &&
         (encode == reinterpret_cast<iconv_t>(-1) || !host::Convert(encode, ucs, &ansi))) ||
        ansi.empty())
      ansi.assign(1, '?');
    size_t first =
        host::IsAnsiLeadByte(static_cast<unsigned char>(ansi[0])) && ansi.size() > 1 ? 2 : 1;
    ansi.resize(first);
    // The result never grows past the source's length, so that converting
    // in place cannot overrun.
    if (out.size() + ansi.size() > in.size()) break;
    out += ansi;
    i += length;
  }
  if (decode != reinterpret_cast<iconv_t>(-1)) iconv_close(decode);
  if (encode != reinterpret_cast<iconv_t>(-1)) iconv_close(encode);
  out.copy(destination, out.size());
  destination[out.size()] = '\0';
  return TRUE;
}

}  // extern "C"
