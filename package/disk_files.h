// The files on the disk, as the package check sees them: names compared
// case-insensitively, 8.3 names, and SZDD-compressed files with the length
// their header gives.
#pragma once

#include <map>
#include <string>

#include "package_report.h"

struct DiskFile {
  std::string name;  // as on the disk
  bool compressed = false;
  long header_length = -1;  // the expanded length an SZDD header gives
};

// The disk folder's plain files, by upper-case name.
std::map<std::string, DiskFile> ListDiskFiles(const std::string& folder);

// True for a name DOS and Windows 95's short names take as they are: one to
// eight characters, optionally a dot and one to three more, of the
// characters a short name may hold.
bool IsShortName(const std::string& name);

// Expands the disk file (Windows path source) into target by LZCopy and
// reports a file that does not expand, or not to its header's length.
// True when it expanded as its header says.
bool CheckExpansion(const DiskFile& file, const std::string& source, const std::string& target,
                    PackageReport* report);
