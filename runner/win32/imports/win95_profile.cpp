#include "win95_profile.h"

#include "profile_text.h"

BOOL WINAPI Win95WriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value) {
  if (section == nullptr) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  char path[MAX_PATH];
  UINT length = GetWindowsDirectoryA(path, sizeof path);
  if (length == 0 || length + sizeof "\\win.ini" > sizeof path) return FALSE;
  lstrcatA(path, "\\win.ini");
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  std::string content;
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      CloseHandle(file);
      return FALSE;
    }
    if (got == 0) break;
    content.append(buffer, got);
  }
  std::string edited = EditProfileText(content, section, key, value);
  BOOL ok = TRUE;
  if (edited != content) {
    DWORD written = 0;
    ok = SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
         WriteFile(file, edited.data(), static_cast<DWORD>(edited.size()), &written, nullptr) &&
         written == edited.size() && SetEndOfFile(file);
  }
  CloseHandle(file);
  return ok;
}
