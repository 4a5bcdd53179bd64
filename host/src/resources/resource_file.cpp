#include "resources/resource_file.h"

namespace host::res {
namespace {

// DataSize, HeaderSize, the two shortest names (ordinals), then the fixed
// fields after them.
constexpr size_t kShortestHeader = 8 + 4 + 4 + 16;

bool Fail(size_t offset, const char* what, std::string* error) {
  *error = "resource entry at offset " + std::to_string(offset) + ": " + what;
  return false;
}

}  // namespace

bool ReadResourceFile(const uint8_t* bytes, size_t size, std::vector<ResourceEntry>* entries,
                      std::string* error) {
  entries->clear();
  FieldReader file(bytes, size);
  bool first = true;
  while (file.Remaining() > 0) {
    size_t start = file.Position();
    uint32_t dataSize = 0;
    uint32_t headerSize = 0;
    if (!file.Dword(&dataSize) || !file.Dword(&headerSize))
      return Fail(start, "the header is cut short", error);
    if (headerSize < kShortestHeader || headerSize - 8 > file.Remaining())
      return Fail(start, "the header's size does not fit", error);
    // The names and fields are read within the header alone.
    FieldReader header(bytes + start, headerSize);
    header.Skip(8);
    ResourceEntry entry;
    uint32_t dataVersion = 0;
    if (!header.NameOrOrdinal(&entry.type) || !header.NameOrOrdinal(&entry.name) ||
        !header.AlignTo4() || !header.Dword(&dataVersion) || !header.Word(&entry.memoryFlags) ||
        !header.Word(&entry.language))
      return Fail(start, "the names run past the header", error);
    file.Skip(headerSize - 8);
    if (dataSize > file.Remaining()) return Fail(start, "the data runs past the end", error);
    entry.data = bytes + file.Position();
    entry.size = dataSize;
    file.Skip(dataSize);
    // The last entry's padding may be left out.
    if (!file.AlignTo4()) file.Skip(file.Remaining());
    bool mark = dataSize == 0 && entry.type.isOrdinal && entry.type.ordinal == 0 &&
                entry.name.isOrdinal && entry.name.ordinal == 0;
    if (first && !mark) return Fail(start, "not a 32-bit resource file", error);
    if (!first) entries->push_back(std::move(entry));
    first = false;
  }
  if (first) return Fail(0, "no entries", error);
  return true;
}

}  // namespace host::res
