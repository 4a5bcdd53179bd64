// Internal to the host layer: the entries of a compiled resource file (.res,
// as i686-w64-mingw32-windres writes it from a resource script), the
// resources that a module carries natively.
//
// A 32-bit resource file is a list of entries, each a header and then its
// data, each entry starting on a 4-byte boundary. The header is
//   DWORD DataSize, DWORD HeaderSize, TYPE, NAME (each an ordinal or a
//   UTF-16 text), padding to 4 bytes, DWORD DataVersion, WORD MemoryFlags,
//   WORD LanguageId, DWORD Version, DWORD Characteristics
// (RESOURCEHEADER on learn.microsoft.com, menurc/resourceheader). The first
// entry is empty (no data, type and name ordinal 0): it marks the file as a
// 32-bit one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "resource_fields.h"

namespace host::res {

// The resource types the host reads (winuser.h).
constexpr int kStringType = 6;  // RT_STRING
constexpr int kDialogType = 5;  // RT_DIALOG

struct ResourceEntry {
  ResourceName type;
  ResourceName name;
  WORD language = 0;
  WORD memoryFlags = 0;
  const uint8_t* data = nullptr;  // within the bytes read
  size_t size = 0;
};

// The entries of a resource file, the marking entry left out. False with a
// message naming the entry's offset when the bytes are not such a file:
// a header or data that runs past the end, a header too short for its
// fields, or a first entry that is not the mark (entries then holds those
// read before).
bool ReadResourceFile(const uint8_t* bytes, size_t size, std::vector<ResourceEntry>* entries,
                      std::string* error);

}  // namespace host::res
