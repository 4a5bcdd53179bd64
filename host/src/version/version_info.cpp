// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA: the
// version resource of a PE image, read through the system call table.
//
// The image's headers give its .rsrc section (pe_image.h); its bytes are
// read whole and the resource directory in them leads to the version
// resource (version_resource.h). The section's relative virtual address is
// what the directory's data entries are given in.

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "host/machine.h"
#include "machine/machine_internal.h"
#include "machine/syscall_gate.h"
#include "version/pe_image.h"
#include "version/version_resource.h"
#include "winapi.h"

namespace host {
namespace {

// An open image file, read at offsets; a failed read keeps its errno, so
// that a fault tells from a file too short to be an image.
class ImageFile {
 public:
  explicit ImageFile(int fd) : fd_(fd) {}
  ~ImageFile() { sys::Close(fd_); }
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;

  bool ReadAt(uint64_t offset, void* buffer, size_t count) {
    if (offset > static_cast<uint64_t>(INT64_MAX) ||
        sys::Seek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0)
      return Failed();
    for (size_t done = 0; done < count;) {
      ssize_t got = sys::Read(fd_, static_cast<char*>(buffer) + done, count - done);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return Failed();
      if (got == 0) return false;  // the file ends first
      done += static_cast<size_t>(got);
    }
    return true;
  }
  int error() const { return error_; }

 private:
  bool Failed() {
    error_ = errno;
    return false;
  }
  int fd_;
  int error_ = 0;
};

// The version resource's bytes; false with the Windows error: a missing
// file's, a failed read's, else ERROR_RESOURCE_DATA_NOT_FOUND for a file that
// is not a PE image as for one without the resource, as Windows NT and Wine
// answer.
bool ReadVersionResource(LPCSTR fileName, std::vector<uint8_t>* resource, DWORD* error) {
  if (fileName == nullptr) {
    *error = ERROR_INVALID_PARAMETER;
    return false;
  }
  if (*fileName == '\0') {
    *error = ERROR_BAD_PATHNAME;
    return false;
  }
  if (GetFileAttributesA(fileName) == INVALID_FILE_ATTRIBUTES) {
    *error = GetLastError();
    return false;
  }
  std::string native = NativePath(fileName);
  int fd = sys::Open(native.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (fd < 0) {
    *error = WindowsErrorOf(errno);
    return false;
  }
  ImageFile image(fd);
  struct stat info;
  if (sys::Fstat(fd, &info) != 0) {
    *error = WindowsErrorOf(errno);
    return false;
  }
  *error = ERROR_RESOURCE_DATA_NOT_FOUND;
  if (!S_ISREG(info.st_mode)) return false;  // a folder is no image
  auto read = [&image](uint64_t offset, void* buffer, size_t count) {
    return image.ReadAt(offset, buffer, count);
  };
  ImageSection section;
  std::vector<uint8_t> bytes;
  bool found = FindImageSection(read, static_cast<uint64_t>(info.st_size), ".rsrc", &section);
  if (found && section.size > 0) {
    bytes.resize(section.size);
    found = image.ReadAt(section.fileOffset, bytes.data(), bytes.size());
  }
  if (image.error() != 0) {
    *error = WindowsErrorOf(image.error());
    return false;
  }
  size_t offset = 0, length = 0;
  if (!found || bytes.empty() ||
      !FindVersionResource(bytes.data(), bytes.size(), section.rva, &offset, &length))
    return false;
  resource->assign(bytes.begin() + static_cast<long>(offset),
                   bytes.begin() + static_cast<long>(offset + length));
  return true;
}

// After the block's own length, the mark Windows NT writes there when the
// buffer has room for it; the texts VerQueryValueA converts follow it.
constexpr char kConvertedMark[4] = {'F', 'E', '2', 'X'};
constexpr size_t kMarkSize = sizeof kConvertedMark;

// The buffers GetFileVersionInfoA filled and their sizes, so that
// VerQueryValueA writes a converted text into a block only within the room
// its caller gave. (Windows writes there unchecked.)
std::map<const void*, size_t>& FilledBuffers() {
  static std::map<const void*, size_t> buffers;
  return buffers;
}

// Texts converted for blocks whose room is not known; they last as long as
// the process.
std::map<std::pair<const void*, size_t>, std::string>& ConvertedElsewhere() {
  static std::map<std::pair<const void*, size_t>, std::string> texts;
  return texts;
}

// The count UTF-16 characters at at, in the ANSI code page.
std::string AnsiOf(const uint8_t* at, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    char32_t c = static_cast<char32_t>(at[2 * i] | (at[2 * i + 1] << 8));
    std::string bytes;
    if (c < 0x80)
      text += static_cast<char>(c);
    else if (BestFitOf(Config().acp, c, &bytes))
      text += bytes;
    else
      text += '?';
  }
  return text;
}

// The path's keys in UTF-16, split at its backslashes.
std::vector<std::u16string> PathKeys(const std::string& path) {
  std::vector<std::u16string> keys(1);
  for (char16_t c : AnsiToUtf16(path)) {
    if (c == u'\\')
      keys.emplace_back();
    else
      keys.back() += c;
  }
  return keys;
}

}  // namespace
}  // namespace host

extern "C" {

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle) {
  if (handle != nullptr) *handle = 0;
  std::vector<uint8_t> resource;
  DWORD error = 0;
  if (!host::ReadVersionResource(fileName, &resource, &error)) {
    SetLastError(error);
    return 0;
  }
  // Twice the resource and the mark: the room VerQueryValueA converts
  // texts into.
  SetLastError(0);
  return static_cast<DWORD>(resource.size() * 2 + host::kMarkSize);
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR fileName, DWORD /*handle*/, DWORD size, LPVOID data) {
  std::vector<uint8_t> resource;
  DWORD error = 0;
  if (data == nullptr) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  if (!host::ReadVersionResource(fileName, &resource, &error)) {
    SetLastError(error);
    return FALSE;
  }
  uint8_t* bytes = static_cast<uint8_t*>(data);
  std::memcpy(bytes, resource.data(), size < resource.size() ? size : resource.size());
  host::FilledBuffers()[data] = size;
  if (resource.size() >= 2) {
    size_t ownLength = static_cast<size_t>(resource[0] | (resource[1] << 8));
    if (size >= ownLength + host::kMarkSize)
      std::memcpy(bytes + ownLength, host::kConvertedMark, host::kMarkSize);
  }
  SetLastError(0);
  return TRUE;
}

BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length) {
  if (block == nullptr || buffer == nullptr) return FALSE;
  const uint8_t* bytes = static_cast<const uint8_t*>(block);
  // The block's first WORD is its length, and bounds the walk.
  size_t ownLength = static_cast<size_t>(bytes[0] | (bytes[1] << 8));
  // A 16-bit block (its key right after two WORDs) is not read.
  if (ownLength < 6 || bytes[4] >= ' ') return FALSE;
  host::VersionValue value;
  if (!host::FindVersionValue(bytes, ownLength, host::PathKeys(subBlock != nullptr ? subBlock : ""),
                              &value)) {
    if (length != nullptr) *length = 0;
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
  }
  if (!value.isText) {
    *buffer = const_cast<uint8_t*>(bytes + value.offset);
    if (length != nullptr) *length = static_cast<UINT>(value.length);
    return TRUE;
  }
  // A text is given in the ANSI code page, written where Windows writes it:
  // after the block and its mark, at the value's own offset.
  size_t characters = std::min(value.length, value.available / 2);
  std::string text = host::AnsiOf(bytes + value.offset, characters);
  text.resize(std::min(text.size(), ownLength - value.offset));
  size_t at = ownLength + host::kMarkSize + value.offset;
  auto filled = host::FilledBuffers().find(block);
  char* target = nullptr;
  if (filled != host::FilledBuffers().end() && at + text.size() <= filled->second &&
      std::memcmp(bytes + ownLength, host::kConvertedMark, host::kMarkSize) == 0) {
    target = const_cast<char*>(reinterpret_cast<const char*>(bytes)) + at;
  } else {
    std::string& kept = host::ConvertedElsewhere()[{block, value.offset}];
    kept = text;
    kept.reserve(text.size() + 1);
    target = kept.data();
  }
  if (!text.empty()) std::memcpy(target, text.data(), text.size());
  *buffer = target;
  if (length != nullptr) *length = static_cast<UINT>(text.size());
  return TRUE;
}

}  // extern "C"
