#include "version/pe_image.h"

#include <cstring>

#include "version/little_endian.h"

namespace host {
namespace {

constexpr uint16_t kMzMagic = 0x5a4d;             // "MZ"
constexpr uint64_t kNewHeaderOffsetField = 0x3c;  // e_lfanew
constexpr uint32_t kPeSignature = 0x00004550;     // "PE\0\0"
constexpr size_t kFileHeaderSize = 20;            // IMAGE_FILE_HEADER
constexpr uint16_t kPe32Magic = 0x10b;            // IMAGE_NT_OPTIONAL_HDR32_MAGIC
constexpr uint16_t kPe32PlusMagic = 0x20b;        // IMAGE_NT_OPTIONAL_HDR64_MAGIC
constexpr size_t kSectionHeaderSize = 40;         // IMAGE_SECTION_HEADER
constexpr size_t kSectionNameSize = 8;            // zero-padded, no zero when 8 long

}  // namespace

bool FindImageSection(const ImageReader& read, uint64_t fileSize, const char* name,
                      ImageSection* section) {
  uint8_t field[4];
  if (!read(0, field, 2) || Word(field) != kMzMagic) return false;
  if (!read(kNewHeaderOffsetField, field, 4)) return false;
  const uint64_t signature = Dword(field);
  if (!read(signature, field, 4) || Dword(field) != kPeSignature) return false;
  uint8_t fileHeader[kFileHeaderSize];
  if (!read(signature + 4, fileHeader, sizeof fileHeader)) return false;
  const uint16_t sections = Word(fileHeader + 2);
  const uint16_t optionalSize = Word(fileHeader + 16);
  if (optionalSize < 2) return false;
  const uint64_t optional = signature + 4 + kFileHeaderSize;
  if (!read(optional, field, 2)) return false;
  if (Word(field) != kPe32Magic && Word(field) != kPe32PlusMagic) return false;

  uint8_t wanted[kSectionNameSize] = {};
  for (size_t i = 0; i < kSectionNameSize && name[i] != '\0'; ++i)
    wanted[i] = static_cast<uint8_t>(name[i]);
  const uint64_t table = optional + optionalSize;
  for (uint16_t i = 0; i < sections; ++i) {
    uint8_t header[kSectionHeaderSize];
    if (!read(table + uint64_t{i} * kSectionHeaderSize, header, sizeof header)) return false;
    if (std::memcmp(header, wanted, kSectionNameSize) != 0) continue;
    const uint32_t virtualSize = Dword(header + 8);
    const uint32_t rawSize = Dword(header + 16);
    const uint32_t rawOffset = Dword(header + 20);
    // The raw data is padded to the file alignment; the section's own bytes
    // end at its virtual size.
    const uint32_t size = virtualSize != 0 && virtualSize < rawSize ? virtualSize : rawSize;
    if (rawOffset > fileSize || size > fileSize - rawOffset) return false;
    section->rva = Dword(header + 12);
    section->fileOffset = rawOffset;
    section->size = size;
    return true;
  }
  return false;
}

}  // namespace host
