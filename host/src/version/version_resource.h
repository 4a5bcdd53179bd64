// Finding a version resource in the bytes of a PE image's resource section
// and the values of a VS_VERSIONINFO block. Both read untrusted bytes: every
// offset and length is checked against the bytes given before it is used,
// and neither follows a link more than once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

// Where the version resource's data lies in the resource section (section,
// sectionSize bytes, loaded at relative virtual address sectionRva): the
// root directory's entry of type 16 (RT_VERSION), in it the entry of id 1
// (VS_VERSION_INFO; a version resource of another name or id is not the
// file's), and its first language. False when there is none, or when the
// directory or the data lies outside the section.
bool FindVersionResource(const uint8_t* section, size_t sectionSize, uint64_t sectionRva,
                         size_t* offset, size_t* length);

// A value of a 32-bit VS_VERSIONINFO block (keys in UTF-16).
struct VersionValue {
  size_t offset = 0;     // where the value starts in the block
  size_t length = 0;     // the block's wValueLength: characters for text, else bytes
  bool isText = false;   // wType 1
  size_t available = 0;  // the bytes from offset to the end of the block
};

// The value at path, given as its keys (empty keys are skipped; none is the
// block's own value, its VS_FIXEDFILEINFO), found as VerQueryValue finds it:
// at each level the first child whose key equals the next key, ignoring
// letter case. A value that would start past its block's end is the empty
// text at the end of its key. The block's own length (its first WORD), which
// must not exceed blockSize, bounds every read. False when a key is not
// found or the block is damaged.
bool FindVersionValue(const uint8_t* block, size_t blockSize,
                      const std::vector<std::u16string>& path, VersionValue* value);

}  // namespace host
