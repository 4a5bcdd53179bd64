// The version resource's walk through a resource section and a
// VS_VERSIONINFO block: the resource of id 1 only, values by their paths,
// and every prefix and damaged link refused without reading outside the
// bytes given.
#include "host/src/version/version_resource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "winapi.h"

namespace {

constexpr uint32_t kSectionRva = 0x6000;

void PutWord(std::vector<uint8_t>* bytes, size_t at, uint16_t value) {
  if (bytes->size() < at + 2) bytes->resize(at + 2);
  (*bytes)[at] = static_cast<uint8_t>(value);
  (*bytes)[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutDword(std::vector<uint8_t>* bytes, size_t at, uint32_t value) {
  PutWord(bytes, at, static_cast<uint16_t>(value));
  PutWord(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

void Align(std::vector<uint8_t>* bytes) { bytes->resize((bytes->size() + 3) & ~size_t{3}, 0); }

// One block: header, key, value, children, as windres lays them out. A text
// value is given in ASCII and stored in UTF-16 with its zero.
std::vector<uint8_t> Block(const char* key, const std::string& value, bool isText,
                           const std::vector<std::vector<uint8_t>>& children = {}) {
  std::vector<uint8_t> block(6, 0);
  for (const char* c = key;; ++c) {
    PutWord(&block, block.size(), static_cast<uint8_t>(*c));
    if (*c == '\0') break;
  }
  Align(&block);
  if (isText) {
    for (char c : value) PutWord(&block, block.size(), static_cast<uint8_t>(c));
    PutWord(&block, block.size(), 0);
  } else {
    block.insert(block.end(), value.begin(), value.end());
  }
  uint16_t valueLength = static_cast<uint16_t>(isText ? value.size() + 1 : value.size());
  for (const std::vector<uint8_t>& child : children) {
    Align(&block);
    block.insert(block.end(), child.begin(), child.end());
  }
  PutWord(&block, 0, static_cast<uint16_t>(block.size()));
  PutWord(&block, 2, valueLength);
  PutWord(&block, 4, isText ? 1 : 0);
  return block;
}

// File version 1.2.3.4; CompanyName "Kyroth" in 040904B0; one translation.
std::vector<uint8_t> VersionBlock() {
  std::string fixed(52, '\0');
  const uint32_t words[] = {VS_FFI_SIGNATURE, 0x10000, 0x00010002, 0x00030004};
  std::memcpy(&fixed[0], words, sizeof words);
  return Block("VS_VERSION_INFO", fixed, false,
               {Block("StringFileInfo", "", true,
                      {Block("040904B0", "", true, {Block("CompanyName", "Kyroth", true)})}),
                Block("VarFileInfo", "", true,
                      {Block("Translation", std::string("\x09\x04\xb0\x04", 4), false)})});
}

// Root (one id entry: type 16) -> names (one: id 1) -> languages (one:
// 0x409) -> data entry -> the block, all in one section.
std::vector<uint8_t> ResourceSection() {
  std::vector<uint8_t> section(0x60, 0);
  PutWord(&section, 14, 1);
  PutDword(&section, 16, 16);
  PutDword(&section, 20, 0x80000000u | 0x18);
  PutWord(&section, 0x18 + 14, 1);
  PutDword(&section, 0x18 + 16, 1);
  PutDword(&section, 0x18 + 20, 0x80000000u | 0x30);
  PutWord(&section, 0x30 + 14, 1);
  PutDword(&section, 0x30 + 16, 0x409);
  PutDword(&section, 0x30 + 20, 0x48);
  std::vector<uint8_t> block = VersionBlock();
  PutDword(&section, 0x48, kSectionRva + 0x60);
  PutDword(&section, 0x4c, static_cast<uint32_t>(block.size()));
  section.insert(section.end(), block.begin(), block.end());
  return section;
}

bool Find(const std::vector<uint8_t>& section, size_t* offset, size_t* length) {
  return host::FindVersionResource(section.data(), section.size(), kSectionRva, offset, length);
}

TEST(VersionResourceTest, OnlyTheResourceOfIdOneCounts) {
  struct Case {
    const char* what;
    uint32_t nameEntry;
    bool found;
  } cases[] = {
      {"id 1", 1, true},
      {"id 2", 2, false},
      {"a name, not an id", 0x80000000u | 0x40, false},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> section = ResourceSection();
    PutDword(&section, 0x18 + 16, c.nameEntry);
    size_t offset = 0, length = 0;
    EXPECT_EQ(Find(section, &offset, &length), c.found) << c.what;
    if (c.found) {
      EXPECT_EQ(offset, 0x60u);
      EXPECT_EQ(length, VersionBlock().size());
    }
  }
}

TEST(VersionResourceTest, EveryShorterSectionIsRefused) {
  std::vector<uint8_t> section = ResourceSection();
  for (size_t size = 0; size < section.size(); ++size) {
    // A copy of exactly size bytes, so that a read past it is caught.
    std::vector<uint8_t> prefix(section.begin(), section.begin() + static_cast<long>(size));
    size_t offset = 0, length = 0;
    EXPECT_FALSE(Find(prefix, &offset, &length)) << size;
  }
}

TEST(VersionResourceTest, DamagedLinksAreRefused) {
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
  } cases[] = {
      {"no version type", 16, 6},
      {"type is not a directory", 20, 0x18},
      {"type directory outside", 20, 0x80000000u | 0xfff0},
      {"many entries", 12, 0xffff0000u},
      {"language is a directory", 0x30 + 20, 0x80000000u | 0x30},
      {"data entry outside", 0x30 + 20, 0x5c},
      {"data before the section", 0x48, kSectionRva - 1},
      {"data past the section", 0x4c, 0x1000},
      {"data size wraps", 0x4c, 0xffffffffu},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> section = ResourceSection();
    PutDword(&section, c.at, c.value);
    size_t offset = 0, length = 0;
    EXPECT_FALSE(Find(section, &offset, &length)) << c.what;
  }
}

// VerQueryValueA on the block: paths in any letter case, binary values in
// place, texts converted; a path not found clears the length.
TEST(VersionResourceTest, ValuesByPath) {
  std::vector<uint8_t> block = VersionBlock();
  struct Case {
    const char* path;
    bool found;
    UINT length;
    std::string value;  // the bytes the pointer shows
  } cases[] = {
      {"\\", true, 52, std::string("\xbd\x04\xef\xfe", 4)},
      {"", true, 52, std::string("\xbd\x04\xef\xfe", 4)},
      {"\\VarFileInfo\\Translation", true, 4, std::string("\x09\x04\xb0\x04", 4)},
      {"\\varfileinfo\\TRANSLATION", true, 4, std::string("\x09\x04\xb0\x04", 4)},
      {"\\\\VarFileInfo\\\\Translation\\", true, 4, std::string("\x09\x04\xb0\x04", 4)},
      {"\\StringFileInfo\\040904B0\\CompanyName", true, 7, std::string("Kyroth", 7)},
      {"\\stringfileinfo\\040904b0\\COMPANYNAME", true, 7, std::string("Kyroth", 7)},
      {"\\StringFileInfo\\040904B0\\Company", false, 0, ""},
      {"\\VarFileInfo\\Translation\\x", false, 0, ""},
      {"\\Missing", false, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    LPVOID value = nullptr;
    UINT length = 99;
    SetLastError(0);
    ASSERT_EQ(VerQueryValueA(block.data(), c.path, &value, &length), c.found ? TRUE : FALSE);
    EXPECT_EQ(length, c.length);
    if (!c.found) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
      continue;
    }
    EXPECT_EQ(std::string(static_cast<const char*>(value), c.value.size()), c.value);
  }
  LPVOID value = nullptr;
  EXPECT_FALSE(VerQueryValueA(nullptr, "\\", &value, nullptr));
}

TEST(VersionResourceTest, DamagedBlocksAreRefused) {
  const std::vector<uint8_t> good = VersionBlock();
  const std::vector<std::u16string> company = {u"StringFileInfo", u"040904B0", u"CompanyName"};
  host::VersionValue value;
  ASSERT_TRUE(host::FindVersionValue(good.data(), good.size(), company, &value));
  for (size_t size = 0; size < good.size(); ++size) {
    std::vector<uint8_t> prefix(good.begin(), good.begin() + static_cast<long>(size));
    EXPECT_FALSE(host::FindVersionValue(prefix.data(), prefix.size(), company, &value)) << size;
  }
  // The first child of the root starts at 92: header, key, fixed part.
  struct Case {
    const char* what;
    size_t at;
    uint16_t value;
  } cases[] = {
      {"own length beyond the bytes", 0, 0xffff},
      {"child of length 0", 92, 0},
      {"child longer than the root", 92, 0xfff0},
      {"child key without its zero", 94, 0},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> block = good;
    PutWord(&block, c.at, c.value);
    if (std::string(c.what) == "child key without its zero")
      for (size_t at = 98; at < block.size(); at += 2) PutWord(&block, at, 'x');
    EXPECT_FALSE(host::FindVersionValue(block.data(), block.size(), company, &value)) << c.what;
  }
}

}  // namespace
