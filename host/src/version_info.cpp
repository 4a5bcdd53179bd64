// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA: the
// version resource of a PE image, found with libbfd.
//
// libbfd recognises the image (32-bit or 64-bit PE), finds its .rsrc
// section and reads it. The section's relative address, which the resource
// directory's data entries are given in, is its address less the image
// base; libbfd keeps the image base to itself, so that one field is read
// from the optional header through libbfd's own reads.

#include <bfd.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/machine.h"
#include "host_internal.h"
#include "version_resource.h"
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

// The version resource's bytes; false with the Windows error.
bool ReadVersionResource(LPCSTR fileName, std::vector<uint8_t>* resource, DWORD* error) {
  if (fileName == nullptr || *fileName == '\0' ||
      GetFileAttributesA(fileName) == INVALID_FILE_ATTRIBUTES) {
    *error = fileName == nullptr || *fileName == '\0' ? ERROR_FILE_NOT_FOUND : GetLastError();
    return false;
  }
  static const bool initialised = bfd_init() == BFD_INIT_MAGIC;
  *error = ERROR_BAD_FORMAT;
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
  *error = ERROR_RESOURCE_DATA_NOT_FOUND;
  asection* section = bfd_get_section_by_name(image, ".rsrc");
  if (section == nullptr || bfd_section_vma(section) < base) return false;
  std::vector<uint8_t> bytes(bfd_section_size(section));
  if (bytes.empty() || !bfd_get_section_contents(image, section, bytes.data(), 0, bytes.size()))
    return false;
  size_t offset = 0, length = 0;
  uint32_t why = 0;
  if (!FindVersionResource(bytes.data(), bytes.size(), bfd_section_vma(section) - base, &offset,
                           &length, &why)) {
    *error = why;
    return false;
  }
  resource->assign(bytes.begin() + static_cast<long>(offset),
                   bytes.begin() + static_cast<long>(offset + length));
  return true;
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
  return static_cast<DWORD>(resource.size());
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR fileName, DWORD /*handle*/, DWORD size, LPVOID data) {
  std::vector<uint8_t> resource;
  DWORD error = 0;
  if (data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!host::ReadVersionResource(fileName, &resource, &error)) {
    SetLastError(error);
    return FALSE;
  }
  std::memcpy(data, resource.data(), size < resource.size() ? size : resource.size());
  return TRUE;
}

BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length) {
  if (block == nullptr || subBlock == nullptr || buffer == nullptr ||
      std::strcmp(subBlock, "\\") != 0)
    return FALSE;
  const uint8_t* bytes = static_cast<const uint8_t*>(block);
  size_t offset = 0;
  // The block's first WORD is its length, and bounds the walk.
  size_t blockLength = static_cast<size_t>(bytes[0] | (bytes[1] << 8));
  if (!host::FixedFileInfoOffset(bytes, blockLength, &offset)) return FALSE;
  *buffer = const_cast<uint8_t*>(bytes + offset);
  if (length != nullptr) *length = sizeof(VS_FIXEDFILEINFO);
  return TRUE;
}

}  // extern "C"
