// Internal to the host layer: strings of a compiled string table, as
// LoadString finds them.
//
// A string table is kept in blocks of 16 strings: string ID is in the block
// resource named ID / 16 + 1 (an RT_STRING ordinal), at position ID % 16.
// A block holds its 16 strings one after the other, each a WORD count of
// UTF-16 characters and then the characters, without a terminator; a string
// the script lacks has count 0 (The Old New Thing, "The format of string
// resources", 2004-01-30; the SDK's resource format notes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace host::res {

constexpr unsigned kStringsPerBlock = 16;

// The ordinal of the block that holds string id.
int StringBlockOf(unsigned id);

// String id % 16 of a block, in the ANSI code page. False when the block
// ends before it (an empty string is found, as LoadString finds it).
bool FindBlockString(const uint8_t* block, size_t size, unsigned id, std::string* text);

}  // namespace host::res
