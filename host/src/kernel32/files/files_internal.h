// Internal to KERNEL32's file functions: what files, folders, searches and
// attributes share.
#pragma once

#include <ctime>
#include <string>

#include "winapi.h"

struct stat;

namespace host {

// Closes every file open by handle (a part of ResetHost).
void ResetFiles();
// Ends every FindFirstFileA search.
void ResetSearches();

// FILE_ATTRIBUTE_HIDDEN of a file in the machine (dos_attributes.cpp). Both
// give false with errno set when the file system fails; one without extended
// attributes is no failure (a file made hidden there reads as a plain one).
bool SetHiddenAttribute(const std::string& nativePath);
bool ReadHiddenAttribute(const std::string& nativePath, bool* hidden);

// The error Windows gives for a full path that cannot be found:
// ERROR_FILE_NOT_FOUND when its folder exists, ERROR_PATH_NOT_FOUND when not.
DWORD MissingPathError(const std::string& fullPath);

// A file time (100 ns since 1601) for a time of the file system.
FILETIME FileTimeOf(const struct timespec& time);

// True when the handle names a file opened by _lopen or _lcreat.
bool IsOpenFile(HFILE file);

}  // namespace host
