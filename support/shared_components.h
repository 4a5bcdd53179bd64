// The shared-components directory and the location of shared files.
//
// Shared component files live in one directory recorded in section "MSAPPS"
// of "WIN.INI": key "MSAPPS" holds the shared directory, and one key per
// component holds that component's folder. These entry points make sure the
// keys exist and decide where a shared file is to go: an existing copy named
// by a registry value or a "WIN.INI" key (or, when that file is gone, its
// name in the Windows directory, the System directory or along "PATH"),
// else a default path; GetSharedFileNeedsUpdate then tells whether the file
// at the chosen path must be written.
//
// Every path these entry points build lives in a 256-byte buffer (255
// characters). A path or value that does not fit it, or a path found that
// does not fit the caller's buffer, ends the run as every text of the toolkit
// layer that does not fit: the "Buffer Overflow" box, then the fatal path.
#pragma once

#include "winapi.h"

// The component keys of section "MSAPPS", in the order they are set up.
constexpr const char* kSharedComponentKeys[] = {"CLIPART", "EQUATION", "GRPHFLT",  "MSDRAW",
                                                "MSGRAPH", "PROOF",    "TEXTCONV", "WORDART"};

// Set at load; cleared by the first EnsureSharedDirectory for good.
extern BOOL SharedDirPending;
// Set when the file at the path last located must be written.
extern BOOL SharedFileNeedsUpdate;

// 1 when the shared directory key and every component key are in place (or
// this ran before), 0 when writing a key failed or the shared directory
// value is not a valid directory.
int EnsureSharedDirectory();
// Sets componentKey to sharedDir (ending in a backslash) followed by the key
// unless it already names a valid directory. The toolkit's truth value.
int EnsureComponentKey(const char* componentKey, const char* sharedDir);
int GetSharedFileNeedsUpdate();
// 1 when versionA is newer, -1 when older, 0 when equal; fields 1 to 4.
int CompareVersionTexts(const char* versionA, const char* versionB);
// The file's path in the Windows directory, else the System directory, else
// along "PATH", into buffer (size bytes); empty when none has it.
char* FindInSystemPlaces(const char* fileName, char* buffer, int size);
// The candidate's usable path (its file name found in the system places
// when the candidate is gone) in buffer, or null when it is not usable.
char* CheckSharedCandidate(const char* candidatePath, const char* requiredVersion, char* buffer,
                           int size);
// The path where the shared file is or is to go, in buffer, or null.
char* LocateSharedFile(const char* registryKeyPath, const char* iniSection, const char* iniKey,
                       int fieldNumber, const char* defaultPath, const char* requiredVersion,
                       char* buffer, int size);
// The same with the default path and the required version taken from the
// INF entry (field 1: the file name, field 19: the version) and the
// component's "MSAPPS" folder.
char* LocateSharedFileFromInf(const char* infSection, const char* infKey, const char* componentKey,
                              const char* registryKeyPath, const char* iniSection,
                              const char* iniKey, int fieldNumber, char* buffer, int size);
