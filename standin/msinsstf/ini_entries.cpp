// msinsstf.dll: entries of the machine's INI files. A file name without a
// directory is a file of the Windows directory. The file is edited as the
// system edits win.ini (the shared profile editor): sections and keys found
// case-insensitively, every other line kept byte for byte. Each change
// writes `ini write "FILE" "SECTION" "KEY" "VALUE"`, `ini remove "FILE"
// "SECTION" "KEY"` or `ini remove "FILE" "SECTION"` (FILE as given).
#include <string>

#include "core/calls.h"
#include "msinsstf/file_ops.h"
#include "profile_text.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

bool HasText(LPCSTR text) { return text != nullptr && *text != '\0'; }

// Applies one edit (key null: the section goes; value null: the key goes).
// A missing file reads as empty; a file the edit leaves unchanged is not
// written.
bool EditIniFile(LPCSTR file, const char* section, const char* key, const char* value) {
  std::string path = InWindowsDirectory(file);
  std::string content;
  if (!ReadWholeFile(path, &content)) {
    if (IsExistingFile(path)) return false;  // there, but unreadable
    if (value == nullptr) return true;       // nothing to remove
    content.clear();
  }
  std::string edited = EditProfileText(content, section, key, value);
  if (edited == content && IsExistingFile(path)) return true;
  return WriteWholeFile(path, edited);
}

BOOL WriteEntry(const char* function, LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR value) {
  BOOL done = FALSE;
  if (HasText(file) && HasText(section) && HasText(key)) {
    const char* text = value == nullptr ? "" : value;
    done = EditIniFile(file, section, key, text);
    if (done) {
      TranscriptLine("ini write " + CallArg(file) + " " + CallArg(section) + " " + CallArg(key) +
                     " " + CallArg(text));
    }
  }
  return static_cast<BOOL>(ToolkitResult(function, done));
}

}  // namespace

extern "C" BOOL WINAPI FCreateIniKeyValue(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR value,
                                          int cmo) {
  if (ToolkitCallFails("FCreateIniKeyValue", {CallArg(file), CallArg(section), CallArg(key),
                                              CallArg(value), CallArg(cmo)})) {
    return FALSE;
  }
  return WriteEntry("FCreateIniKeyValue", file, section, key, value);
}

// The machine's system.ini is an INI file like any other: the entry goes
// into the file named (SYSTEM.INI of the Windows directory by its name
// alone).
extern "C" BOOL WINAPI FCreateSysIniKeyValue(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR value,
                                             int cmo) {
  if (ToolkitCallFails("FCreateSysIniKeyValue", {CallArg(file), CallArg(section), CallArg(key),
                                                 CallArg(value), CallArg(cmo)})) {
    return FALSE;
  }
  return WriteEntry("FCreateSysIniKeyValue", file, section, key, value);
}

// A key that is not there is removed already: TRUE.
extern "C" BOOL WINAPI FRemoveIniKey(LPCSTR file, LPCSTR section, LPCSTR key, int cmo) {
  if (ToolkitCallFails("FRemoveIniKey",
                       {CallArg(file), CallArg(section), CallArg(key), CallArg(cmo)})) {
    return FALSE;
  }
  BOOL done = FALSE;
  if (HasText(file) && HasText(section) && HasText(key)) {
    done = EditIniFile(file, section, key, nullptr);
    if (done) {
      TranscriptLine("ini remove " + CallArg(file) + " " + CallArg(section) + " " + CallArg(key));
    }
  }
  return static_cast<BOOL>(ToolkitResult("FRemoveIniKey", done));
}

extern "C" BOOL WINAPI FRemoveIniSection(LPCSTR file, LPCSTR section, int cmo) {
  if (ToolkitCallFails("FRemoveIniSection", {CallArg(file), CallArg(section), CallArg(cmo)})) {
    return FALSE;
  }
  BOOL done = FALSE;
  if (HasText(file) && HasText(section)) {
    done = EditIniFile(file, section, nullptr, nullptr);
    if (done) TranscriptLine("ini remove " + CallArg(file) + " " + CallArg(section));
  }
  return static_cast<BOOL>(ToolkitResult("FRemoveIniSection", done));
}
