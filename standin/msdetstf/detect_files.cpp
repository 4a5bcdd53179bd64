// msdetstf.dll: files and directories: existence, size, date and version,
// as the system reports them (GetFileAttributesExA, the file time
// conversions, the version resource through version.dll).
#include <cstdio>
#include <string>
#include <vector>

#include "core/calls.h"
#include "core/copy_out.h"
#include "msdetstf/detect_support.h"
#include "toolkit/toolkit_api.h"

namespace {

// The toolkit's modes of FDoesFileExist: the file exists; it may be read;
// it may be written; both.
constexpr int kModeWrite = 2;

bool FileAttributes(LPCSTR path, WIN32_FILE_ATTRIBUTE_DATA* data) {
  return path != nullptr && *path != '\0' &&
         GetFileAttributesExA(path, GetFileExInfoStandard, data) != FALSE;
}

bool IsFile(const WIN32_FILE_ATTRIBUTE_DATA& data) {
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// "YYYY-MM-DD HH:MM:SS" of the file's last write, in local time as the
// system shows file times; empty when there is no such file.
std::string DateText(LPCSTR path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  FILETIME local;
  SYSTEMTIME time;
  if (!FileAttributes(path, &data) || !IsFile(data) ||
      !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
      !FileTimeToSystemTime(&local, &time)) {
    return std::string();
  }
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth,
                time.wDay, time.wHour, time.wMinute, time.wSecond);
  return text;
}

// "a.b.c.d" from the file version of the file's version resource; empty
// for a file without one.
std::string VersionText(LPCSTR path) {
  if (path == nullptr || *path == '\0') return std::string();
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) return std::string();
  // DWORDs, so that the fixed part inside is aligned for reading.
  std::vector<DWORD> block((size + sizeof(DWORD) - 1) / sizeof(DWORD));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoA(path, handle, size, block.data()) ||
      !VerQueryValueA(block.data(), "\\", reinterpret_cast<LPVOID*>(&fixed), &length) ||
      fixed == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
    return std::string();
  }
  char text[64];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                LOWORD(fixed->dwFileVersionLS));
  return text;
}

// Field fieldNumber (from 1) of a dotted version text: its leading digits
// as a number, at most LONG's largest; 0 when there is no such field.
LONG VersionField(LPCSTR version, int fieldNumber) {
  if (version == nullptr || fieldNumber < 1) return 0;
  const char* field = version;
  for (int n = 1; n < fieldNumber; ++n) {
    while (*field != '\0' && *field != '.') ++field;
    if (*field == '\0') return 0;
    ++field;
  }
  long long value = 0;
  for (; *field >= '0' && *field <= '9'; ++field) {
    value = value * 10 + (*field - '0');
    if (value > 0x7fffffff) return 0x7fffffff;
  }
  return static_cast<LONG>(value);
}

}  // namespace

extern "C" BOOL WINAPI FDoesFileExist(LPCSTR path, int mode) {
  if (ToolkitCallFails("FDoesFileExist", {CallArg(path), CallArg(mode)})) return FALSE;
  WIN32_FILE_ATTRIBUTE_DATA data;
  bool exists = FileAttributes(path, &data) && IsFile(data);
  // Writing needs a file that is not read-only.
  if (exists && (mode & kModeWrite) && (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY))
    exists = false;
  return static_cast<BOOL>(ToolkitResult("FDoesFileExist", exists));
}

extern "C" BOOL WINAPI FDirExists(LPCSTR directory) {
  if (ToolkitCallFails("FDirExists", {CallArg(directory)})) return FALSE;
  WIN32_FILE_ATTRIBUTE_DATA data;
  return static_cast<BOOL>(
      ToolkitResult("FDirExists", FileAttributes(directory, &data) && !IsFile(data)));
}

// The file's size in bytes (the low 32 bits of a larger one); -1 when there
// is no such file.
extern "C" LONG WINAPI LcbGetSizeOfFile(LPCSTR path) {
  if (ToolkitCallFails("LcbGetSizeOfFile", {CallArg(path)})) return -1;
  WIN32_FILE_ATTRIBUTE_DATA data;
  LONG size =
      FileAttributes(path, &data) && IsFile(data) ? static_cast<LONG>(data.nFileSizeLow) : -1;
  return static_cast<LONG>(ToolkitResult("LcbGetSizeOfFile", size));
}

extern "C" int WINAPI CbGetDateOfFile(LPCSTR path, LPSTR buffer, int size) {
  if (ToolkitCallFails("CbGetDateOfFile", {CallArg(path), CallArg(size)})) return 0;
  return static_cast<int>(ToolkitResult("CbGetDateOfFile", CopyOut(DateText(path), buffer, size)));
}

extern "C" int WINAPI CbGetVersionOfFile(LPCSTR path, LPSTR buffer, int size) {
  if (ToolkitCallFails("CbGetVersionOfFile", {CallArg(path), CallArg(size)})) return 0;
  return static_cast<int>(
      ToolkitResult("CbGetVersionOfFile", CopyOut(VersionText(path), buffer, size)));
}

extern "C" LONG WINAPI LGetVersionNthField(LPCSTR version, int fieldNumber) {
  if (ToolkitCallFails("LGetVersionNthField", {CallArg(version), CallArg(fieldNumber)})) return 0;
  return static_cast<LONG>(
      ToolkitResult("LGetVersionNthField", VersionField(version, fieldNumber)));
}
