// A font the module loads: natively a transcript line, once the font file
// is found.

#include <sys/stat.h>

#include <string>

#include "host/machine.h"
#include "machine/syscall_gate.h"
#include "shown_lines.h"
#include "transcript.h"
#include "winapi.h"

extern "C" {

int WINAPI AddFontResourceA(LPCSTR fileName) {
  if (fileName == nullptr || *fileName == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  TranscriptLine(FontLoadLine(fileName));
  // A font file must be there (a name without a folder is looked for in
  // the current directory); what it holds is not read.
  struct stat info;
  std::string native = host::NativePath(fileName);
  if (native.empty() || host::sys::Stat(native.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  return 1;  // the number of fonts the file added
}

}  // extern "C"
