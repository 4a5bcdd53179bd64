// Global memory blocks: GlobalAlloc, GlobalLock, GlobalUnlock, GlobalFree.

#include <sys/mman.h>

#include <cstring>
#include <map>
#include <memory>
#include <new>

#include "kernel32/kernel32_internal.h"
#include "winapi.h"

namespace host {
namespace {

// A fixed block's memory: mapped below 2^32, because its address is its
// handle, as on Windows, and handles must fit the DWORD code keeps them in.
struct FixedMemory {
  void* address = nullptr;
  size_t mapped = 0;
  FixedMemory() = default;
  FixedMemory(const FixedMemory&) = delete;
  FixedMemory& operator=(const FixedMemory&) = delete;
  FixedMemory(FixedMemory&& other) noexcept { *this = std::move(other); }
  FixedMemory& operator=(FixedMemory&& other) noexcept {
    std::swap(address, other.address);
    std::swap(mapped, other.mapped);
    return *this;
  }
  ~FixedMemory() {
    if (address != nullptr) munmap(address, mapped);
  }
};

// A fixed block of 0 bytes still has an address, so it is given one byte.
void* MapLow(size_t bytes, FixedMemory* memory) {
  size_t mapped = bytes == 0 ? 1 : bytes;
  int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#ifdef MAP_32BIT
  flags |= MAP_32BIT;
#endif
  void* address = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, flags, -1, 0);
  if (address == MAP_FAILED) return nullptr;
  if (reinterpret_cast<uintptr_t>(address) >> 32 != 0) {
    munmap(address, mapped);
    return nullptr;
  }
  memory->address = address;
  memory->mapped = mapped;
  return address;
}

struct Block {
  std::unique_ptr<char[]> data;  // a moveable block's; null for one of no bytes
  FixedMemory fixed;             // a fixed block's
  size_t size = 0;
  bool moveable = false;
  int locks = 0;
  char* Memory() const { return moveable ? data.get() : static_cast<char*>(fixed.address); }
};

struct Blocks {
  std::map<uintptr_t, Block> blocks;
  // Moveable blocks' handles are small numbers, below 2^32 as on 32-bit
  // Windows, so that code keeping one in a DWORD works; they are never
  // reused. They lie below the low addresses fixed blocks are mapped at.
  uintptr_t nextHandle = kFirstHandle;
  static constexpr uintptr_t kFirstHandle = 0x00100000;
  static constexpr uintptr_t kHandleStep = 8;
};

Blocks& TheBlocks() {
  static Blocks blocks;
  return blocks;
}

Block* Find(HGLOBAL memory) {
  auto found = TheBlocks().blocks.find(reinterpret_cast<uintptr_t>(memory));
  return found == TheBlocks().blocks.end() ? nullptr : &found->second;
}

// Memory that GMEM_ZEROINIT does not clear holds this pattern, so that code
// relying on zeroed memory it did not ask for fails visibly.
constexpr unsigned char kUninitialised = 0xCD;

}  // namespace

void ResetMemory() { TheBlocks() = Blocks(); }

}  // namespace host

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT flags, size_t bytes) {
  host::Block block;
  block.moveable = (flags & GMEM_MOVEABLE) != 0;
  block.size = bytes;
  if (!block.moveable) {
    if (host::MapLow(bytes, &block.fixed) == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  } else if (bytes > 0) {
    block.data.reset(new (std::nothrow) char[bytes]);
    if (block.data == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  }
  if (bytes > 0)
    std::memset(block.Memory(), (flags & GMEM_ZEROINIT) ? 0 : host::kUninitialised, bytes);
  host::Blocks& blocks = host::TheBlocks();
  uintptr_t handle = reinterpret_cast<uintptr_t>(block.fixed.address);
  if (block.moveable) {
    handle = blocks.nextHandle;
    blocks.nextHandle += host::Blocks::kHandleStep;
  }
  blocks.blocks[handle] = std::move(block);
  return reinterpret_cast<HGLOBAL>(handle);
}

LPVOID WINAPI GlobalLock(HGLOBAL memory) {
  host::Block* block = host::Find(memory);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // A moveable block of no bytes has no memory to lock, as a discarded
  // block; a fixed block is its memory, whatever its size.
  if (block->Memory() == nullptr) {
    SetLastError(ERROR_DISCARDED);
    return nullptr;
  }
  if (block->moveable) ++block->locks;
  return block->Memory();
}

BOOL WINAPI GlobalUnlock(HGLOBAL memory) {
  host::Block* block = host::Find(memory);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!block->moveable) return TRUE;
  if (block->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--block->locks > 0) return TRUE;
  SetLastError(NO_ERROR);
  return FALSE;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL memory) {
  if (host::Find(memory) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return memory;
  }
  host::TheBlocks().blocks.erase(reinterpret_cast<uintptr_t>(memory));
  return nullptr;
}

}  // extern "C"
