// GetEnvironmentVariableA over machine.ini [environment].

#include <cstring>
#include <string>

#include "host/machine.h"
#include "winapi.h"

extern "C" DWORD WINAPI GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
  std::string value;
  if (name == nullptr || *name == '\0' || !host::MachineLookup("environment", name, &value)) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  if (buffer == nullptr || size <= value.size()) return static_cast<DWORD>(value.size() + 1);
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return static_cast<DWORD>(value.size());
}
