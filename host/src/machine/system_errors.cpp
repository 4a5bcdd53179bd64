// The Windows error a Win32 function reports for a failed system call.

#include <cerrno>

#include "machine/machine_internal.h"

namespace host {

DWORD WindowsErrorOf(int error, bool writing) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EIO:
      // "The system cannot read from (write to) the specified device."
      return writing ? ERROR_WRITE_FAULT : ERROR_READ_FAULT;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

}  // namespace host
