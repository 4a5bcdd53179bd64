// msinsstf.dll: single files and directories. A copy whose destination
// exists but cannot be written is left for the restart when a restart
// directory is set (restart_list.h). Transcript lines:
// `file copy "SRC" "DST"`, `file append "SRC" "DST"`, `file remove "PATH"`,
// `file backup "PATH" "BACKUP"`, `dir remove "PATH"`, `resource stamp "FILE"
// TYPE ID`.
#include <string>

#include "core/calls.h"
#include "core/copy_out.h"
#include "msinsstf/file_ops.h"
#include "msinsstf/restart_list.h"
#include "toolkit/toolkit_api.h"
#include "transcript.h"

namespace {

// The copy-mode bit that makes the destination name the file itself; without
// it a destination that is a directory receives the file under the
// source's name.
const int kCopySingleFile = 2;

// WFindFileUsingFileOpen's results.
const int kFileFound = 0;
const int kFileNotFound = 1;
const int kFindError = 2;  // the path does not fit the caller's buffer

bool HasText(LPCSTR text) { return text != nullptr && *text != '\0'; }

}  // namespace

// A directory that is not there is removed already; one that holds
// anything stays, and the call fails.
extern "C" BOOL WINAPI FRemoveDir(LPCSTR path, int cmo) {
  if (ToolkitCallFails("FRemoveDir", {CallArg(path), CallArg(cmo)})) return FALSE;
  BOOL done = FALSE;
  if (HasText(path)) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
      done = TRUE;
    } else if (IsExistingDirectory(path) && RemoveDirectoryA(path)) {
      TranscriptLine("dir remove " + CallArg(path));
      done = TRUE;
    }
  }
  return static_cast<BOOL>(ToolkitResult("FRemoveDir", done));
}

extern "C" BOOL WINAPI FCopyOneFile(LPCSTR source, LPCSTR destination, int cmo, BOOL append) {
  if (ToolkitCallFails("FCopyOneFile",
                       {CallArg(source), CallArg(destination), CallArg(cmo), CallArg(append)})) {
    return FALSE;
  }
  BOOL done = FALSE;
  if (HasText(source) && HasText(destination)) {
    std::string target = destination;
    if ((cmo & kCopySingleFile) == 0 && IsExistingDirectory(target)) {
      target = JoinPath(target, FileNameOf(source));
    }
    CopyOutcome outcome = CopyFileExpanding(source, target, append != FALSE);
    if (outcome == CopyOutcome::kDone) {
      TranscriptLine(std::string(append ? "file append " : "file copy ") + CallArg(source) + " " +
                     CallArg(target.c_str()));
      done = TRUE;
    } else if (outcome == CopyOutcome::kNoDestination && !append && IsExistingFile(target)) {
      done = DeferCopyToRestart(source, target);
    }
  }
  return static_cast<BOOL>(ToolkitResult("FCopyOneFile", done));
}

// A file that is not there is removed already: nonzero.
extern "C" int WINAPI YnrcRemoveFile(LPCSTR file, int cmo) {
  if (ToolkitCallFails("YnrcRemoveFile", {CallArg(file), CallArg(cmo)})) return 0;
  int done = 0;
  if (HasText(file)) {
    if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
      done = 1;
    } else if (IsExistingFile(file) && DeleteFileA(file)) {
      TranscriptLine("file remove " + CallArg(file));
      done = 1;
    }
  }
  return static_cast<int>(ToolkitResult("YnrcRemoveFile", done));
}

// The file's bytes as they are under the backup name; a backup name without
// a directory goes beside the file. A missing file cannot be backed up: 0.
extern "C" int WINAPI YnrcBackupFile(LPCSTR file, LPCSTR backup, int cmo) {
  if (ToolkitCallFails("YnrcBackupFile", {CallArg(file), CallArg(backup), CallArg(cmo)})) return 0;
  int done = 0;
  if (HasText(file) && HasText(backup) && IsExistingFile(file)) {
    std::string target = backup;
    if (FileNameOf(target) == target) target = JoinPath(DirectoryOf(file), target);
    if (CopyFilePlain(file, target)) {
      TranscriptLine("file backup " + CallArg(file) + " " + CallArg(target.c_str()));
      done = 1;
    }
  }
  return static_cast<int>(ToolkitResult("YnrcBackupFile", done));
}

// Recorded only: the stand-in leaves the installed file's resources alone.
// It answers whether the file to stamp is there.
extern "C" BOOL WINAPI FStampResource(LPCSTR section, LPCSTR key, LPCSTR destination,
                                      int resourceType, int resourceId, LPSTR data, int dataSize) {
  if (ToolkitCallFails("FStampResource",
                       {CallArg(section), CallArg(key), CallArg(destination), CallArg(resourceType),
                        CallArg(resourceId), CallArg(dataSize)})) {
    return FALSE;
  }
  (void)data;
  BOOL done = HasText(destination) && IsExistingFile(destination);
  if (done) {
    TranscriptLine("resource stamp " + CallArg(destination) + " " + std::to_string(resourceType) +
                   " " + std::to_string(resourceId));
  }
  return static_cast<BOOL>(ToolkitResult("FStampResource", done));
}

// The stand-in asks nobody: the file is found when it is at the name given,
// and that name is the path handed back.
extern "C" int WINAPI WFindFileUsingFileOpen(LPCSTR file, LPSTR buffer, int size) {
  if (ToolkitCallFails("WFindFileUsingFileOpen", {CallArg(file), CallArg(size)})) return kFindError;
  int result = kFileNotFound;
  if (HasText(file) && IsExistingFile(file)) {
    std::string path = file;
    if (buffer != nullptr && size > 0 && path.size() < static_cast<size_t>(size)) {
      CopyOut(path, buffer, size);
      result = kFileFound;
    } else {
      result = kFindError;
    }
  }
  return static_cast<int>(ToolkitResult("WFindFileUsingFileOpen", result));
}

// Writable: an existing file that is not read-only, or a missing one whose
// directory is there and not read-only (it can be created).
extern "C" BOOL WINAPI FIsFileWritable(LPCSTR file) {
  if (ToolkitCallFails("FIsFileWritable", {CallArg(file)})) return FALSE;
  BOOL writable = FALSE;
  if (HasText(file)) {
    DWORD attributes = GetFileAttributesA(file);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      writable = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
    } else {
      std::string directory = DirectoryOf(file);
      DWORD parent = GetFileAttributesA(directory.empty() ? "." : directory.c_str());
      writable = parent != INVALID_FILE_ATTRIBUTES && (parent & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                 (parent & FILE_ATTRIBUTE_READONLY) == 0;
    }
  }
  return static_cast<BOOL>(ToolkitResult("FIsFileWritable", writable));
}
