// Finding a section of a PE image (an .EXE or .DLL of Win32) from its
// headers: the MZ header's link to the PE signature, the file header's
// section count and optional header size, the optional header's magic, and
// the section table. The bytes are untrusted: each field is read through the
// caller's reader at an offset the headers give, and a section is only
// given when its bytes lie within the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace host {

// Reads count bytes at offset of the image into buffer; false when the image
// has fewer bytes there or cannot be read.
using ImageReader = std::function<bool(uint64_t offset, void* buffer, size_t count)>;

struct ImageSection {
  uint32_t rva = 0;         // its relative virtual address
  uint64_t fileOffset = 0;  // where its bytes start in the file
  uint32_t size = 0;        // its bytes in the file
};

// The first section of that name (".rsrc"; at most 8 characters) of the PE
// image of fileSize bytes, 32-bit or 64-bit. Its size is its raw data's,
// less the padding beyond its virtual size. False when the bytes are no PE
// image, have no such section, or its bytes lie beyond the file's end.
bool FindImageSection(const ImageReader& read, uint64_t fileSize, const char* name,
                      ImageSection* section);

}  // namespace host
