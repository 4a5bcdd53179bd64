// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA: the
// version resource of a PE image, found with libbfd.
//
// libbfd recognises the image (32-bit or 64-bit PE), finds its .rsrc
// section and reads it. The section's relative address, which the resource
// directory's data entries are given in, is its address less the image
// base; libbfd keeps the image base to itself, so that one field is read
// from the optional header through libbfd's own reads.

#include <bfd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "host/machine.h"
#include "machine/machine_internal.h"
#include "version/version_resource.h"
#include "winapi.h"

namespace host {
namespace {

constexpr file_ptr kNewHeaderOffsetField = 0x3c;
constexpr file_ptr kOptionalHeaderFromSignature = 4 + 20;  // "PE\0\0" and the file header
constexpr uint16_t kPe32Magic = 0x10b;
constexpr uint16_t kPe32PlusMagic = 0x20b;

bool ReadAt(bfd* image, file_ptr offset, void* buffer, bfd_size_type size) {
  return bfd_seek(image, offset, SEEK_SET) == 0 && bfd_bread(buffer, size, image) == size;
}

uint64_t LittleEndian(const uint8_t* bytes, size_t size) {
  uint64_t value = 0;
  for (size_t i = size; i > 0; --i) value = (value << 8) | bytes[i - 1];
  return value;
}

bool ImageBaseOf(bfd* image, uint64_t* base) {
  uint8_t field[8];
  if (!ReadAt(image, kNewHeaderOffsetField, field, 4)) return false;
  file_ptr optional = static_cast<file_ptr>(LittleEndian(field, 4)) + kOptionalHeaderFromSignature;
  if (!ReadAt(image, optional, field, 2)) return false;
  uint64_t magic = LittleEndian(field, 2);
  if (magic == kPe32Magic) {
    if (!ReadAt(image, optional + 28, field, 4)) return false;
    *base = LittleEndian(field, 4);
  } else if (magic == kPe32PlusMagic) {
    if (!ReadAt(image, optional + 24, field, 8)) return false;
    *base = LittleEndian(field, 8);
  } else {
    return false;
  }
  return true;
}

struct ImageCloser {
  bfd* image;
  ~ImageCloser() {
    if (image != nullptr) bfd_close(image);
  }
};

// The version resource's bytes; false with the Windows error: a missing
// file's, else ERROR_RESOURCE_DATA_NOT_FOUND for a file that is not a PE
// image as for one without the resource, as Windows NT and Wine answer.
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
  static const bool initialised = bfd_init() == BFD_INIT_MAGIC;
  *error = ERROR_RESOURCE_DATA_NOT_FOUND;
  if (!initialised) return false;
  std::string native = NativePath(fileName);
  ImageCloser closer{bfd_openr(native.c_str(), nullptr)};
  bfd* image = closer.image;
  if (image == nullptr || !bfd_check_format(image, bfd_object) ||
      bfd_get_flavour(image) != bfd_target_coff_flavour ||
      std::strncmp(bfd_get_target(image), "pei-", 4) != 0)
    return false;
  uint64_t base = 0;
  if (!ImageBaseOf(image, &base)) return false;
  asection* section = bfd_get_section_by_name(image, ".rsrc");
  if (section == nullptr || bfd_section_vma(section) < base) return false;
  std::vector<uint8_t> bytes(bfd_section_size(section));
  if (bytes.empty() || !bfd_get_section_contents(image, section, bytes.data(), 0, bytes.size()))
    return false;
  size_t offset = 0, length = 0;
  if (!FindVersionResource(bytes.data(), bytes.size(), bfd_section_vma(section) - base, &offset,
                           &length))
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
