#include <cstring>

#include "host_fixture.h"
#include "winapi.h"

namespace {

using MemoryTest = MachineTest;

TEST_F(MemoryTest, MoveableBlockLocksAndZeroes) {
  HGLOBAL block = GlobalAlloc(GHND, 1000);
  ASSERT_NE(block, nullptr);
  EXPECT_LT(reinterpret_cast<uintptr_t>(block), uintptr_t{1} << 32);
  char* data = static_cast<char*>(GlobalLock(block));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::string(data, 1000), std::string(1000, '\0'));
  data[999] = 'z';  // the last byte is the block's
  EXPECT_EQ(GlobalLock(block), data);
  EXPECT_TRUE(GlobalUnlock(block));  // still locked once
  SetLastError(ERROR_INVALID_HANDLE);
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  EXPECT_EQ(GlobalFree(block), nullptr);
  EXPECT_EQ(GlobalFree(block), block);  // freed already
  EXPECT_EQ(GlobalLock(block), nullptr);
}

TEST_F(MemoryTest, UnzeroedBlockIsNotZero) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
  const char* data = static_cast<const char*>(GlobalLock(block));
  EXPECT_NE(std::string(data, 16), std::string(16, '\0'));
  GlobalUnlock(block);
  GlobalFree(block);
}

TEST_F(MemoryTest, EmptyBlockHasNoMemory) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalLock(block), nullptr);
  EXPECT_EQ(GlobalFree(block), nullptr);
}

// A fixed block's handle is its address, as on Windows, and fits 32 bits;
// a fixed block of no bytes still has an address to lock.
TEST_F(MemoryTest, FixedBlockIsItsOwnAddress) {
  for (size_t bytes : {size_t{0}, size_t{1}, size_t{4096}, size_t{70000}}) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, bytes);
    ASSERT_NE(block, nullptr) << bytes;
    EXPECT_LT(reinterpret_cast<uintptr_t>(block), uintptr_t{1} << 32) << bytes;
    EXPECT_EQ(GlobalLock(block), block) << bytes;
    if (bytes > 0) {
      const char* data = static_cast<const char*>(block);
      EXPECT_EQ(std::string(data, bytes), std::string(bytes, '\0')) << bytes;
    }
    EXPECT_TRUE(GlobalUnlock(block)) << bytes;
    EXPECT_EQ(GlobalFree(block), nullptr) << bytes;
    EXPECT_EQ(GlobalFree(block), block) << bytes;
  }
}

}  // namespace
