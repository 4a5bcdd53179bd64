// Windows' own mapping from Unicode to a code page, best fits included, read
// from the code page's table file in Windows' NLS format ("c_1252.nls"), as
// Wine installs them. The file's layout: a header of WORDs (its length in
// WORDs first, then the code page, the largest character's size in bytes and
// the default character), the byte-to-Unicode table behind a WORD that gives
// its length, and then the Unicode-to-code-page table: 65536 bytes for a
// single-byte code page, 65536 WORDs (lead byte high) for a double-byte one.

#include <map>
#include <string>
#include <vector>

#include "machine/machine_internal.h"
#include "machine/whole_file.h"

namespace host {
namespace {

struct BestFitTable {
  bool loaded = false;
  unsigned characterSize = 1;
  unsigned defaultChar = '?';
  std::vector<unsigned char> bytes;  // the whole file
  size_t unicodeTable = 0;           // byte offset of the Unicode-to-code-page table
};

std::string& TableFolder() {
  static std::string folder = "/usr/share/wine/nls";
  return folder;
}

std::map<unsigned, BestFitTable>& Tables() {
  static std::map<unsigned, BestFitTable> tables;
  return tables;
}

unsigned WordAt(const std::vector<unsigned char>& bytes, size_t word) {
  return bytes[2 * word] | bytes[2 * word + 1] << 8;
}

// Reads and checks the table of a code page; a missing or malformed file
// leaves it unloaded.
BestFitTable Load(unsigned codePage) {
  BestFitTable table;
  std::string content;
  if (!sys::ReadWholeFile(TableFolder() + "/c_" + std::to_string(codePage) + ".nls", &content))
    return table;
  table.bytes.assign(content.begin(), content.end());
  size_t words = table.bytes.size() / 2;
  if (words < 13) return table;
  size_t header = WordAt(table.bytes, 0);
  if (header < 4 || header >= words || WordAt(table.bytes, 1) != codePage) return table;
  table.characterSize = WordAt(table.bytes, 2);
  table.defaultChar = WordAt(table.bytes, 3);
  size_t unicodeWord = header + WordAt(table.bytes, header) + 1;
  size_t entrySize = table.characterSize == 2 ? 2 : 1;
  if (table.characterSize > 2 || unicodeWord * 2 + 65536 * entrySize > table.bytes.size())
    return table;
  table.unicodeTable = unicodeWord * 2;
  table.loaded = true;
  return table;
}

}  // namespace

void SetBestFitTableFolder(const std::string& folder) {
  TableFolder() = folder;
  Tables().clear();
}

bool BestFitOf(unsigned codePage, char32_t c, std::string* bytes) {
  auto found = Tables().find(codePage);
  if (found == Tables().end()) found = Tables().emplace(codePage, Load(codePage)).first;
  const BestFitTable& table = found->second;
  if (!table.loaded) return false;
  unsigned mapped = table.defaultChar;
  if (c <= 0xFFFF) {
    const unsigned char* entry = table.bytes.data() + table.unicodeTable;
    mapped = table.characterSize == 2 ? WordAt(table.bytes, table.unicodeTable / 2 + c) : entry[c];
  }
  bytes->clear();
  if (mapped > 0xFF) bytes->push_back(static_cast<char>(mapped >> 8));
  bytes->push_back(static_cast<char>(mapped & 0xFF));
  return true;
}

}  // namespace host
