// VerLanguageNameA: the English name of a language identifier, from ICU.

#include <iconv.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include <string>

#include "machine/machine_internal.h"
#include "truncated_copy.h"
#include "winapi.h"

namespace host {
namespace {

constexpr DWORD kInvariantLanguage = 0x7F;

// ICU's English display name for the locale of a Windows language id, in
// UTF-8; empty when ICU does not know the id.
std::string DisplayName(DWORD language) {
  if ((language & 0xffff) == 0) return "Language Neutral";  // LANG_NEUTRAL, as Windows names it
  // LANG_INVARIANT, which ICU takes for "en_US_POSIX".
  if ((language & 0xffff) == kInvariantLanguage) return "Invariant Language";
  UErrorCode status = U_ZERO_ERROR;
  char locale[ULOC_FULLNAME_CAPACITY] = {};
  int32_t length = uloc_getLocaleForLCID(language & 0xffff, locale, sizeof locale, &status);
  if (U_FAILURE(status) || length <= 0) return std::string();
  // The language and country only: Windows names a sort order apart
  // (0x40A is Spanish, Spain, with the traditional sort), not in the name.
  char base[ULOC_FULLNAME_CAPACITY] = {};
  status = U_ZERO_ERROR;
  uloc_getBaseName(locale, base, sizeof base, &status);
  if (U_FAILURE(status)) return std::string();
  UChar name[256];
  status = U_ZERO_ERROR;
  int32_t nameLength = uloc_getDisplayName(base, "en", name, 256, &status);
  if (U_FAILURE(status) || nameLength <= 0) return std::string();
  char utf8[1024];
  int32_t utf8Length = 0;
  status = U_ZERO_ERROR;
  u_strToUTF8(utf8, sizeof utf8, &utf8Length, name, nameLength, &status);
  if (U_FAILURE(status)) return std::string();
  return std::string(utf8, static_cast<size_t>(utf8Length));
}

// The name in the machine's ANSI code page; a character the code page lacks
// becomes '?'.
std::string ToAnsi(const std::string& utf8) {
  std::string codePage = "CP" + std::to_string(Config().acp);
  iconv_t cd = iconv_open(codePage.c_str(), "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
  std::string out;
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  while (inLeft > 0) {
    char buffer[256];
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (result == static_cast<size_t>(-1) && outLeft == sizeof buffer) {
      // Skip the character iconv could not take: one UTF-8 sequence.
      out += '?';
      do {
        ++in;
        --inLeft;
      } while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace
}  // namespace host

extern "C" DWORD WINAPI VerLanguageNameA(DWORD language, LPSTR buffer, DWORD size) {
  std::string utf8 = host::DisplayName(language);
  if (utf8.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string name = host::ToAnsi(utf8);
  // At most size - 1 characters and the zero. The result is the name's
  // length when it fits, else the size it needs with its zero, so that a
  // result above size always means the name was cut.
  machine_ini::CopyTruncated(name, buffer, size);
  if (name.size() < size) return static_cast<DWORD>(name.size());
  return static_cast<DWORD>(name.size() + 1);
}
