// The version resource's walk through a resource section and a
// VS_VERSIONINFO block: every prefix and every damaged link of a good
// section is refused without reading outside the bytes given.
#include "host/src/version_resource.h"

#include <gtest/gtest.h>

#include <cstdint>
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

// A VS_VERSIONINFO block with file version 1.2.3.4 and no children.
std::vector<uint8_t> VersionBlock() {
  std::vector<uint8_t> block;
  const char key[] = "VS_VERSION_INFO";
  size_t at = 6;
  for (const char* c = key;; ++c, at += 2) {
    PutWord(&block, at, static_cast<uint8_t>(*c));
    if (*c == '\0') break;
  }
  at = 40;  // after the key, on a 4-byte boundary
  PutDword(&block, at, VS_FFI_SIGNATURE);
  PutDword(&block, at + 8, 0x00010002);
  PutDword(&block, at + 12, 0x00030004);
  PutDword(&block, at + 48, 0);  // the last field: 52 bytes in all
  PutWord(&block, 0, static_cast<uint16_t>(block.size()));
  PutWord(&block, 2, 52);
  return block;
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

TEST(VersionResourceTest, FindsTheBlockAndItsFixedPart) {
  std::vector<uint8_t> section = ResourceSection();
  size_t offset = 0, length = 0;
  uint32_t error = 0;
  ASSERT_TRUE(host::FindVersionResource(section.data(), section.size(), kSectionRva, &offset,
                                        &length, &error));
  EXPECT_EQ(offset, 0x60u);
  EXPECT_EQ(length, VersionBlock().size());
  size_t fixed = 0;
  ASSERT_TRUE(host::FixedFileInfoOffset(section.data() + offset, length, &fixed));
  EXPECT_EQ(fixed, 40u);
}

TEST(VersionResourceTest, EveryShorterSectionIsRefused) {
  std::vector<uint8_t> section = ResourceSection();
  for (size_t size = 0; size < section.size(); ++size) {
    // A copy of exactly size bytes, so that a read past it is caught.
    std::vector<uint8_t> prefix(section.begin(), section.begin() + static_cast<long>(size));
    size_t offset = 0, length = 0;
    uint32_t error = 0;
    EXPECT_FALSE(host::FindVersionResource(prefix.data(), prefix.size(), kSectionRva, &offset,
                                           &length, &error))
        << size;
  }
}

TEST(VersionResourceTest, DamagedLinksAreRefused) {
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    uint32_t error;
  } cases[] = {
      {"no version type", 16, 6, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {"type is not a directory", 20, 0x18, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {"type directory outside", 20, 0x80000000u | 0xfff0, ERROR_RESOURCE_DATA_NOT_FOUND},
      {"many entries", 12, 0xffff0000u, ERROR_RESOURCE_DATA_NOT_FOUND},
      {"language is a directory", 0x30 + 20, 0x80000000u | 0x30, ERROR_RESOURCE_DATA_NOT_FOUND},
      {"data entry outside", 0x30 + 20, 0x5c, ERROR_RESOURCE_DATA_NOT_FOUND},
      {"data before the section", 0x48, kSectionRva - 1, ERROR_RESOURCE_DATA_NOT_FOUND},
      {"data past the section", 0x4c, 0x1000, ERROR_RESOURCE_DATA_NOT_FOUND},
      {"data size wraps", 0x4c, 0xffffffffu, ERROR_RESOURCE_DATA_NOT_FOUND},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> section = ResourceSection();
    PutDword(&section, c.at, c.value);
    size_t offset = 0, length = 0;
    uint32_t error = 0;
    EXPECT_FALSE(host::FindVersionResource(section.data(), section.size(), kSectionRva, &offset,
                                           &length, &error))
        << c.what;
    EXPECT_EQ(error, c.error) << c.what;
  }
}

TEST(VersionResourceTest, DamagedBlocksHaveNoFixedPart) {
  std::vector<uint8_t> good = VersionBlock();
  size_t fixed = 0;
  for (size_t size = 0; size < good.size(); ++size) {
    std::vector<uint8_t> prefix(good.begin(), good.begin() + static_cast<long>(size));
    EXPECT_FALSE(host::FixedFileInfoOffset(prefix.data(), prefix.size(), &fixed)) << size;
  }
  struct Case {
    const char* what;
    size_t at;
    uint16_t value;
  } cases[] = {
      {"own length beyond the bytes", 0, 0xffff},
      {"own length short of the fixed part", 0, 80},
      {"value too short", 2, 51},
      {"another key", 8, 'X'},
      {"bad signature", 40, 0},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> block = good;
    PutWord(&block, c.at, c.value);
    EXPECT_FALSE(host::FixedFileInfoOffset(block.data(), block.size(), &fixed)) << c.what;
  }
}

}  // namespace
