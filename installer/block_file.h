// Reading and writing a file by handle a block at a time, for the system.ini
// rewrite: one _lread or _lwrite per block instead of one per byte or line,
// with the lines cut out of the block in memory.
#pragma once

#include <cstring>

#include "winapi.h"

// Bytes read or gathered per system call.
constexpr int kFileBlockSize = 32768;

// Reads a file forward through a block.
class BlockReader {
 public:
  // file stands at position (its start, for a file just opened).
  BlockReader(HFILE file, LONG position);

  // The next line, exactly as ReadTextLine reads it from the file itself:
  //  1: a line ending in a line feed (kept, with any carriage return before it);
  //  0: the end of the file, or a failed read; buffer holds the final piece;
  //  kLineTooLong: buffer holds the line's first size - 1 bytes, the rest
  //     is left for the next call.
  int ReadTextLine(char* buffer, int size);

  // The next line when the block holds it whole and it would fit a buffer of
  // size bytes: its length, with *line pointing at it inside the block (valid
  // until the next call). 0 otherwise, having taken nothing: ReadTextLine
  // then reads it. Either way the line is the one ReadTextLine would read.
  // Inline: the rewrite calls it once for nearly every line.
  int TakeLine(const char** line, int size) {
    if (size < 2 || (next_ == end_ && !Fill())) return 0;
    int available = end_ - next_;
    int span = size - 1 < available ? size - 1 : available;
    const char* from = block_ + next_;
    const char* lineFeed = static_cast<const char*>(std::memchr(from, '\n', span));
    if (lineFeed == nullptr) return 0;
    int length = static_cast<int>(lineFeed - from) + 1;
    *line = from;
    next_ += length;
    return length;
  }

  // Up to count bytes from the current position: *bytes points at them
  // inside the block, valid until the next call. 0 at the end of the file or
  // after a failed read.
  int Take(const char** bytes, int count);

  // Moves to offset from the file's start. False when the seek failed.
  bool SeekTo(LONG offset);

  // Where the next byte handed out lies in the file.
  LONG Position() const { return blockStart_ + next_; }
  // True when the block is used up: the next line or bytes taken refill it,
  // and what was taken from it before goes stale.
  bool UsedUp() const { return next_ == end_; }
  // True once a read or seek has failed: what looked like the end was not.
  bool Failed() const { return failed_; }

 private:
  // Makes the block hold at least one unread byte; false at the end or on a
  // failed read.
  bool Fill();

  HFILE file_;
  LONG blockStart_;  // the file position of block_[0]
  int next_ = 0;     // the first byte not yet handed out
  int end_ = 0;      // the bytes the block holds
  bool failed_ = false;
  char block_[kFileBlockSize];
};

// Gathers bytes and writes them a block at a time, each block at a multiple
// of the block size from where the writing started.
class BlockWriter {
 public:
  explicit BlockWriter(HFILE file) : file_(file) {}

  // False once any write has failed; nothing more is written then.
  bool Write(const char* bytes, int count);
  // Writes what is gathered. False when a write failed, now or before.
  bool Flush();

 private:
  HFILE file_;
  int used_ = 0;
  bool failed_ = false;
  char block_[kFileBlockSize];
};
