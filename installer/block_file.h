// Reading and writing a file by handle a block at a time, for the system.ini
// rewrite: one _lread or _lwrite per block instead of one per byte or line,
// with the lines cut out of the block in memory.
#pragma once

#include "winapi.h"

// Bytes read or gathered per system call: as much as a plain copy moves at
// once. The blocks are the caller's (module-wide for the rewrite, too large
// for a stack).
constexpr int kFileBlockSize = 65536;
// Pieces written without gathering them first.
constexpr int kDirectWriteSize = kFileBlockSize / 2;

// Reads a file forward through a block.
class BlockReader {
 public:
  // file stands at position (its start, for a file just opened); block has
  // kFileBlockSize bytes.
  BlockReader(HFILE file, LONG position, char* block);

  // The next line, exactly as ReadTextLine reads it from the file itself:
  //  1: a line ending in a line feed (kept, with any carriage return before it);
  //  0: the end of the file, or a failed read; buffer holds the final piece;
  //  kLineTooLong: buffer holds the line's first size - 1 bytes, the rest
  //     is left for the next call.
  int ReadTextLine(char* buffer, int size);

  // The whole lines the block holds from the current position on, up to
  // and including its last line feed: their length, with *lines pointing at
  // them inside the block (valid until the next call). 0 when the block
  // holds no line feed after the position, having taken nothing.
  int TakeWholeLines(const char** lines);

  // Up to count bytes from the current position: *bytes points at them
  // inside the block, valid until the next call. 0 at the end of the file or
  // after a failed read.
  int Take(const char** bytes, int count);

  // Moves to offset from the file's start. False when the seek failed.
  bool SeekTo(LONG offset);

  // Where the next byte handed out lies in the file.
  LONG Position() const { return blockStart_ + next_; }
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
  char* block_;
};

// Gathers small pieces and writes them a block at a time; a piece of half a
// block or more goes out as it is, without being copied.
class BlockWriter {
 public:
  // block has kFileBlockSize bytes.
  BlockWriter(HFILE file, char* block) : file_(file), block_(block) {}

  // False once any write has failed; nothing more is written then.
  bool Write(const char* bytes, int count);
  // Writes what is gathered. False when a write failed, now or before.
  bool Flush();

 private:
  HFILE file_;
  int used_ = 0;
  bool failed_ = false;
  char* block_;
};
