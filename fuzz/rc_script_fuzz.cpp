// The resource script reader the host builds the module's dialogs from. Any
// text either reads or is refused with the line that is wrong; every dialog
// read is found again by its name, and every control by its id.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_machine.h"
#include "host/src/rc_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  host::rc::ResourceScript script;
  std::string error;
  if (!host::rc::ParseResourceScript(text, &script, &error)) {
    size_t lines = 1;
    for (char c : text) lines += c == '\n';
    if (error.rfind("line ", 0) != 0) fuzz::Fail("a refusal that names no line: " + error);
    if (std::strtoul(error.c_str() + 5, nullptr, 10) > lines)
      fuzz::Fail("a refusal beyond the last line: " + error);
    return 0;
  }
  for (const host::rc::DialogTemplate& dialog : script.dialogs) {
    const host::rc::ResourceName& name = dialog.name;
    LPCSTR asked = name.isOrdinal ? MAKEINTRESOURCEA(name.ordinal) : name.text.c_str();
    // No call can name ordinal 0 (a null name) or one beyond 16 bits.
    if (name.isOrdinal && (name.ordinal == 0 || name.ordinal != LOWORD(name.ordinal))) continue;
    const host::rc::DialogTemplate* found = script.FindDialog(asked);
    if (found == nullptr || !found->name.Matches(asked))
      fuzz::Fail("a dialog is not found by its name: " + name.Display());
    for (const host::rc::Control& control : dialog.controls) {
      const host::rc::Control* same = dialog.FindControl(control.id);
      if (same == nullptr || same->id != control.id) fuzz::Fail("a control is not found by its id");
    }
  }
  return 0;
}
