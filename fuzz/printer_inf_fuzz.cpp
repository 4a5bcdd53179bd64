// Add Printer's plan from a printer INF (runner/add_printer/printer_inf.h)
// for every model the INF lists, the disk holding every file, or none. A
// plan copies only plain names below the Windows or system directory or the
// disk's root, its VendorSetup DLL is one it copies; a refusal names the INF
// and, when it gives a line, one inside the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "fuzz_machine.h"
#include "printer_inf.h"

namespace {

bool Below(const std::string& path, const std::string& directory) {
  return path.compare(0, directory.size() + 1, directory + "\\") == 0 &&
         path.find("\\..\\") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  fuzz::UseMachine(fuzz::MachineWithCodePage(input.ConsumeBool()));
  const bool diskHoldsAll = input.ConsumeBool();
  const std::string text = input.ConsumeRemainingBytesAsString();
  int lines = 1;
  for (char c : text) lines += c == '\n';
  const InfFile inf = ParseInfText(text);

  PrinterInfPlace place;
  place.inf_path = "A:\\KYROTH.INF";
  place.windows_dir = "C:\\WINDOWS";
  place.system_dir = "C:\\WINDOWS\\SYSTEM";
  place.file_exists = [diskHoldsAll](const std::string&) { return diskHoldsAll; };
  for (const std::string& model : ListInfModels(inf)) {
    PrinterInstallPlan plan;
    std::string error;
    if (!PlanPrinterInstall(inf, model, place, &plan, &error)) {
      if (error.rfind(place.inf_path, 0) != 0) fuzz::Fail("a refusal without the INF: " + error);
      size_t at = error.find(" line ");
      if (at != std::string::npos && at == place.inf_path.size()) {
        int line = std::atoi(error.c_str() + at + 6);
        if (line < 1 || line > lines) fuzz::Fail("a refusal names line " + std::to_string(line));
      }
      continue;
    }
    if (!diskHoldsAll) fuzz::Fail("a plan from a disk without files");
    bool vendorCopied = plan.vendor_dll.empty();
    for (const PrinterFileCopy& copy : plan.copies) {
      if (!Below(copy.source, "A:") || !Below(copy.destination, "C:\\WINDOWS"))
        fuzz::Fail("a copy from " + copy.source + " to " + copy.destination);
      vendorCopied = vendorCopied || copy.destination == plan.vendor_dll;
    }
    if (!vendorCopied) fuzz::Fail("a VendorSetup DLL nothing copies: " + plan.vendor_dll);
  }
  return 0;
}
