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
//
// The backup is read and system.ini written a block at a time; the lines are
// cut out of the block in memory exactly as the line reader cuts them from
// the file, so a large system.ini costs a few calls rather than one per byte.
#include "installer/system_ini.h"

#include <cstring>

#include "installer/block_file.h"
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

// The bytes of a line that ReadTextLine returned with 1: up to and including
// its first line feed.
int LineLength(const char* buffer, int size) {
  const void* lineFeed = std::memchr(buffer, '\n', static_cast<size_t>(size));
  return static_cast<int>(static_cast<const char*>(lineFeed) - buffer) + 1;
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

// Copies count bytes of source, from offset on, to target.
bool CopyFromBackup(BlockReader& source, LONG offset, LONG count, BlockWriter& target) {
  if (!source.SeekTo(offset)) return false;
  while (count > 0) {
    const char* bytes = nullptr;
    int piece =
        source.Take(&bytes, count < kFileBlockSize ? static_cast<int>(count) : kFileBlockSize);
    if (piece <= 0 || !target.Write(bytes, piece)) return false;
    count -= piece;
  }
  return true;
}

// Writes a whole line unless it is a device line, and the device line after
// it when it is a [386Enh] header.
bool CopyLine(const char* line, int length, BlockWriter& target, const char* deviceLine,
              int deviceLineLength) {
  if (!EndsInDriverName(line, length) && !target.Write(line, length)) return false;
  return !StartsWithEnhancedHeader(line, length) || target.Write(deviceLine, deviceLineLength);
}

// Rewrites whole lines (count bytes ending in a line feed) exactly as one
// line after another would be: device lines dropped, the device line after
// each [386Enh] header. The kept lines between go out in one piece.
bool RewriteWholeLines(const char* bytes, int count, BlockWriter& target, const char* deviceLine,
                       int deviceLineLength) {
  const char* end = bytes + count;
  const char* kept = bytes;  // kept bytes not yet written start here
  for (const char* line = bytes; line < end;) {
    const char* lineFeed =
        static_cast<const char*>(std::memchr(line, '\n', static_cast<size_t>(end - line)));
    const char* next = lineFeed + 1;
    const int length = static_cast<int>(next - line);
    const bool header = *line == '[' && StartsWithEnhancedHeader(line, length);
    const bool dropped = EndsInDriverName(line, length);
    if (header || dropped) {
      const char* keptEnd = dropped ? line : next;
      if (!target.Write(kept, static_cast<int>(keptEnd - kept))) return false;
      if (header && !target.Write(deviceLine, deviceLineLength)) return false;
      kept = next;
    }
    line = next;
  }
  return target.Write(kept, static_cast<int>(end - kept));
}

// The rewrite's blocks of the backup read and of system.ini written.
char BackupBlock[kFileBlockSize];
char SystemIniBlock[kFileBlockSize];

// The end of the backup as the line reader met it is its true end.
bool AtTrueEnd(const BlockReader& source, LONG length) {
  return !source.Failed() && source.Position() == length;
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

BOOL RewriteSystemIni(HFILE sourceFile, LONG length, HFILE targetFile, const char* deviceLine,
                      char* buffer, int size) {
  if (size < kSmallestLineBuffer || length < 0) return FALSE;
  const int deviceLineLength = TextLength(deviceLine);
  BlockReader source(sourceFile, 0, BackupBlock);
  BlockWriter target(targetFile, SystemIniBlock);
  LONG consumed = 0;
  for (;;) {
    const LONG lineStart = consumed;
    // The whole lines in the block are rewritten where they lie; a line's
    // length does not change what becomes of it. The line across the
    // block's end and the final piece go through the line buffer.
    const char* lines = nullptr;
    int linesLength = source.TakeWholeLines(&lines);
    if (linesLength > 0) {
      if (!RewriteWholeLines(lines, linesLength, target, deviceLine, deviceLineLength)) {
        return FALSE;
      }
      consumed += linesLength;
      continue;
    }
    int got = source.ReadTextLine(buffer, size);
    if (got == 0) {
      // The final piece without a line break, possibly empty: only the end
      // of the backup, not a failed read, may end the rewrite.
      if (!AtTrueEnd(source, length)) return FALSE;
      LONG rest = length - consumed;
      if (rest > size - 1 || !target.Write(buffer, static_cast<int>(rest))) return FALSE;
      break;
    }
    if (got == 1) {
      int lineLength = LineLength(buffer, size);
      if (!CopyLine(buffer, lineLength, target, deviceLine, deviceLineLength)) return FALSE;
      consumed += lineLength;
      continue;
    }
    if (got != kLineTooLong) return FALSE;

    // A line longer than the buffer: read on to its end, keeping its last
    // bytes, then copy it from the backup unless it is a device line.
    const bool header = StartsWithEnhancedHeader(buffer, size - 1);
    LineTail tail;
    tail.Add(buffer, size - 1);
    LONG longLength = size - 1;
    for (;;) {
      got = source.ReadTextLine(buffer, size);
      if (got == kLineTooLong) {
        tail.Add(buffer, size - 1);
        longLength += size - 1;
      } else if (got == 1) {
        int piece = LineLength(buffer, size);
        tail.Add(buffer, piece);
        longLength += piece;
        break;
      } else if (got == 0) {
        // The long line is the file's final piece.
        if (!AtTrueEnd(source, length)) return FALSE;
        LONG piece = length - lineStart - longLength;
        if (piece < 0 || piece > size - 1) return FALSE;
        longLength += piece;
        break;
      } else {
        return FALSE;
      }
    }
    // The line reader puts back the byte it looked ahead at; the position
    // proves that no byte went missing on the way.
    if (source.Failed() || source.Position() != lineStart + longLength) return FALSE;
    const bool finalPiece = got == 0;
    const bool dropped = !finalPiece && tail.IsDriverName();
    if (!dropped && !CopyFromBackup(source, lineStart, longLength, target)) return FALSE;
    consumed = lineStart + longLength;
    if (finalPiece) break;
    if (header && !target.Write(deviceLine, deviceLineLength)) return FALSE;
  }
  if (!target.Flush()) return FALSE;
  return SetEndOfFile(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(targetFile))) ? TRUE : FALSE;
}
