// GetFileAttributesExA and the file time conversions.

#include <sys/stat.h>

#include <cstring>

#include "host/machine.h"
#include "kernel32/files/files_internal.h"
#include "machine/syscall_gate.h"
#include "winapi.h"

namespace host {
namespace {

constexpr int64_t kTicksPerSecond = 10000000;
// Seconds from 1601-01-01 (the file time's start) to 1970-01-01.
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr int64_t kSecondsPerDay = 86400;

// The date of a day counted from 1970-01-01 (proleptic Gregorian calendar).
void CivilFromDays(int64_t days, int64_t* year, unsigned* month, unsigned* day) {
  days += 719468;  // from 0000-03-01
  int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
  unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  unsigned monthIndex = (5 * dayOfYear + 2) / 153;  // from March
  *day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  *month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  *year = static_cast<int64_t>(yearOfEra) + era * 400 + (*month <= 2 ? 1 : 0);
}

}  // namespace

FILETIME FileTimeOf(const struct timespec& time) {
  int64_t seconds = static_cast<int64_t>(time.tv_sec) + kSecondsFrom1601To1970;
  uint64_t ticks = seconds < 0 ? 0
                               : static_cast<uint64_t>(seconds) * kTicksPerSecond +
                                     static_cast<uint64_t>(time.tv_nsec / 100);
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace host

extern "C" {

BOOL WINAPI GetFileAttributesExA(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID information) {
  if (level != GetFileExInfoStandard || information == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return FALSE;
  struct stat info;
  if (host::sys::Stat(host::NativePath(path).c_str(), &info) != 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  data.dwFileAttributes = attributes;
  data.ftLastWriteTime = host::FileTimeOf(info.st_mtim);
  data.ftCreationTime = data.ftLastWriteTime;
  data.ftLastAccessTime = data.ftLastWriteTime;
  if (!S_ISDIR(info.st_mode)) {
    uint64_t size = static_cast<uint64_t>(info.st_size);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size);
  }
  std::memcpy(information, &data, sizeof data);
  return TRUE;
}

BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime) {
  if (fileTime == nullptr || localFileTime == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *localFileTime = *fileTime;
  return TRUE;
}

BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime) {
  if (fileTime == nullptr || systemTime == nullptr || (fileTime->dwHighDateTime & 0x80000000u)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  uint64_t ticks =
      (static_cast<uint64_t>(fileTime->dwHighDateTime) << 32) | fileTime->dwLowDateTime;
  int64_t seconds = static_cast<int64_t>(ticks / host::kTicksPerSecond);
  int64_t days1601 = seconds / host::kSecondsPerDay;
  int64_t secondOfDay = seconds % host::kSecondsPerDay;
  int64_t year = 0;
  unsigned month = 0, day = 0;
  host::CivilFromDays(days1601 - host::kSecondsFrom1601To1970 / host::kSecondsPerDay, &year, &month,
                      &day);
  systemTime->wYear = static_cast<WORD>(year);
  systemTime->wMonth = static_cast<WORD>(month);
  systemTime->wDay = static_cast<WORD>(day);
  systemTime->wDayOfWeek = static_cast<WORD>((days1601 + 1) % 7);  // 1601-01-01 was a Monday
  systemTime->wHour = static_cast<WORD>(secondOfDay / 3600);
  systemTime->wMinute = static_cast<WORD>(secondOfDay / 60 % 60);
  systemTime->wSecond = static_cast<WORD>(secondOfDay % 60);
  systemTime->wMilliseconds = static_cast<WORD>(ticks / 10000 % 1000);
  return TRUE;
}

}  // extern "C"
