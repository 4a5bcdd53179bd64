// Copying, backing up and putting back whole files by handle. Every read,
// write, seek and close is checked, so that a short copy is never taken for a
// whole one.
#pragma once

#include "winapi.h"

// Joins directory and name into path (size bytes) with one backslash between
// them (none added when directory already ends in one, as a drive root does).
// False, with path empty, when the result does not fit.
BOOL JoinPath(char* path, int size, const char* directory, const char* name);

// The length of an open file, its position left at the start; -1 when a seek
// fails.
LONG FileLength(HFILE file);

// Copies the open source into target (created or truncated) through the LZ
// expansion copy, so a compressed source is expanded. The source stays open.
enum ExpandResult {
  kExpandDone,
  kExpandNoTarget,  // target could not be created
  kExpandFailed,    // the copy failed or came out short (a read or write error, a full disk)
};
ExpandResult ExpandOpenedFile(HFILE source, const char* target);

// Copies original to backup byte for byte and checks that backup then holds
// exactly original's bytes.
enum BackupResult {
  kBackupDone,
  kBackupNoOriginal,  // original could not be opened
  kBackupFailed,      // the copy or its check failed
};
BackupResult BackupFile(const char* original, const char* backup);

// Puts original back to the bytes of backup (overwriting it in place and
// cutting it to length) and checks the result. True when original now equals
// backup.
BOOL RestoreFile(const char* backup, const char* original);

// True when both files can be read whole and hold the same bytes.
BOOL FilesMatch(const char* first, const char* second);
