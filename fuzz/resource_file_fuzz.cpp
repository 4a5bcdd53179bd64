// The reader of compiled resources (.res files) the host makes dialogs from.
// Any bytes either read or are refused with a message and nothing kept;
// every dialog read is found again by its name, every control by its id, and
// the strings of every string block read within the block.
#include <cstdint>
#include <string>

#include "fuzz_machine.h"
#include "host/src/resources/module_resources.h"
#include "host/src/resources/string_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  host::res::ModuleResources resources;
  std::string error;
  if (!host::res::ReadModuleResources(data, size, &resources, &error)) {
    if (error.empty()) fuzz::Fail("a refusal without a message");
    if (!resources.entries.empty() || !resources.dialogs.empty())
      fuzz::Fail("a refused file left entries behind");
    return 0;
  }
  for (const host::res::DialogTemplate& dialog : resources.dialogs) {
    const host::res::ResourceName& name = dialog.name;
    // No call can name ordinal 0 (a null name), nor a text name that begins
    // with '#': FindResource reads "#..." as an ordinal in decimal.
    if (name.isOrdinal && name.ordinal == 0) continue;
    if (!name.isOrdinal && !name.text.empty() && name.text[0] == '#') continue;
    LPCSTR asked = name.isOrdinal ? MAKEINTRESOURCEA(name.ordinal) : name.text.c_str();
    const host::res::DialogTemplate* found = resources.FindDialog(asked);
    if (found == nullptr || !found->name.Matches(asked))
      fuzz::Fail("a dialog is not found by its name: " + name.Display());
    for (const host::res::Control& control : dialog.controls) {
      const host::res::Control* same = dialog.FindControl(control.id);
      if (same == nullptr || same->id != control.id) fuzz::Fail("a control is not found by its id");
    }
  }
  for (const host::res::ResourceEntry& entry : resources.entries) {
    if (!entry.type.isOrdinal || entry.type.ordinal != host::res::kStringType) continue;
    if (!entry.name.isOrdinal || entry.name.ordinal == 0) continue;
    unsigned first = static_cast<unsigned>(entry.name.ordinal - 1) * host::res::kStringsPerBlock;
    for (unsigned id = first; id < first + host::res::kStringsPerBlock; ++id) {
      std::string text;
      resources.FindString(id, &text);
    }
  }
  return 0;
}
