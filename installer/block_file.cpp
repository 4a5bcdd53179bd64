#include "installer/block_file.h"

#include <cstring>

#include "installer/control_file.h"

BlockReader::BlockReader(HFILE file, LONG position, char* block)
    : file_(file), blockStart_(position), block_(block) {}

bool BlockReader::Fill() {
  if (next_ < end_) return true;
  if (failed_) return false;
  UINT got = _lread(file_, block_, static_cast<UINT>(kFileBlockSize));
  if (got == static_cast<UINT>(HFILE_ERROR)) {
    failed_ = true;
    return false;
  }
  if (got == 0) return false;
  blockStart_ += end_;
  next_ = 0;
  end_ = static_cast<int>(got);
  return true;
}

int BlockReader::ReadTextLine(char* buffer, int size) {
  if (size < 1) return kLineTooLong;
  int stored = 0;
  for (;;) {
    if (stored == size - 1) {
      // The buffer is full: the piece is the final one only when no byte
      // follows it; the byte looked at stays for the next call.
      buffer[stored] = 0;
      return Fill() ? kLineTooLong : 0;
    }
    if (!Fill()) {
      buffer[stored] = 0;
      return 0;
    }
    // The bytes up to and including a line feed, as far as both the buffer's
    // room and the block reach.
    int room = size - 1 - stored;
    int available = end_ - next_;
    int span = room < available ? room : available;
    const char* from = block_ + next_;
    const char* lineFeed = static_cast<const char*>(std::memchr(from, '\n', span));
    int piece = lineFeed != nullptr ? static_cast<int>(lineFeed - from) + 1 : span;
    std::memcpy(buffer + stored, from, piece);
    stored += piece;
    next_ += piece;
    if (lineFeed != nullptr) {
      buffer[stored] = 0;
      return 1;
    }
  }
}

int BlockReader::TakeWholeLines(const char** lines) {
  if (!Fill()) return 0;
  int last = end_ - 1;
  while (last >= next_ && block_[last] != '\n') --last;
  if (last < next_) return 0;
  int length = last + 1 - next_;
  *lines = block_ + next_;
  next_ += length;
  return length;
}

int BlockReader::Take(const char** bytes, int count) {
  if (count <= 0 || !Fill()) return 0;
  int available = end_ - next_;
  int taken = count < available ? count : available;
  *bytes = block_ + next_;
  next_ += taken;
  return taken;
}

bool BlockReader::SeekTo(LONG offset) {
  if (_llseek(file_, offset, FILE_BEGIN) != offset) {
    failed_ = true;
    return false;
  }
  blockStart_ = offset;
  next_ = 0;
  end_ = 0;
  return true;
}

bool BlockWriter::Write(const char* bytes, int count) {
  if (failed_) return false;
  if (count >= kDirectWriteSize) {
    // A large piece goes out as it is, after what was gathered before it.
    if (!Flush()) return false;
    if (_lwrite(file_, bytes, static_cast<UINT>(count)) != static_cast<UINT>(count)) {
      failed_ = true;
    }
    return !failed_;
  }
  while (count > 0) {
    if (used_ == kFileBlockSize && !Flush()) return false;
    int room = kFileBlockSize - used_;
    int piece = count < room ? count : room;
    std::memcpy(block_ + used_, bytes, piece);
    used_ += piece;
    bytes += piece;
    count -= piece;
  }
  return !failed_;
}

bool BlockWriter::Flush() {
  if (failed_) return false;
  if (used_ > 0 && _lwrite(file_, block_, static_cast<UINT>(used_)) != static_cast<UINT>(used_)) {
    failed_ = true;
    return false;
  }
  used_ = 0;
  return true;
}
