// Questions about the machine, answered by the toolkit's detection library
// (msdetstf.dll): drives, ports, processor, math chip, display, mouse,
// environment variables, files, directories, the system configuration and
// INI entries. This layer turns a drive letter into the toolkit's drive
// number, ends the run where a list was not filled or a text did not fit,
// splits a file's date text into numbers and maps the processor's name to a
// number.
#pragma once

#include "winapi.h"

// The processor's name as the toolkit reports it: 31 characters fit.
constexpr int kProcessorNameSize = 32;
// What GetProcessorTypeNumber answers for a name the processor table lacks:
// below every number of the table, so that no comparison with a known
// processor's number takes it for one.
constexpr int kUnknownProcessor = -1;

// Drive tests. The first character of drive is a drive letter; the toolkit
// numbers A as 1 ... Z as 26, and any other character is passed on as its
// upper-cased byte (signed) minus 64. The tests differ in what they leave in
// the caller's text, which must therefore be writable for the first four.
BOOL IsValidDrive(char* drive);                 // first character upper-cased in place
BOOL IsLocalHardDrive(char* drive);             // whole text upper-cased in place
BOOL IsRemovableDrive(char* drive);             // first character upper-cased in place
BOOL IsRemoteDrive(const char* drive);          // unchanged
LONGLONG GetDriveTotalBytes(char* drive);       // first character upper-cased in place
LONGLONG GetDriveFreeBytes(const char* drive);  // unchanged

// Fill the toolkit list symbol with drives ("C:") or ports ("LPT1"); a
// failure ends the run.
void GetValidDrivesListChecked(const char* listSymbol);
void GetLocalHardDrivesListChecked(const char* listSymbol);
void GetRemovableDrivesListChecked(const char* listSymbol);
void GetNetworkDrivesListChecked(const char* listSymbol);
void GetParallelPortsListChecked(const char* listSymbol);
void GetSerialPortsListChecked(const char* listSymbol);

// Texts into the caller's buffer of size bytes; each returns buffer. A text
// that does not fit (the toolkit's length is size or more) ends the run
// without a message. Those marked "emptied" make buffer an empty text before
// asking, so that it holds no stale text when the toolkit writes nothing.
char* GetEnvVariableValueChecked(const char* variable, char* buffer, int size);  // emptied
// "YYYY-MM-DD HH:MM:SS", read apart by GetDateYear ... GetDateSecond.
char* GetDateOfFileChecked(const char* path, char* buffer, int size);
char* GetVersionOfFileChecked(const char* path, char* buffer, int size);  // emptied
// The first directory along variable's ';'-separated list that holds target.
char* FindTargetOnEnvVarChecked(const char* target, const char* variable, char* buffer,
                                int size);  // emptied
char* FindFileInTreeChecked(const char* fileName, const char* directory, char* buffer, int size);
char* GetIniKeyStringChecked(const char* file, const char* section, const char* key, char* buffer,
                             int size);  // emptied

// The toolkit's answers, passed on unchanged.
LONG GetVersionNthField(const char* version, int fieldNumber);
LONG GetSizeOfFile(const char* path);
BOOL IsDriverInConfig(const char* driver);
BOOL Has87MathChip();
// The same question under a second name, kept for callers that use it.
BOOL Has87MathChipAlias();
BOOL HasMonochromeDisplay();
BOOL HasMouseInstalled();
BOOL DirExists(const char* directory);
BOOL DoesIniSectionExist(const char* file, const char* section);
BOOL DoesIniKeyExist(const char* file, const char* section, const char* key);

// Whether a file exists; a text that is not a valid path is answered 0
// without asking for the file.
BOOL DoesFileExist(const char* path, int mode);

// The fields of a date text from GetDateOfFileChecked as numbers; a text
// that ends before a field's place gives 0 for that field.
int GetDateYear(const char* date);
int GetDateMonth(const char* date);
int GetDateDay(const char* date);
int GetDateHour(const char* date);
int GetDateMinute(const char* date);
int GetDateSecond(const char* date);

// The processor as a number: 8086 0, 80186 1 ... 80486 4, PENTIUM 5, and
// the RISC processors by their model numbers (R4000 4000, PPC604 604 ...).
// 0 when the toolkit cannot tell; kUnknownProcessor for a name not known.
int GetProcessorTypeNumber();
