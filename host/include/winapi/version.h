// VERSION.DLL: version resources and language names (the Windows SDK's
// winver.h).
#pragma once

#include "winapi/types.h"

// The fixed part of a version resource, as VerQueryValueA("\\") gives it.
struct VS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};

#define VS_FFI_SIGNATURE 0xFEEF04BDL

extern "C" {

// ---------------------------------------------------------------------------
// Language names
// ---------------------------------------------------------------------------
// The English name of a language id from ICU (uloc_getLocaleForLCID, its
// language and country, then the display name in English: 0x409 is
// "English (United States)", 0x40A "Spanish (Spain)" without its sort
// order; 0 is "Language Neutral", 0x7F "Invariant Language", as Windows
// names them), in the ANSI code page. Copies at most size - 1 characters and
// the zero; the result is the name's length when it fits, else the size it
// needs with its zero (so a buffer of exactly the name's length answers one
// more), as documented. An id ICU does not know gives 0 and writes nothing.
// ICU's names may differ from Windows' own, which changed between versions
// (0x804: ICU "Chinese (China)", Windows XP "Chinese (PRC)").
DWORD WINAPI VerLanguageNameA(DWORD language, LPSTR buffer, DWORD size);

// ---------------------------------------------------------------------------
// Version resources
// ---------------------------------------------------------------------------
// A file's version resource, found in a 32-bit or 64-bit PE image (a DLL or
// program) read through the host's system call table: the image's .rsrc
// section, then the resource
// directory's entry of type 16 (RT_VERSION), its entry of id 1 (a version
// resource of any other id does not count, as on Windows) and its first
// language. The size a caller gives GetFileVersionInfoA: twice the
// resource's and 4, as Windows NT answers, the room VerQueryValueA converts
// texts into; LastError 0. 0 with ERROR_INVALID_PARAMETER for a NULL name,
// ERROR_BAD_PATHNAME for an empty one, ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND for a missing file, the error of a file that cannot
// be opened or read (ERROR_ACCESS_DENIED, ERROR_READ_FAULT ...), and
// ERROR_RESOURCE_DATA_NOT_FOUND for any other file without the resource, a
// file that is not a PE image too, as Windows NT and Wine answer (Windows 95
// answers ERROR_FILE_NOT_FOUND there). *handle (when given) is set to 0.
DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle);
// Copies the version resource's first size bytes (at most its whole size)
// and, when size leaves room for it after the block's own length, the mark
// "FE2X" there, as Windows NT does; LastError 0. FALSE with the errors of
// GetFileVersionInfoSizeA, or ERROR_INVALID_DATA for a NULL data.
BOOL WINAPI GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD size, LPVOID data);
// A value of a 32-bit version block by its path of keys, compared ignoring
// letter case: "\" (also "" and NULL) its VS_FIXEDFILEINFO and its size,
// "\VarFileInfo\Translation" the languages and code pages (4 bytes each),
// "\StringFileInfo\040904B0\NAME" a text; empty keys (doubled or missing
// backslashes) are skipped. Binary values are pointers into the block. A
// text is converted from UTF-16 to the ANSI code page and *length is its
// bytes with its zero; Windows NT writes it after the block and its mark, in
// the room GetFileVersionInfoSizeA asked for, and so does the host when
// GetFileVersionInfoA filled this buffer with that room; for any other
// buffer the host keeps the text in its own memory, for as long as the
// process runs, and writes nothing into the block. The block's own length
// (its first WORD) bounds the walk, as on Windows, so the block must be
// whole. FALSE for a NULL block or buffer, and for a 16-bit block; a path
// that is not found gives FALSE, *length 0 and ERROR_RESOURCE_TYPE_NOT_FOUND.
BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length);

}  // extern "C"
