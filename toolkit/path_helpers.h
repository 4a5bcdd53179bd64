// Text and path primitives shared by the toolkit layer and the support
// library. Texts are ANSI in the system code page, which may be a
// double-byte character set: every helper that walks a text steps whole
// characters (CharNextA, CharPrevA, IsDBCSLeadByte), so the second byte of a
// double-byte character is never taken for a comma, blank, backslash or key.
#pragma once

#include "winapi.h"

// The module-wide buffers of the joins: 511, 767 and 1023 characters fit.
constexpr int kJoinTwoSize = 512;
constexpr int kJoinThreeSize = 768;
constexpr int kJoinFourSize = 1024;
extern char JoinTwoBuffer[kJoinTwoSize];
extern char JoinThreeBuffer[kJoinThreeSize];
extern char JoinFourBuffer[kJoinFourSize];

// The first character of text whose first byte is the low byte of key, or
// null. A key of 0 is never found.
char* FindCharacter(const char* text, int key);
// The 1-based byte position of the first occurrence of pattern in text at
// or after byte position start, or 0.
int FindTextPosition(int start, const char* text, const char* pattern);
// Field n (from 1) of the comma-separated list, leading blanks and tabs
// skipped, into buffer, which holds size characters and a terminator.
// list must be writable; it is unchanged afterwards.
char* ExtractCommaField(char* list, int n, char* buffer, int size);
// The Windows or System directory as a full path with drive, ending in a
// backslash, into buffer (size characters and a terminator).
char* GetWindowsDirPath(char* buffer, int size);
char* GetSystemDirPath(char* buffer, int size);
// 1 when the System directory does not lie in (or is not) the Windows
// directory, else 0.
int IsSystemDirOutsideWindowsDir();
// The texts one after the other in the join's module-wide buffer, valid
// until the next call of the same join.
char* JoinTwo(const char* first, const char* second);
char* JoinThree(const char* first, const char* second, const char* third);
char* JoinFour(const char* first, const char* second, const char* third, const char* fourth);
// Cuts a trailing run of blanks (code 32 only) in place.
void TrimTrailingBlanks(char* text);
// Writes exactly count bytes: source's whole characters, then zeros.
char* CopyTextBounded(char* destination, const char* source, int count);
