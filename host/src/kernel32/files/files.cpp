// Files by handle: _lopen, _lcreat, _lread, _lwrite, _llseek, _lclose and
// SetEndOfFile, and DeleteFileA, through the system call table and its
// faults.
//
// Each handle keeps its own position, and every handle on the same file
// shares one record of the file's length, so that a read, a write or a seek
// costs one system call at most: the disk's free-space accounting needs the
// length and the position of every write, and asking the system for them on
// each call made a byte-wise copy three times as slow. Every change of a
// file's length goes through these functions (the host's own writers use
// them too), so the records stay exact.

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <map>
#include <utility>

#include "host/machine.h"
#include "kernel32/files/files_internal.h"
#include "kernel32/files/share_modes.h"
#include "machine/machine_internal.h"
#include "machine/syscall_gate.h"
#include "winapi.h"

namespace host {
namespace {

// A file by its identity on the native system, so that two handles on one
// file, opened by different names, share its length.
using FileId = std::pair<dev_t, ino_t>;

struct FileLength {
  off_t bytes = 0;
  int handles = 0;  // open handles on the file; the record goes with the last
};

struct OpenFile {
  int fd = -1;
  char drive = 'C';  // upper-case letter, for the disk's free space
  bool canRead = false;
  bool canWrite = false;
  off_t position = 0;  // where the descriptor stands: only this handle moves it
  FileId id;
};

struct Files {
  std::map<HFILE, OpenFile> open;
  std::map<FileId, FileLength> lengths;
  HFILE nextHandle = kFirstHandle;
  // Handles are multiples of 4, as Windows gives them, and never reused.
  static constexpr HFILE kFirstHandle = 0x10;
};

Files& TheFiles() {
  static Files files;
  return files;
}

OpenFile* Find(HFILE file) {
  auto found = TheFiles().open.find(file);
  return found == TheFiles().open.end() ? nullptr : &found->second;
}

DWORD ErrorOf(int error, const std::string& full) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return MissingPathError(full);
    case ENOSPC:
      return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

HFILE Fail(DWORD error) {
  SetLastError(error);
  return HFILE_ERROR;
}

off_t& LengthOf(const OpenFile& file) { return TheFiles().lengths[file.id].bytes; }

// A new handle on the open descriptor fd, at its start, holding its access
// under shareMode. The file's length is asked of the system only when no
// other handle knows it already.
HFILE Remember(int fd, const std::string& full, bool canRead, bool canWrite, int shareMode) {
  struct stat info;
  if (sys::Fstat(fd, &info) != 0) {
    sys::Close(fd);
    return Fail(ERROR_ACCESS_DENIED);
  }
  Files& files = TheFiles();
  HFILE handle = files.nextHandle;
  files.nextHandle += 4;
  OpenFile file;
  file.fd = fd;
  file.drive = full[0];
  file.canRead = canRead;
  file.canWrite = canWrite;
  file.id = FileId(info.st_dev, info.st_ino);
  FileLength& length = files.lengths[file.id];
  if (length.handles++ == 0) length.bytes = info.st_size;
  files.open[handle] = file;
  AddSharedOpen(handle, info, canRead, canWrite, shareMode);
  return handle;
}

// Forgets a handle whose descriptor is closed.
void Forget(HFILE handle) {
  Files& files = TheFiles();
  auto found = files.open.find(handle);
  auto length = files.lengths.find(found->second.id);
  if (length != files.lengths.end() && --length->second.handles <= 0) files.lengths.erase(length);
  files.open.erase(found);
  RemoveSharedOpen(handle);
}

// Resolves a path for opening; empty with the error set when it cannot be.
// A name ending in a backslash is no file's name.
std::string Resolve(LPCSTR path, std::string* full) {
  if (EndsInSeparator(path)) {
    SetLastError(ERROR_INVALID_NAME);
    return std::string();
  }
  std::string native = NativePathOfCall(path, full);
  if (native.empty()) return native;
  if (sys::OpenRefused(*full) || sys::CallFails(Syscall::Open)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return std::string();
  }
  return native;
}

// Makes the file end at its current position (longer or shorter), with the
// disk's space taken or given back.
BOOL EndAtPosition(OpenFile& file) {
  off_t position = file.position;
  off_t& length = LengthOf(file);
  if (position == length) return TRUE;  // the file ends there already
  if (position > length && !sys::TakeDiskSpace(file.drive, position - length)) {
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  if (sys::Truncate(file.fd, position) != 0) {
    if (position > length) sys::GiveDiskSpace(file.drive, position - length);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (position < length) sys::GiveDiskSpace(file.drive, length - position);
  length = position;
  return TRUE;
}

}  // namespace

bool IsOpenFile(HFILE file) { return Find(file) != nullptr; }

void ResetFiles() {
  for (auto& [handle, file] : TheFiles().open) sys::Close(file.fd);
  TheFiles() = Files();
  ResetSharedOpens();
  ClearFaults();
}

}  // namespace host

extern "C" {

HFILE WINAPI _lopen(LPCSTR path, int mode) {
  // Access mode 3 names neither reading nor writing: the file opens, and
  // every read or write of the handle is refused, as on Windows.
  int access = mode & 3;
  std::string full;
  std::string native = host::Resolve(path, &full);
  if (native.empty()) return HFILE_ERROR;
  struct stat info;
  if (host::sys::Stat(native.c_str(), &info) != 0) return host::Fail(host::ErrorOf(errno, full));
  bool canRead = access == OF_READ || access == OF_READWRITE;
  bool canWrite = access == OF_WRITE || access == OF_READWRITE;
  // A directory cannot be opened; nor can a read-only file for writing
  // (checked by the mode bits, since the host may run as root).
  if (S_ISDIR(info.st_mode) || (canWrite && !(info.st_mode & S_IWUSR)))
    return host::Fail(ERROR_ACCESS_DENIED);
  if (!host::ShareAllows(info, canRead, canWrite, mode)) return host::Fail(ERROR_SHARING_VIOLATION);
  int flags = canRead && canWrite ? O_RDWR : canWrite ? O_WRONLY : O_RDONLY;
  int fd = host::sys::Open(native.c_str(), flags | O_CLOEXEC, 0);
  if (fd < 0) return host::Fail(host::ErrorOf(errno, full));
  return host::Remember(fd, full, canRead, canWrite, mode);
}

HFILE WINAPI _lcreat(LPCSTR path, int attributes) {
  std::string full;
  std::string native = host::Resolve(path, &full);
  if (native.empty()) return HFILE_ERROR;
  struct stat info;
  off_t oldSize = 0;
  bool existed = host::sys::Stat(native.c_str(), &info) == 0;
  if (existed) {
    if (S_ISDIR(info.st_mode) || !(info.st_mode & S_IWUSR)) return host::Fail(ERROR_ACCESS_DENIED);
    if (!host::ShareAllows(info, true, true, OF_SHARE_DENY_NONE))
      return host::Fail(ERROR_SHARING_VIOLATION);
    oldSize = info.st_size;
  }
  // Attribute 1 makes the new file read-only (the handle still writes), 2
  // hidden. A file that cannot be made hidden is not created: an existing
  // one is marked before it is emptied, so that a refusal leaves it whole,
  // and a new one is removed again.
  bool hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  if (existed && hidden && !host::SetHiddenAttribute(native))
    return host::Fail(host::WindowsErrorOf(errno, true));
  mode_t permissions = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  int fd = host::sys::Open(native.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, permissions);
  if (fd < 0) return host::Fail(host::ErrorOf(errno, full));
  if (!existed && hidden && !host::SetHiddenAttribute(native)) {
    DWORD error = host::WindowsErrorOf(errno, true);
    host::sys::Close(fd);
    host::sys::RemoveFile(native.c_str());
    return host::Fail(error);
  }
  host::sys::GiveDiskSpace(full[0], oldSize);
  HFILE handle = host::Remember(fd, full, true, true, OF_SHARE_DENY_NONE);
  // Other handles on the file see it empty now.
  if (handle != HFILE_ERROR) host::LengthOf(*host::Find(handle)) = 0;
  return handle;
}

UINT WINAPI _lread(HFILE file, LPVOID buffer, UINT count) {
  host::OpenFile* f = host::Find(file);
  if (f == nullptr) return static_cast<UINT>(host::Fail(ERROR_INVALID_HANDLE));
  if (!f->canRead) return static_cast<UINT>(host::Fail(ERROR_ACCESS_DENIED));
  if (buffer == nullptr && count != 0)
    return static_cast<UINT>(host::Fail(ERROR_INVALID_PARAMETER));
  if (host::sys::CallFails(host::Syscall::Read))
    return static_cast<UINT>(host::Fail(ERROR_READ_FAULT));
  UINT total = 0;
  while (total < count) {
    ssize_t got = host::sys::Read(f->fd, static_cast<char*>(buffer) + total, count - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      f->position += total;
      return static_cast<UINT>(host::Fail(ERROR_READ_FAULT));
    }
    if (got == 0) break;
    total += static_cast<UINT>(got);
  }
  f->position += total;
  return total;
}

UINT WINAPI _lwrite(HFILE file, LPCSTR buffer, UINT count) {
  host::OpenFile* f = host::Find(file);
  if (f == nullptr) return static_cast<UINT>(host::Fail(ERROR_INVALID_HANDLE));
  if (!f->canWrite) return static_cast<UINT>(host::Fail(ERROR_ACCESS_DENIED));
  if (host::sys::CallFails(host::Syscall::Write))
    return static_cast<UINT>(host::Fail(ERROR_WRITE_FAULT));
  // Writing no bytes ends the file at the current position, as _lwrite
  // always has.
  if (count == 0) return host::EndAtPosition(*f) ? 0 : static_cast<UINT>(HFILE_ERROR);
  if (buffer == nullptr) return static_cast<UINT>(host::Fail(ERROR_INVALID_PARAMETER));
  off_t& length = host::LengthOf(*f);
  int64_t growth = static_cast<int64_t>(f->position) + count - length;
  // A full disk takes nothing: the write fails whole, as WriteFile does.
  if (growth > 0 && !host::sys::TakeDiskSpace(f->drive, growth))
    return static_cast<UINT>(host::Fail(ERROR_DISK_FULL));
  UINT total = 0;
  while (total < count) {
    ssize_t put = host::sys::Write(f->fd, buffer + total, count - total);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      // What went out before the failure moved the position all the same.
      f->position += total;
      if (f->position > length) length = f->position;
      return static_cast<UINT>(
          host::Fail(put < 0 && errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT));
    }
    total += static_cast<UINT>(put);
  }
  f->position += total;
  if (f->position > length) length = f->position;
  return total;
}

LONG WINAPI _llseek(HFILE file, LONG offset, int origin) {
  host::OpenFile* f = host::Find(file);
  if (f == nullptr) return host::Fail(ERROR_INVALID_HANDLE);
  int whence = origin == FILE_BEGIN     ? SEEK_SET
               : origin == FILE_CURRENT ? SEEK_CUR
               : origin == FILE_END     ? SEEK_END
                                        : -1;
  if (whence < 0) return host::Fail(ERROR_INVALID_PARAMETER);
  if (host::sys::CallFails(host::Syscall::Seek)) return host::Fail(ERROR_SEEK);
  off_t base = whence == SEEK_CUR ? f->position : whence == SEEK_END ? host::LengthOf(*f) : 0;
  int64_t target = static_cast<int64_t>(base) + offset;
  if (target < 0) return host::Fail(ERROR_NEGATIVE_SEEK);
  if (target > 0x7fffffff) return host::Fail(ERROR_INVALID_PARAMETER);
  // Asking where the handle stands moves nothing.
  if (target == f->position) return static_cast<LONG>(target);
  off_t result = host::sys::Seek(f->fd, static_cast<off_t>(target), SEEK_SET);
  if (result < 0) return host::Fail(ERROR_SEEK);
  f->position = result;
  return static_cast<LONG>(result);
}

HFILE WINAPI _lclose(HFILE file) {
  host::OpenFile* f = host::Find(file);
  if (f == nullptr) return host::Fail(ERROR_INVALID_HANDLE);
  // A failed close leaves the handle open.
  if (host::sys::CallFails(host::Syscall::Close)) return host::Fail(ERROR_INVALID_HANDLE);
  host::sys::Close(f->fd);
  host::Forget(file);
  return 0;
}

BOOL WINAPI SetEndOfFile(HANDLE file) {
  host::OpenFile* f = host::Find(static_cast<HFILE>(reinterpret_cast<INT_PTR>(file)));
  if (f == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!f->canWrite) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (host::sys::CallFails(host::Syscall::Truncate)) {
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
  }
  return host::EndAtPosition(*f);
}

BOOL WINAPI DeleteFileA(LPCSTR path) {
  if (host::EndsInSeparator(path)) {
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }
  std::string full;
  std::string native = host::NativePathOfCall(path, &full);
  if (native.empty()) return FALSE;
  if (host::sys::OpenRefused(full)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  struct stat info;
  if (host::sys::Stat(native.c_str(), &info) != 0) {
    SetLastError(host::ErrorOf(errno, full));
    return FALSE;
  }
  if (S_ISDIR(info.st_mode) || !(info.st_mode & S_IWUSR)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (host::HeldOpen(info)) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  if (host::sys::RemoveFile(native.c_str()) != 0) {
    SetLastError(host::ErrorOf(errno, full));
    return FALSE;
  }
  host::sys::GiveDiskSpace(full[0], info.st_size);
  return TRUE;
}

}  // extern "C"
