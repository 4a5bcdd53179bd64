// Whole-file copies for the installation: the LZ expansion copy of the
// sources, and the byte-for-byte backups of system.ini and win.ini that are
// checked before either file is changed and used to put them back.
#include "installer/copy_file.h"

#include "installer/text_length.h"

namespace {

// Bytes moved or compared per read.
constexpr UINT kChunkSize = 512;

// True when text ends in a backslash that is a character of its own, not the
// second byte of a double-byte character.
bool EndsInBackslash(const char* text) {
  const char* end = text + TextLength(text);
  if (end == text) return false;
  const char* last = CharPrevA(text, end);
  return end - last == 1 && *last == '\\';
}

// Reads count bytes; false on a read error or an early end.
bool ReadExactly(HFILE file, char* buffer, UINT count) {
  return count == 0 || _lread(file, buffer, count) == count;
}

bool WriteExactly(HFILE file, const char* buffer, UINT count) {
  return count == 0 || _lwrite(file, buffer, count) == count;
}

// Copies length bytes from the current position of from to the current
// position of to.
bool CopyBytes(HFILE from, HFILE to, LONG length) {
  char buffer[kChunkSize];
  while (length > 0) {
    UINT count = length < static_cast<LONG>(kChunkSize) ? static_cast<UINT>(length) : kChunkSize;
    if (!ReadExactly(from, buffer, count) || !WriteExactly(to, buffer, count)) return false;
    length -= static_cast<LONG>(count);
  }
  return true;
}

bool CloseChecked(HFILE file) { return _lclose(file) != HFILE_ERROR; }

// The compressed format of the setup sources (SZDD): an 8-byte signature,
// the method, the name's missing character and the expanded length.
constexpr BYTE kCompressedSignature[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr UINT kCompressedHeaderSize = 14;
constexpr int kExpandedLengthOffset = 10;
constexpr LONG kNotCompressed = -1;
constexpr LONG kHeaderUnreadable = -2;

// The length a compressed source expands to, as its header gives it;
// kNotCompressed for a plain file. The position is left at the start.
LONG ExpandedLength(HFILE source) {
  BYTE header[kCompressedHeaderSize];
  if (_llseek(source, 0, FILE_BEGIN) != 0) return kHeaderUnreadable;
  UINT got = _lread(source, header, sizeof header);
  if (got == static_cast<UINT>(HFILE_ERROR) || _llseek(source, 0, FILE_BEGIN) != 0) {
    return kHeaderUnreadable;
  }
  if (got < sizeof header) return kNotCompressed;
  for (UINT i = 0; i < sizeof kCompressedSignature; ++i) {
    if (header[i] != kCompressedSignature[i]) return kNotCompressed;
  }
  DWORD length = 0;
  for (int i = 3; i >= 0; --i) length = (length << 8) | header[kExpandedLengthOffset + i];
  return length > 0x7fffffff ? kHeaderUnreadable : static_cast<LONG>(length);
}

// Copies the whole of the open file from into the open file to, from the
// start, and cuts to at the end of the copy.
bool CopyWhole(HFILE from, HFILE to) {
  LONG length = FileLength(from);
  if (length < 0 || _llseek(to, 0, FILE_BEGIN) != 0) return false;
  if (!CopyBytes(from, to, length)) return false;
  return SetEndOfFile(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(to))) != FALSE;
}

}  // namespace

BOOL JoinPath(char* path, int size, const char* directory, const char* name) {
  int directoryLength = TextLength(directory);
  bool separator = directoryLength > 0 && !EndsInBackslash(directory);
  int length = directoryLength + (separator ? 1 : 0) + TextLength(name);
  if (size < 1 || length >= size) {
    if (size > 0) path[0] = 0;
    return FALSE;
  }
  char* out = path;
  for (const char* p = directory; *p != 0; ++p) *out++ = *p;
  if (separator) *out++ = '\\';
  for (const char* p = name; *p != 0; ++p) *out++ = *p;
  *out = 0;
  return TRUE;
}

LONG FileLength(HFILE file) {
  LONG length = _llseek(file, 0, FILE_END);
  if (length < 0 || _llseek(file, 0, FILE_BEGIN) != 0) return -1;
  return length;
}

ExpandResult ExpandOpenedFile(HFILE source, const char* target) {
  HFILE to = _lcreat(target, 0);
  if (to == HFILE_ERROR) return kExpandNoTarget;
  // LZCopy gives the number of bytes written, or a negative error code. A
  // compressed source cut short expands without an error into a shorter
  // file, so the count must be the length its header promises; and the
  // target must be as long as the count.
  LONG expected = ExpandedLength(source);
  LONG copied = expected == kHeaderUnreadable ? -1 : LZCopy(source, to);
  bool whole = copied >= 0 && (expected == kNotCompressed || copied == expected) &&
               _llseek(to, 0, FILE_END) == copied;
  bool closed = CloseChecked(to);
  return whole && closed ? kExpandDone : kExpandFailed;
}

BackupResult BackupFile(const char* original, const char* backup) {
  HFILE from = _lopen(original, OF_READ);
  if (from == HFILE_ERROR) return kBackupNoOriginal;
  HFILE to = _lcreat(backup, 0);
  if (to == HFILE_ERROR) {
    _lclose(from);
    return kBackupFailed;
  }
  // A plain copy: a backup must hold the bytes as they are, never an
  // expansion of them.
  bool copied = CopyWhole(from, to);
  bool closed = CloseChecked(to);
  _lclose(from);
  if (!copied || !closed) return kBackupFailed;
  return FilesMatch(original, backup) ? kBackupDone : kBackupFailed;
}

BOOL RestoreFile(const char* backup, const char* original) {
  HFILE from = _lopen(backup, OF_READ);
  if (from == HFILE_ERROR) return FALSE;
  // Overwriting in place needs no room on the disk for the bytes the file
  // already has; only a file that has become shorter grows back.
  HFILE to = _lopen(original, OF_READWRITE);
  if (to == HFILE_ERROR) to = _lcreat(original, 0);
  if (to == HFILE_ERROR) {
    _lclose(from);
    return FALSE;
  }
  bool copied = CopyWhole(from, to);
  bool closed = CloseChecked(to);
  _lclose(from);
  return copied && closed && FilesMatch(backup, original);
}

BOOL FilesMatch(const char* first, const char* second) {
  HFILE a = _lopen(first, OF_READ);
  if (a == HFILE_ERROR) return FALSE;
  HFILE b = _lopen(second, OF_READ);
  if (b == HFILE_ERROR) {
    _lclose(a);
    return FALSE;
  }
  LONG length = FileLength(a);
  bool same = length >= 0 && FileLength(b) == length;
  char bufferA[kChunkSize];
  char bufferB[kChunkSize];
  while (same && length > 0) {
    UINT count = length < static_cast<LONG>(kChunkSize) ? static_cast<UINT>(length) : kChunkSize;
    same = ReadExactly(a, bufferA, count) && ReadExactly(b, bufferB, count);
    for (UINT i = 0; same && i < count; ++i) same = bufferA[i] == bufferB[i];
    length -= static_cast<LONG>(count);
  }
  _lclose(a);
  _lclose(b);
  return same ? TRUE : FALSE;
}
