// Finding a PE image's section from its headers: the section found, every
// image cut short before the section's end refused, and damaged headers
// refused, without a read outside the bytes given.
#include "host/src/version/pe_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kSignatureAt = 0x40;
constexpr uint32_t kOptionalAt = kSignatureAt + 4 + 20;
constexpr uint16_t kOptionalSize = 0xe0;
constexpr uint32_t kTableAt = kOptionalAt + kOptionalSize;
constexpr uint32_t kRawAt = 0x200;
constexpr uint32_t kVirtualSize = 0x30;  // less than its raw data, padded to 0x200

void Put(std::vector<uint8_t>* bytes, size_t at, uint32_t value, size_t size) {
  for (size_t i = 0; i < size; ++i) (*bytes)[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A 32-bit image with the sections .text and .rsrc, 0x400 bytes.
std::vector<uint8_t> Image() {
  std::vector<uint8_t> image(0x400, 0);
  Put(&image, 0, 0x5a4d, 2);
  Put(&image, 0x3c, kSignatureAt, 4);
  Put(&image, kSignatureAt, 0x4550, 4);
  Put(&image, kSignatureAt + 4 + 2, 2, 2);  // NumberOfSections
  Put(&image, kSignatureAt + 4 + 16, kOptionalSize, 2);
  Put(&image, kOptionalAt, 0x10b, 2);
  const char* names[] = {".text", ".rsrc"};
  for (uint32_t i = 0; i < 2; ++i) {
    const size_t at = kTableAt + i * 40;
    std::memcpy(&image[at], names[i], std::strlen(names[i]));
    Put(&image, at + 8, i == 1 ? kVirtualSize : 0, 4);
    Put(&image, at + 12, 0x1000 * (i + 1), 4);     // VirtualAddress
    Put(&image, at + 16, 0x200, 4);                // SizeOfRawData
    Put(&image, at + 20, i == 1 ? kRawAt : 0, 4);  // PointerToRawData
  }
  return image;
}

bool Find(const std::vector<uint8_t>& image, size_t size, host::ImageSection* section) {
  auto read = [&image, size](uint64_t offset, void* buffer, size_t count) {
    if (offset > size || count > size - offset) return false;
    std::memcpy(buffer, image.data() + offset, count);
    return true;
  };
  return host::FindImageSection(read, size, ".rsrc", section);
}

TEST(PeImageTest, FindsTheSectionWithinItsVirtualSize) {
  host::ImageSection section;
  ASSERT_TRUE(Find(Image(), 0x400, &section));
  EXPECT_EQ(section.rva, 0x2000u);
  EXPECT_EQ(section.fileOffset, kRawAt);
  EXPECT_EQ(section.size, kVirtualSize);
}

TEST(PeImageTest, EveryImageCutBeforeTheSectionsEndIsRefused) {
  const std::vector<uint8_t> image = Image();
  host::ImageSection section;
  for (size_t size = 0; size < kRawAt + kVirtualSize; ++size)
    EXPECT_FALSE(Find(image, size, &section)) << "cut at " << size;
  EXPECT_TRUE(Find(image, kRawAt + kVirtualSize, &section));
}

TEST(PeImageTest, DamagedHeadersAreRefused) {
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    size_t size;
  } cases[] = {
      {"no MZ", 0, 0x5a4e, 2},
      {"signature past the end", 0x3c, 0xfffffff0u, 4},
      {"no PE signature", kSignatureAt, 0x4551, 4},
      {"an unknown optional header", kOptionalAt, 0x107, 2},
      {"no optional header", kSignatureAt + 4 + 16, 0, 2},
      {"the section not counted", kSignatureAt + 4 + 2, 1, 2},
      {"raw data past the end", kTableAt + 40 + 20, 0x3f0, 4},
      {"another name", kTableAt + 40 + 1, 'R', 1},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> image = Image();
    Put(&image, c.at, c.value, c.size);
    host::ImageSection section;
    EXPECT_FALSE(Find(image, image.size(), &section)) << c.what;
  }
}

}  // namespace
