// msinsstf.dll's file work, shared by its single-file functions, its INI
// entries and its copy list. Paths are Windows paths; everything goes
// through the system's file functions (_lopen, _lcreat, LZCopy ...).
#pragma once

#include <string>

// A file name without a directory (no backslash, no drive) names a file of
// the Windows directory, as the system's profile functions take it; any
// other path is used as given.
std::string InWindowsDirectory(const std::string& name);
// dir and name joined by one backslash (none added after a trailing one).
std::string JoinPath(const std::string& dir, const std::string& name);
// The last component of a path.
std::string FileNameOf(const std::string& path);
// The directory part of a path without its trailing backslash ("" when none).
std::string DirectoryOf(const std::string& path);

bool IsExistingFile(const std::string& path);
bool IsExistingDirectory(const std::string& path);
// The file's size in bytes; -1 when it cannot be opened.
long long FileSize(const std::string& path);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string* content);
// Makes the file hold exactly content (created when missing); false when it
// cannot be written.
bool WriteWholeFile(const std::string& path, const std::string& content);
// Appends text at the file's end (created when missing).
bool AppendToFile(const std::string& path, const std::string& text);

// Copies source's bytes as they are (never expanded) to destination.
bool CopyFilePlain(const std::string& source, const std::string& destination);

enum class CopyOutcome {
  kDone,
  kNoSource,       // the source cannot be opened
  kNoDestination,  // the destination cannot be opened or created (in use, read-only ...)
  kFailed,         // reading, expanding or writing failed
};

// Copies source to destination, expanding a compressed (SZDD) source, from
// the destination's start or, with append, after what it holds. A copy
// that fails leaves no new destination behind (an appended-to one keeps
// what it had before).
CopyOutcome CopyFileExpanding(const std::string& source, const std::string& destination,
                              bool append);
// What failed, for the transcript.
const char* CopyOutcomeText(CopyOutcome outcome);
