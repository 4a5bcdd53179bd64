// Global memory blocks: GlobalAlloc, GlobalLock, GlobalUnlock, GlobalFree.

#include <cstring>
#include <map>
#include <memory>
#include <new>

#include "host_internal.h"
#include "winapi.h"

namespace host {
namespace {

struct Block {
  std::unique_ptr<char[]> data;  // null for a block of no bytes
  size_t size = 0;
  bool moveable = false;
  int locks = 0;
};

struct Blocks {
  std::map<uintptr_t, Block> blocks;
  // Handles are small numbers, below 2^32 as on 32-bit Windows, so that code
  // keeping one in a DWORD works; they are never reused.
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
  if (bytes > 0) {
    block.data.reset(new (std::nothrow) char[bytes]);
    if (block.data == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    std::memset(block.data.get(), (flags & GMEM_ZEROINIT) ? 0 : host::kUninitialised, bytes);
  }
  host::Blocks& blocks = host::TheBlocks();
  uintptr_t handle = blocks.nextHandle;
  blocks.nextHandle += host::Blocks::kHandleStep;
  blocks.blocks[handle] = std::move(block);
  return reinterpret_cast<HGLOBAL>(handle);
}

LPVOID WINAPI GlobalLock(HGLOBAL memory) {
  host::Block* block = host::Find(memory);
  if (block == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // A block of no bytes has no memory to lock, as a discarded block.
  if (block->data == nullptr) return nullptr;
  if (block->moveable) ++block->locks;
  return block->data.get();
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
