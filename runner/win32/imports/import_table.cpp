#include "import_table.h"

#include <cstring>

void ReplaceImports(HMODULE module, const std::vector<ImportReplacement>& replacements) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return;
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
       entry->Name != 0; ++entry) {
    const char* library = reinterpret_cast<const char*>(base + entry->Name);
    if (entry->OriginalFirstThunk == 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      for (const ImportReplacement& r : replacements) {
        if (lstrcmpiA(library, r.library) != 0 ||
            std::strcmp(reinterpret_cast<const char*>(byName->Name), r.function) != 0) {
          continue;
        }
        DWORD old;
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
        slots->u1.Function = reinterpret_cast<ULONG_PTR>(r.with);
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
      }
    }
  }
}
