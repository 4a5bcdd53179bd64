#include "msinsstf/file_ops.h"

#include "winapi.h"

namespace {

// The position of the last backslash, found a whole character at a time.
size_t LastBackslash(const std::string& path) {
  size_t last = std::string::npos;
  for (const char* c = path.c_str(); *c != '\0'; c = CharNextA(c)) {
    if (*c == '\\') last = static_cast<size_t>(c - path.c_str());
  }
  return last;
}

bool EndsInBackslash(const std::string& path) {
  if (path.empty()) return false;
  const char* last = CharPrevA(path.c_str(), path.c_str() + path.size());
  return *last == '\\';
}

}  // namespace

std::string InWindowsDirectory(const std::string& name) {
  if (LastBackslash(name) != std::string::npos || name.find(':') != std::string::npos) return name;
  char windows[MAX_PATH];
  UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  if (length == 0 || length >= sizeof windows) return name;
  return JoinPath(windows, name);
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return EndsInBackslash(dir) ? dir + name : dir + "\\" + name;
}

std::string FileNameOf(const std::string& path) {
  size_t slash = LastBackslash(path);
  if (slash == std::string::npos) {
    size_t colon = path.find(':');
    return colon == 1 ? path.substr(2) : path;
  }
  return path.substr(slash + 1);
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = LastBackslash(path);
  if (slash == std::string::npos)
    return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : "";
  if (slash == 2 && path[1] == ':') return path.substr(0, 3);  // the drive's root keeps it
  return path.substr(0, slash);
}

bool IsExistingFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsExistingDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

long long FileSize(const std::string& path) {
  HFILE file = _lopen(path.c_str(), OF_READ);
  if (file == HFILE_ERROR) return -1;
  LONG size = _llseek(file, 0, FILE_END);
  _lclose(file);
  return size < 0 ? -1 : size;
}

bool ReadWholeFile(const std::string& path, std::string* content) {
  HFILE file = _lopen(path.c_str(), OF_READ);
  if (file == HFILE_ERROR) return false;
  content->clear();
  char chunk[4096];
  for (;;) {
    UINT got = _lread(file, chunk, sizeof chunk);
    if (got == static_cast<UINT>(HFILE_ERROR)) {
      _lclose(file);
      return false;
    }
    if (got == 0) break;
    content->append(chunk, got);
  }
  _lclose(file);
  return true;
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
  // An existing file is written over in place and then cut to length, so a
  // failing write leaves the part not yet written as it was.
  HFILE file = _lopen(path.c_str(), OF_READWRITE);
  if (file == HFILE_ERROR) file = _lcreat(path.c_str(), 0);
  if (file == HFILE_ERROR) return false;
  bool written = content.empty() ||
                 _lwrite(file, content.data(), static_cast<UINT>(content.size())) == content.size();
  if (written) written = _lwrite(file, "", 0) == 0;  // ends the file here
  return _lclose(file) != HFILE_ERROR && written;
}

bool AppendToFile(const std::string& path, const std::string& text) {
  HFILE file = _lopen(path.c_str(), OF_READWRITE);
  if (file == HFILE_ERROR) file = _lcreat(path.c_str(), 0);
  if (file == HFILE_ERROR) return false;
  bool written =
      _llseek(file, 0, FILE_END) >= 0 &&
      (text.empty() || _lwrite(file, text.data(), static_cast<UINT>(text.size())) == text.size());
  return _lclose(file) != HFILE_ERROR && written;
}

bool CopyFilePlain(const std::string& source, const std::string& destination) {
  std::string content;
  if (!ReadWholeFile(source, &content)) return false;
  HFILE to = _lcreat(destination.c_str(), 0);
  if (to == HFILE_ERROR) return false;
  bool written = content.empty() ||
                 _lwrite(to, content.data(), static_cast<UINT>(content.size())) == content.size();
  bool closed = _lclose(to) != HFILE_ERROR;
  if (!written) DeleteFileA(destination.c_str());
  return written && closed;
}

CopyOutcome CopyFileExpanding(const std::string& source, const std::string& destination,
                              bool append) {
  HFILE from = _lopen(source.c_str(), OF_READ);
  if (from == HFILE_ERROR) return CopyOutcome::kNoSource;
  bool appending = append && IsExistingFile(destination);
  HFILE to = HFILE_ERROR;
  LONG kept = 0;  // what an appended-to destination held
  if (appending) {
    to = _lopen(destination.c_str(), OF_READWRITE);
    if (to != HFILE_ERROR) kept = _llseek(to, 0, FILE_END);
  } else {
    to = _lcreat(destination.c_str(), 0);
  }
  if (to == HFILE_ERROR || kept < 0) {
    if (to != HFILE_ERROR) _lclose(to);
    _lclose(from);
    return CopyOutcome::kNoDestination;
  }
  LONG copied = LZCopy(from, to);
  _lclose(from);
  if (copied < 0) {
    if (appending) {
      _llseek(to, kept, FILE_BEGIN);
      _lwrite(to, "", 0);
    }
    _lclose(to);
    if (!appending) DeleteFileA(destination.c_str());
    return CopyOutcome::kFailed;
  }
  return _lclose(to) == HFILE_ERROR ? CopyOutcome::kFailed : CopyOutcome::kDone;
}

const char* CopyOutcomeText(CopyOutcome outcome) {
  switch (outcome) {
    case CopyOutcome::kDone:
      return "done";
    case CopyOutcome::kNoSource:
      return "cannot open the source";
    case CopyOutcome::kNoDestination:
      return "cannot open the destination";
    case CopyOutcome::kFailed:
      break;
  }
  return "cannot copy";
}
