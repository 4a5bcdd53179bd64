// Finding a version resource in the bytes of a PE image's resource section
// and its fixed part in a VS_VERSIONINFO block. Both read untrusted bytes:
// every offset and length is checked against the bytes given before it is
// used, and neither follows a link more than once.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

// Where the version resource's data lies in the resource section (section,
// sectionSize bytes, loaded at relative virtual address sectionRva): the
// root directory's entry of type 16 (RT_VERSION), its first name, its first
// language. False with ERROR_RESOURCE_TYPE_NOT_FOUND when there is no such
// entry, ERROR_RESOURCE_DATA_NOT_FOUND when the directory or the data lies
// outside the section.
bool FindVersionResource(const uint8_t* section, size_t sectionSize, uint64_t sectionRva,
                         size_t* offset, size_t* length, uint32_t* error);

// The offset of the VS_FIXEDFILEINFO (52 bytes, signature 0xFEEF04BD) in a
// 32-bit VS_VERSIONINFO block of blockSize bytes; the block's own length,
// which must not exceed blockSize, bounds the search. False when there is
// none.
bool FixedFileInfoOffset(const uint8_t* block, size_t blockSize, size_t* offset);

}  // namespace host
