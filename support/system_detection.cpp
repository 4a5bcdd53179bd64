#include "support/system_detection.h"

#include <cstdint>
#include <cstring>

#include "toolkit/path_helpers.h"
#include "toolkit/session.h"
#include "toolkit/toolkit_api.h"

namespace {

// The toolkit numbers drive A as 1: the capital letter's code minus this.
constexpr int kDriveNumberBase = 64;

// A date field: its place in "YYYY-MM-DD HH:MM:SS" and its width.
struct DateField {
  int offset;
  int length;
};
constexpr DateField kYear{0, 4};
constexpr DateField kMonth{5, 2};
constexpr DateField kDay{8, 2};
constexpr DateField kHour{11, 2};
constexpr DateField kMinute{14, 2};
constexpr DateField kSecond{17, 2};
// The widest field and its terminator.
constexpr int kDateFieldSize = 5;

struct ProcessorRow {
  const char* name;  // upper case, as compared
  int number;
};

// Tried in this order; the first name equal (letter case aside) wins.
constexpr ProcessorRow kProcessors[] = {
    {"C400", 400},       {"PPC620", 620},     {"PPC604", 604},     {"PPC603", 603}, {"PPC601", 601},
    {"AXP21164", 21164}, {"AXP21066", 21066}, {"AXP21064", 21064}, {"R4000", 4000}, {"R3000", 3000},
    {"R2000", 2000},     {"PENTIUM", 5},      {"80486", 4},        {"80386", 3},    {"80286", 2},
    {"80186", 1},        {"8086", 0},
};

// The character upper-cased in the system code page, as a one-character
// text, so that the conversion is the system's and not the C library's.
char UpperCharacter(char c) {
  char text[2] = {c, '\0'};
  CharUpperA(text);
  return text[0];
}

// The toolkit's number for an upper-cased drive letter: its byte taken as
// a signed 8-bit value, minus 64 ('1' gives -15, 0xE0 gives -96).
int DriveNumberOf(char upper) {
  return static_cast<int8_t>(static_cast<uint8_t>(upper)) - kDriveNumberBase;
}

// Upper-cases the first character in place and numbers it.
int NumberFirstInPlace(char* drive) {
  drive[0] = UpperCharacter(drive[0]);
  return DriveNumberOf(drive[0]);
}

// Numbers the first character through a copy; the text stays as it is.
int NumberFirstCopy(const char* drive) { return DriveNumberOf(UpperCharacter(drive[0])); }

void FailUnless(BOOL filled) {
  if (!filled) SetupErrorExit(SetupErrorFail);
}

// A text reader's buffer made an empty text, where there is one to write.
void EmptyBuffer(char* buffer, int size) {
  if (buffer != nullptr && size > 0) buffer[0] = '\0';
}

// The toolkit's length of the whole text: size or more means it did not
// fit, and the run ends without a message of its own.
char* FitOrFail(int length, char* buffer, int size) {
  if (length >= size) SetupErrorExit(SetupErrorFail);
  return buffer;
}

bool IsConversionBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A decimal number as the run-time conversion reads it: leading blanks,
// an optional sign, then digits up to the first other character; no digits
// give 0. The texts are a few characters long, so nothing can overflow.
int DecimalOf(const char* text) {
  while (IsConversionBlank(*text)) ++text;
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  int value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + (*text - '0');
  return negative ? -value : value;
}

// A field of a date text: only its own characters take part. A text that
// ends before the field's place has no such field (0), and nothing past its
// terminator is read.
int DateFieldOf(const char* date, DateField field) {
  if (date == nullptr) return 0;
  for (int i = 0; i < field.offset; ++i) {
    if (date[i] == '\0') return 0;
  }
  char digits[kDateFieldSize] = {};
  CopyTextBounded(digits, date + field.offset, field.length);
  return DecimalOf(digits);
}

}  // namespace

BOOL IsValidDrive(char* drive) { return FIsValidDrive(NumberFirstInPlace(drive)); }

BOOL IsLocalHardDrive(char* drive) {
  CharUpperA(drive);
  return FIsLocalHardDrive(DriveNumberOf(drive[0]));
}

BOOL IsRemovableDrive(char* drive) { return FIsRemoveDrive(NumberFirstInPlace(drive)); }

BOOL IsRemoteDrive(const char* drive) { return FIsRemoteDrive(NumberFirstCopy(drive)); }

LONGLONG GetDriveTotalBytes(char* drive) { return LcbTotalDrive(NumberFirstInPlace(drive)); }

LONGLONG GetDriveFreeBytes(const char* drive) { return LcbFreeDrive(NumberFirstCopy(drive)); }

void GetValidDrivesListChecked(const char* listSymbol) {
  FailUnless(FGetValidDrivesList(listSymbol));
}

void GetLocalHardDrivesListChecked(const char* listSymbol) {
  FailUnless(FGetLocalHardDrivesList(listSymbol));
}

void GetRemovableDrivesListChecked(const char* listSymbol) {
  FailUnless(FGetRemovableDrivesList(listSymbol));
}

void GetNetworkDrivesListChecked(const char* listSymbol) {
  FailUnless(FGetNetworkDrivesList(listSymbol));
}

void GetParallelPortsListChecked(const char* listSymbol) {
  FailUnless(FGetParallelPortsList(listSymbol));
}

void GetSerialPortsListChecked(const char* listSymbol) {
  FailUnless(FGetSerialPortsList(listSymbol));
}

char* GetEnvVariableValueChecked(const char* variable, char* buffer, int size) {
  EmptyBuffer(buffer, size);
  return FitOrFail(CbGetEnvVariableValue(variable, buffer, size), buffer, size);
}

char* GetDateOfFileChecked(const char* path, char* buffer, int size) {
  return FitOrFail(CbGetDateOfFile(path, buffer, size), buffer, size);
}

char* GetVersionOfFileChecked(const char* path, char* buffer, int size) {
  EmptyBuffer(buffer, size);
  return FitOrFail(CbGetVersionOfFile(path, buffer, size), buffer, size);
}

char* FindTargetOnEnvVarChecked(const char* target, const char* variable, char* buffer, int size) {
  EmptyBuffer(buffer, size);
  return FitOrFail(CbFindTargetOnEnvVar(target, variable, buffer, size), buffer, size);
}

char* FindFileInTreeChecked(const char* fileName, const char* directory, char* buffer, int size) {
  return FitOrFail(CbFindFileInTree(fileName, directory, buffer, size), buffer, size);
}

char* GetIniKeyStringChecked(const char* file, const char* section, const char* key, char* buffer,
                             int size) {
  EmptyBuffer(buffer, size);
  return FitOrFail(CbGetIniKeyString(file, section, key, buffer, size), buffer, size);
}

LONG GetVersionNthField(const char* version, int fieldNumber) {
  return LGetVersionNthField(version, fieldNumber);
}

LONG GetSizeOfFile(const char* path) { return LcbGetSizeOfFile(path); }

BOOL IsDriverInConfig(const char* driver) { return FIsDriverInConfig(driver); }

BOOL Has87MathChip() { return FHas87MathChip(); }

BOOL Has87MathChipAlias() { return FHas87MathChip(); }

BOOL HasMonochromeDisplay() { return FHasMonochromeDisplay(); }

BOOL HasMouseInstalled() { return FHasMouseInstalled(); }

BOOL DirExists(const char* directory) { return FDirExists(directory); }

BOOL DoesIniSectionExist(const char* file, const char* section) {
  return FDoesIniSectionExist(file, section);
}

BOOL DoesIniKeyExist(const char* file, const char* section, const char* key) {
  return FDoesIniKeyExist(file, section, key);
}

BOOL DoesFileExist(const char* path, int mode) {
  if (!FValidPath(path)) return FALSE;
  return FDoesFileExist(path, mode);
}

int GetDateYear(const char* date) { return DateFieldOf(date, kYear); }
int GetDateMonth(const char* date) { return DateFieldOf(date, kMonth); }
int GetDateDay(const char* date) { return DateFieldOf(date, kDay); }
int GetDateHour(const char* date) { return DateFieldOf(date, kHour); }
int GetDateMinute(const char* date) { return DateFieldOf(date, kMinute); }
int GetDateSecond(const char* date) { return DateFieldOf(date, kSecond); }

int GetProcessorTypeNumber() {
  char name[kProcessorNameSize] = {};
  if (!FGetProcessorType("", 0, name, kProcessorNameSize)) return 0;
  name[kProcessorNameSize - 1] = '\0';  // whatever the toolkit left there
  CharUpperA(name);
  for (const ProcessorRow& row : kProcessors) {
    if (std::strcmp(name, row.name) == 0) return row.number;
  }
  return kUnknownProcessor;
}
