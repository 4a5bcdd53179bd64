#include "version_resource.h"

#include "winapi.h"

namespace host {
namespace {

constexpr uint32_t kVersionType = 16;  // RT_VERSION
constexpr size_t kDirectoryHeaderSize = 16;
constexpr size_t kDirectoryEntrySize = 8;
constexpr size_t kDataEntrySize = 16;
constexpr uint32_t kHighBit = 0x80000000u;

// The VS_VERSIONINFO header: length, value length, type, then the key.
constexpr size_t kBlockHeaderSize = 6;
constexpr char kVersionKey[] = "VS_VERSION_INFO";
constexpr size_t kFixedFileInfoSize = 52;

uint16_t Word(const uint8_t* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }

uint32_t Dword(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
         (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}

// True when bytes [offset, offset + length) lie within size.
bool Within(uint64_t offset, uint64_t length, uint64_t size) {
  return offset <= size && length <= size - offset;
}

struct Entry {
  uint32_t name;  // an id, or an offset to a name when its high bit is set
  uint32_t data;  // a data entry's offset, or a subdirectory's with the high bit
};

// The entries of the directory at offset; false when it does not fit.
bool DirectoryEntries(const uint8_t* section, size_t size, uint32_t offset, const uint8_t** first,
                      size_t* count) {
  if (!Within(offset, kDirectoryHeaderSize, size)) return false;
  const uint8_t* header = section + offset;
  *count = static_cast<size_t>(Word(header + 12)) + Word(header + 14);
  if (!Within(offset + kDirectoryHeaderSize, uint64_t{*count} * kDirectoryEntrySize, size))
    return false;
  *first = header + kDirectoryHeaderSize;
  return true;
}

Entry EntryAt(const uint8_t* first, size_t index) {
  const uint8_t* at = first + index * kDirectoryEntrySize;
  return Entry{Dword(at), Dword(at + 4)};
}

bool Fail(uint32_t code, uint32_t* error) {
  *error = code;
  return false;
}

}  // namespace

bool FindVersionResource(const uint8_t* section, size_t sectionSize, uint64_t sectionRva,
                         size_t* offset, size_t* length, uint32_t* error) {
  const uint8_t* entries = nullptr;
  size_t count = 0;
  if (!DirectoryEntries(section, sectionSize, 0, &entries, &count))
    return Fail(ERROR_RESOURCE_DATA_NOT_FOUND, error);
  // Type, then name, then language: each a subdirectory but the last.
  uint32_t next = 0;
  bool found = false;
  for (size_t i = 0; i < count && !found; ++i) {
    Entry entry = EntryAt(entries, i);
    if (!(entry.name & kHighBit) && entry.name == kVersionType && (entry.data & kHighBit)) {
      next = entry.data & ~kHighBit;
      found = true;
    }
  }
  if (!found) return Fail(ERROR_RESOURCE_TYPE_NOT_FOUND, error);
  for (int level = 0; level < 2; ++level) {
    if (!DirectoryEntries(section, sectionSize, next, &entries, &count))
      return Fail(ERROR_RESOURCE_DATA_NOT_FOUND, error);
    if (count == 0) return Fail(ERROR_RESOURCE_TYPE_NOT_FOUND, error);
    Entry entry = EntryAt(entries, 0);
    bool isDirectory = (entry.data & kHighBit) != 0;
    if (isDirectory != (level == 0)) return Fail(ERROR_RESOURCE_DATA_NOT_FOUND, error);
    next = entry.data & ~kHighBit;
  }
  if (!Within(next, kDataEntrySize, sectionSize)) return Fail(ERROR_RESOURCE_DATA_NOT_FOUND, error);
  uint32_t dataRva = Dword(section + next);
  uint32_t dataSize = Dword(section + next + 4);
  if (dataRva < sectionRva || !Within(dataRva - sectionRva, dataSize, sectionSize))
    return Fail(ERROR_RESOURCE_DATA_NOT_FOUND, error);
  *offset = static_cast<size_t>(dataRva - sectionRva);
  *length = dataSize;
  return true;
}

bool FixedFileInfoOffset(const uint8_t* block, size_t blockSize, size_t* offset) {
  if (block == nullptr || blockSize < kBlockHeaderSize) return false;
  size_t length = Word(block);
  size_t valueLength = Word(block + 2);
  if (length > blockSize) return false;
  // The key in UTF-16 with its zero, then padding to a 4-byte boundary.
  size_t at = kBlockHeaderSize;
  for (const char* c = kVersionKey;; ++c) {
    if (!Within(at, 2, length) || Word(block + at) != static_cast<uint8_t>(*c)) return false;
    at += 2;
    if (*c == '\0') break;
  }
  at = (at + 3) & ~size_t{3};
  if (valueLength < kFixedFileInfoSize || !Within(at, kFixedFileInfoSize, length)) return false;
  if (Dword(block + at) != VS_FFI_SIGNATURE) return false;
  *offset = at;
  return true;
}

}  // namespace host
