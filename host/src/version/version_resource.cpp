#include "version/version_resource.h"

#include "version/little_endian.h"
#include "winapi.h"

namespace host {
namespace {

constexpr uint32_t kVersionType = 16;  // RT_VERSION
constexpr uint32_t kVersionId = 1;     // VS_VERSION_INFO
constexpr size_t kDirectoryHeaderSize = 16;
constexpr size_t kDirectoryEntrySize = 8;
constexpr size_t kDataEntrySize = 16;
constexpr uint32_t kHighBit = 0x80000000u;

// A VS_VERSIONINFO block's header: length, value length, type, then its
// key in UTF-16 with its zero; the value and then the children follow, each
// on a 4-byte boundary.
constexpr size_t kBlockHeaderSize = 6;

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

size_t Align4(size_t at) { return (at + 3) & ~size_t{3}; }

// The entry of the directory at offset whose id is wanted; false when there
// is none or the directory does not fit.
bool FindEntry(const uint8_t* section, size_t size, uint32_t offset, uint32_t wanted,
               Entry* found) {
  const uint8_t* entries = nullptr;
  size_t count = 0;
  if (!DirectoryEntries(section, size, offset, &entries, &count)) return false;
  for (size_t i = 0; i < count; ++i) {
    Entry entry = EntryAt(entries, i);
    if (!(entry.name & kHighBit) && entry.name == wanted) {
      *found = entry;
      return true;
    }
  }
  return false;
}

uint16_t Fold(uint16_t c) {
  // Letters of ASCII and Latin-1, which is what version keys use.
  if ((c >= 'a' && c <= 'z') || (c >= 0xe0 && c <= 0xfe && c != 0xf7)) return c - 0x20;
  return c;
}

// A block's fields, read within end (the root block's length).
struct Block {
  size_t start = 0, end = 0;           // end: start + its own length
  size_t keyStart = 0, keyLength = 0;  // the key, in characters without its zero
  size_t valueLength = 0;
  bool isText = false;
};

bool ReadBlock(const uint8_t* bytes, size_t start, size_t rootEnd, Block* block) {
  if (!Within(start, kBlockHeaderSize, rootEnd)) return false;
  block->start = start;
  size_t length = Word(bytes + start);
  if (length < kBlockHeaderSize || !Within(start, length, rootEnd)) return false;
  block->end = start + length;
  block->valueLength = Word(bytes + start + 2);
  block->isText = Word(bytes + start + 4) != 0;
  block->keyStart = start + kBlockHeaderSize;
  size_t at = block->keyStart;
  for (;; at += 2) {
    if (!Within(at, 2, rootEnd)) return false;
    if (Word(bytes + at) == 0) break;
  }
  block->keyLength = (at - block->keyStart) / 2;
  return true;
}

size_t ValueStart(const Block& block) { return Align4(block.keyStart + (block.keyLength + 1) * 2); }

bool KeyIs(const uint8_t* bytes, const Block& block, const std::u16string& key) {
  if (block.keyLength != key.size()) return false;
  for (size_t i = 0; i < key.size(); ++i)
    if (Fold(Word(bytes + block.keyStart + 2 * i)) != Fold(key[i])) return false;
  return true;
}

}  // namespace

bool FindVersionResource(const uint8_t* section, size_t sectionSize, uint64_t sectionRva,
                         size_t* offset, size_t* length) {
  // Type, then id, then the first language: a subdirectory each but the last.
  Entry type{}, name{};
  if (!FindEntry(section, sectionSize, 0, kVersionType, &type) || !(type.data & kHighBit))
    return false;
  if (!FindEntry(section, sectionSize, type.data & ~kHighBit, kVersionId, &name) ||
      !(name.data & kHighBit))
    return false;
  const uint8_t* entries = nullptr;
  size_t count = 0;
  if (!DirectoryEntries(section, sectionSize, name.data & ~kHighBit, &entries, &count) ||
      count == 0)
    return false;
  Entry language = EntryAt(entries, 0);
  if (language.data & kHighBit) return false;
  uint32_t next = language.data;
  if (!Within(next, kDataEntrySize, sectionSize)) return false;
  uint32_t dataRva = Dword(section + next);
  uint32_t dataSize = Dword(section + next + 4);
  if (dataRva < sectionRva || !Within(dataRva - sectionRva, dataSize, sectionSize)) return false;
  *offset = static_cast<size_t>(dataRva - sectionRva);
  *length = dataSize;
  return true;
}

bool FindVersionValue(const uint8_t* block, size_t blockSize,
                      const std::vector<std::u16string>& path, VersionValue* value) {
  if (block == nullptr || blockSize < 2) return false;
  size_t rootEnd = Word(block);
  if (rootEnd > blockSize) return false;
  Block current;
  if (!ReadBlock(block, 0, rootEnd, &current)) return false;
  for (const std::u16string& key : path) {
    if (key.empty()) continue;
    size_t child = Align4(ValueStart(current) + current.valueLength * (current.isText ? 2 : 1));
    bool found = false;
    // Each child is checked once; a child of length 0 ends the search.
    while (child < current.end) {
      Block candidate;
      if (!ReadBlock(block, child, rootEnd, &candidate)) return false;
      if (KeyIs(block, candidate, key)) {
        current = candidate;
        found = true;
        break;
      }
      child = Align4(candidate.end);
    }
    if (!found) return false;
  }
  size_t start = ValueStart(current);
  if (start >= current.end) start = current.keyStart + current.keyLength * 2;
  value->offset = start;
  value->length = current.valueLength;
  value->isText = current.isText;
  value->available = rootEnd > start ? rootEnd - start : 0;
  return true;
}

}  // namespace host
