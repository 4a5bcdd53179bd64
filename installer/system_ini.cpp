// The system.ini rewrite. The file is read back line by line from its
// verified backup system.kyr and written over system.ini: earlier device lines
// of kyr.386 go, the new one follows the [386Enh] header, everything else
// stays byte for byte.
//
// Lines are counted in bytes rather than as texts, so a zero byte inside a
// line is copied like any other. A line longer than the line buffer is read
// through once to learn its length and ending, then copied from the backup in
// pieces; it is neither cut nor merged with the next, and it is dropped as a
// device line when it ends like one. A read error looks like the end of the
// file to the line reader, so the end is only believed where the backup's
// known length says it is.
#include "installer/system_ini.h"

#include "installer/control_file.h"
#include "installer/text_length.h"

namespace {

constexpr char kDriverLineEnd[] = "kyr.386\r\n";
constexpr int kDriverLineEndLength = sizeof kDriverLineEnd - 1;
constexpr char kDevicePrefix[] = "device=";
constexpr char kEnhancedHeader[] = "[386Enh]";
constexpr int kEnhancedHeaderLength = sizeof kEnhancedHeader - 1;
// The rewrite needs room for a header and a driver line ending in a buffer.
constexpr int kSmallestLineBuffer = 16;

bool SameBytes(const char* a, const char* b, int count) {
  for (int i = 0; i < count; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

bool EndsInDriverName(const char* bytes, int length) {
  return length >= kDriverLineEndLength &&
         SameBytes(bytes + length - kDriverLineEndLength, kDriverLineEnd, kDriverLineEndLength);
}

bool StartsWithEnhancedHeader(const char* bytes, int length) {
  return length >= kEnhancedHeaderLength &&
         SameBytes(bytes, kEnhancedHeader, kEnhancedHeaderLength);
}

bool WriteBytes(HFILE file, const char* bytes, int count) {
  return count == 0 || _lwrite(file, bytes, static_cast<UINT>(count)) == static_cast<UINT>(count);
}

LONG Position(HFILE file) { return _llseek(file, 0, FILE_CURRENT); }

// The bytes of a line that ReadTextLine returned with 1: up to and including
// its first line feed.
int LineLength(const char* buffer) {
  int length = 0;
  while (buffer[length] != '\n') ++length;
  return length + 1;
}

// The last bytes of a line read in pieces, enough to tell a device line.
class LineTail {
 public:
  void Add(const char* bytes, int count) {
    for (int i = 0; i < count; ++i) {
      if (used_ == kDriverLineEndLength) {
        for (int j = 1; j < used_; ++j) tail_[j - 1] = tail_[j];
        --used_;
      }
      tail_[used_++] = bytes[i];
    }
  }
  bool IsDriverName() const { return EndsInDriverName(tail_, used_); }

 private:
  char tail_[kDriverLineEndLength] = {};
  int used_ = 0;
};

// Copies count bytes of source, from offset on, to target through buffer.
bool CopyFromBackup(HFILE source, LONG offset, LONG count, HFILE target, char* buffer, int size) {
  if (_llseek(source, offset, FILE_BEGIN) != offset) return false;
  while (count > 0) {
    int piece = count < size ? static_cast<int>(count) : size;
    if (_lread(source, buffer, static_cast<UINT>(piece)) != static_cast<UINT>(piece)) return false;
    if (!WriteBytes(target, buffer, piece)) return false;
    count -= piece;
  }
  return true;
}

}  // namespace

int WriteText(const char* text, HFILE file) {
  int length = TextLength(text);
  if (length == 0) return 0;
  UINT written = _lwrite(file, text, static_cast<UINT>(length));
  return written == static_cast<UINT>(HFILE_ERROR) ? -1 : static_cast<int>(written);
}

BOOL IsDeviceLine(const char* line) {
  return EndsInDriverName(line, TextLength(line)) ? TRUE : FALSE;
}

BOOL BuildDeviceLine(char* line, int size, const char* destination) {
  // The prefix goes in front of the joined path "destination\kyr.386".
  int prefixLength = sizeof kDevicePrefix - 1;
  int destinationLength = TextLength(destination);
  bool separator = destinationLength > 0;
  if (separator) {
    const char* end = destination + destinationLength;
    const char* last = CharPrevA(destination, end);
    separator = !(end - last == 1 && *last == '\\');
  }
  int length = prefixLength + destinationLength + (separator ? 1 : 0) + kDriverLineEndLength;
  if (size < 1 || length >= size) {
    if (size > 0) line[0] = 0;
    return FALSE;
  }
  char* out = line;
  for (const char* p = kDevicePrefix; *p != 0; ++p) *out++ = *p;
  for (const char* p = destination; *p != 0; ++p) *out++ = *p;
  if (separator) *out++ = '\\';
  for (const char* p = kDriverLineEnd; *p != 0; ++p) *out++ = *p;
  *out = 0;
  return TRUE;
}

BOOL RewriteSystemIni(HFILE source, LONG length, HFILE target, const char* deviceLine, char* buffer,
                      int size) {
  if (size < kSmallestLineBuffer || length < 0) return FALSE;
  const int deviceLineLength = TextLength(deviceLine);
  LONG consumed = 0;
  for (;;) {
    const LONG lineStart = consumed;
    int got = ReadTextLine(buffer, size, source);
    if (got == 0) {
      // The final piece without a line break, possibly empty: only the end
      // of the backup, not a failed read, may end the rewrite.
      if (Position(source) != length) return FALSE;
      LONG rest = length - consumed;
      if (rest > size - 1 || !WriteBytes(target, buffer, static_cast<int>(rest))) return FALSE;
      break;
    }
    if (got == 1) {
      int lineLength = LineLength(buffer);
      if (!EndsInDriverName(buffer, lineLength) && !WriteBytes(target, buffer, lineLength)) {
        return FALSE;
      }
      consumed += lineLength;
      if (StartsWithEnhancedHeader(buffer, lineLength) &&
          !WriteBytes(target, deviceLine, deviceLineLength)) {
        return FALSE;
      }
      continue;
    }
    if (got != kLineTooLong) return FALSE;

    // A line longer than the buffer: read on to its end, keeping its last
    // bytes, then copy it from the backup unless it is a device line.
    const bool header = StartsWithEnhancedHeader(buffer, size - 1);
    LineTail tail;
    tail.Add(buffer, size - 1);
    LONG lineLength = size - 1;
    for (;;) {
      got = ReadTextLine(buffer, size, source);
      if (got == kLineTooLong) {
        tail.Add(buffer, size - 1);
        lineLength += size - 1;
      } else if (got == 1) {
        int piece = LineLength(buffer);
        tail.Add(buffer, piece);
        lineLength += piece;
        break;
      } else if (got == 0) {
        // The long line is the file's final piece.
        if (Position(source) != length) return FALSE;
        LONG piece = length - lineStart - lineLength;
        if (piece < 0 || piece > size - 1) return FALSE;
        lineLength += piece;
        break;
      } else {
        return FALSE;
      }
    }
    // The line reader puts back the byte it looked ahead at; the position
    // proves that no byte went missing on the way.
    if (Position(source) != lineStart + lineLength) return FALSE;
    const bool finalPiece = got == 0;
    const bool dropped = !finalPiece && tail.IsDriverName();
    if (!dropped && !CopyFromBackup(source, lineStart, lineLength, target, buffer, size)) {
      return FALSE;
    }
    consumed = lineStart + lineLength;
    if (finalPiece) break;
    if (header && !WriteBytes(target, deviceLine, deviceLineLength)) return FALSE;
  }
  return SetEndOfFile(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(target))) ? TRUE : FALSE;
}
