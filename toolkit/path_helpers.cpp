#include "toolkit/path_helpers.h"

#include <cstddef>
#include <cstring>

#include "toolkit/session.h"
#include "toolkit/symbols.h"

char JoinTwoBuffer[kJoinTwoSize];
char JoinThreeBuffer[kJoinThreeSize];
char JoinFourBuffer[kJoinFourSize];

namespace {

// The directory readers' own buffer: the system is asked for at most
// kDirectoryCapacity bytes, so 254 characters fit.
constexpr int kDirectorySize = 256;
constexpr UINT kDirectoryCapacity = kDirectorySize - 1;
// Prefixes taken from SourceDirectory: "D:" for a rooted directory,
// "D:\" for a relative one.
constexpr int kDrivePrefixLength = 2;
constexpr int kDriveRootPrefixLength = 3;

[[noreturn]] void FailWithOverflow() {
  ShowBufferOverflow();
  SetupErrorExit(SetupErrorFail);
}

// Bytes of the character at text: 2 for a lead byte with its trail byte,
// else 1; 0 at the terminator. A lead byte just before the terminator is a
// character of its own, so no walk steps over the terminator.
int CharacterWidth(const char* text) { return static_cast<int>(CharNextA(text) - text); }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Whether SourceDirectory begins with the drive a prefix of this length
// takes from it ("D:" or "D:\"). It does not before the session has started,
// or for a network directory, and the completed path would lack its drive.
bool SourceDirectoryHasDrive(int prefixLength) {
  if (!IsDriveLetter(SourceDirectory[0]) || SourceDirectory[1] != ':') return false;
  return prefixLength < kDriveRootPrefixLength || SourceDirectory[2] == '\\';
}

// Whether the pattern's characters match the text's from text on.
bool MatchesAt(const char* text, const char* pattern) {
  while (*pattern != '\0') {
    const int width = CharacterWidth(text);
    if (width == 0 || *text != *pattern || CharacterWidth(pattern) != width) return false;
    if (width == 2 && text[1] != pattern[1]) return false;
    text += width;
    pattern += width;
  }
  return true;
}

using DirectoryReader = UINT(WINAPI*)(LPSTR, UINT);

char* CompleteDirPath(DirectoryReader readDirectory, char* buffer, int size) {
  char directory[kDirectorySize];
  const UINT result = readDirectory(directory, kDirectoryCapacity);
  if (result == 0) SetupErrorExit(SetupErrorFail);
  // A text that fills the capacity has no room for its terminator.
  if (result >= kDirectoryCapacity) FailWithOverflow();

  int prefixLength = 0;
  if (directory[0] == '\\') {
    prefixLength = kDrivePrefixLength;
  } else if (*CharNextA(directory) != ':') {
    prefixLength = kDriveRootPrefixLength;
  }
  if (prefixLength > 0 && (size < prefixLength || !SourceDirectoryHasDrive(prefixLength)))
    FailWithOverflow();

  const int length = static_cast<int>(std::strlen(directory));
  if (length > size - prefixLength) FailWithOverflow();
  std::memcpy(buffer, SourceDirectory, static_cast<size_t>(prefixLength));
  std::memcpy(buffer + prefixLength, directory, static_cast<size_t>(length) + 1);

  // The last character, not the last byte: a trail byte may be 0x5C.
  if (*CharPrevA(directory, directory + length) == '\\') return buffer;
  const int completed = prefixLength + length;
  if (completed + 1 > size) FailWithOverflow();
  buffer[completed] = '\\';
  buffer[completed + 1] = '\0';
  return buffer;
}

// Joins the pieces into buffer. The result is assembled apart first, so a
// piece may be a text inside buffer itself (a join of its own last result).
char* JoinInto(char* buffer, int size, const char* const* pieces, int count) {
  size_t lengths[4];
  size_t total = 0;
  for (int i = 0; i < count; ++i) {
    lengths[i] = std::strlen(pieces[i]);
    total += lengths[i];
  }
  if (total >= static_cast<size_t>(size)) FailWithOverflow();
  char joined[kJoinFourSize];
  size_t at = 0;
  for (int i = 0; i < count; ++i) {
    std::memcpy(joined + at, pieces[i], lengths[i]);
    at += lengths[i];
  }
  joined[at] = '\0';
  std::memcpy(buffer, joined, at + 1);
  return buffer;
}

}  // namespace

char* FindCharacter(const char* text, int key) {
  const char wanted = static_cast<char>(key & 0xff);
  for (const char* at = text; *at != '\0'; at = CharNextA(at)) {
    if (*at == wanted) return const_cast<char*>(at);
  }
  return nullptr;
}

int FindTextPosition(int start, const char* text, const char* pattern) {
  if (start < 1) return 0;
  const char* at = text;
  int position = 1;
  // Skip to the start, whole characters only: a start on a trail byte
  // searches from its character. A start past the terminator finds nothing.
  for (int toSkip = start - 1; toSkip > 0;) {
    const int width = CharacterWidth(at);
    if (width == 0) return 0;
    if (width > toSkip) break;
    at += width;
    position += width;
    toSkip -= width;
  }
  for (; *at != '\0'; position += CharacterWidth(at), at = CharNextA(at)) {
    if (MatchesAt(at, pattern)) return position;
  }
  return 0;
}

char* ExtractCommaField(char* list, int n, char* buffer, int size) {
  if (n < 1) SetupErrorExit(SetupErrorFail);
  const char* at = list;
  for (int field = 1; field < n; ++field) {
    while (*at != '\0' && *at != ',') at = CharNextA(at);
    at = CharNextA(at);  // over the comma; stays at the terminator
  }
  while (*at == ' ' || *at == '\t') at = CharNextA(at);
  const char* end = at;
  while (*end != '\0' && *end != ',') end = CharNextA(end);
  const ptrdiff_t length = end - at;
  if (length > size) FailWithOverflow();
  // Copied by length: the list is never written, so it stays as it was.
  std::memmove(buffer, at, static_cast<size_t>(length));
  buffer[length] = '\0';
  return buffer;
}

char* GetWindowsDirPath(char* buffer, int size) {
  return CompleteDirPath(GetWindowsDirectoryA, buffer, size);
}

char* GetSystemDirPath(char* buffer, int size) {
  return CompleteDirPath(GetSystemDirectoryA, buffer, size);
}

int IsSystemDirOutsideWindowsDir() {
  char windowsDir[kDirectorySize];
  char systemDir[kDirectorySize];
  GetWindowsDirPath(windowsDir, kDirectorySize - 1);
  GetSystemDirPath(systemDir, kDirectorySize - 1);
  CharUpperA(windowsDir);
  CharUpperA(systemDir);
  if (windowsDir[0] == '\0') SetupErrorExit(SetupErrorFail);
  // Both end in a backslash, so a leading part is a whole directory; a
  // shorter System directory differs at its terminator.
  for (int i = 0; windowsDir[i] != '\0'; ++i) {
    if (systemDir[i] != windowsDir[i]) return 1;
  }
  return 0;
}

char* JoinTwo(const char* first, const char* second) {
  const char* pieces[] = {first, second};
  return JoinInto(JoinTwoBuffer, kJoinTwoSize, pieces, 2);
}

char* JoinThree(const char* first, const char* second, const char* third) {
  const char* pieces[] = {first, second, third};
  return JoinInto(JoinThreeBuffer, kJoinThreeSize, pieces, 3);
}

char* JoinFour(const char* first, const char* second, const char* third, const char* fourth) {
  const char* pieces[] = {first, second, third, fourth};
  return JoinInto(JoinFourBuffer, kJoinFourSize, pieces, 4);
}

void TrimTrailingBlanks(char* text) {
  char* runStart = nullptr;
  for (char* at = text; *at != '\0'; at = CharNextA(at)) {
    if (*at != ' ') {
      runStart = nullptr;
    } else if (runStart == nullptr) {
      runStart = at;
    }
  }
  if (runStart != nullptr) *runStart = '\0';
}

char* CopyTextBounded(char* destination, const char* source, int count) {
  char* out = destination;
  while (count > 0 && *source != '\0') {
    const int width = CharacterWidth(source);
    // A double-byte character that does not fit whole is not split.
    if (width > count) break;
    std::memcpy(out, source, static_cast<size_t>(width));
    out += width;
    source += width;
    count -= width;
  }
  if (count > 0) std::memset(out, 0, static_cast<size_t>(count));
  return destination;
}
