// Global memory blocks.
#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "memory";

void Block(const char* label, UINT flags, size_t bytes) {
  ArmError();
  HGLOBAL block = GlobalAlloc(flags, bytes);
  if (block == nullptr) {
    Observe(kArea, "GlobalAlloc", label, "NULL" + Error());
    return;
  }
  Observe(kArea, "GlobalAlloc", label, "handle");
  ArmError();
  void* first = GlobalLock(block);
  Observe(kArea, "GlobalLock", label,
          first == nullptr ? "NULL" + Error()
          : first == block ? "pointer==handle"
                           : "pointer");
  if (first != nullptr && bytes > 0 && (flags & GMEM_ZEROINIT) != 0) {
    const unsigned char* memory = static_cast<const unsigned char*>(first);
    bool zero = true;
    for (size_t i = 0; i < bytes; ++i) zero = zero && memory[i] == 0;
    Observe(kArea, "GlobalAlloc", label, zero ? "zeroed" : "not zeroed");
  }
  void* second = GlobalLock(block);
  Observe(kArea, "GlobalLock", std::string(label) + " again", second == first ? "same" : "other");
  for (int unlock = 1; unlock <= 3; ++unlock) {
    ArmError();
    BOOL locked = GlobalUnlock(block);
    Observe(kArea, "GlobalUnlock", std::string(label) + " " + Number(unlock),
            Number(locked) + (locked ? "" : Error()));
  }
  ArmError();
  HGLOBAL freed = GlobalFree(block);
  Observe(kArea, "GlobalFree", label, freed == nullptr ? "NULL" : "handle" + Error());
}

}  // namespace

void RunMemory() {
  Block("GMEM_FIXED 16", GMEM_FIXED, 16);
  Block("GMEM_FIXED 0", GMEM_FIXED, 0);
  Block("GMEM_FIXED|GMEM_ZEROINIT 64", GMEM_FIXED | GMEM_ZEROINIT, 64);
  Block("GMEM_MOVEABLE 16", GMEM_MOVEABLE, 16);
  Block("GMEM_MOVEABLE 0", GMEM_MOVEABLE, 0);
  Block("GHND 4096", GHND, 4096);
}

}  // namespace conformance
