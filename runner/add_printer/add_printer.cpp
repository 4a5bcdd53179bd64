#include "add_printer.h"

#include <utility>
#include <vector>

#include "options.h"
#include "printer_registry.h"
#include "transcript.h"
#include "winapi.h"

namespace {

std::string WindowsDirectory(bool system) {
  char path[MAX_PATH] = {};
  UINT length =
      system ? GetSystemDirectoryA(path, sizeof path) : GetWindowsDirectoryA(path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

bool IsPlainFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Makes the directories of path's directory part that are missing.
void MakeDirectories(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
}

bool CopyExpanded(const PrinterFileCopy& copy, std::string* error) {
  MakeDirectories(copy.destination);
  HFILE source = _lopen(copy.source.c_str(), OF_READ);
  if (source == HFILE_ERROR) {
    *error = "cannot open " + copy.source;
    return false;
  }
  HFILE target = _lcreat(copy.destination.c_str(), 0);
  if (target == HFILE_ERROR) {
    _lclose(source);
    *error = "cannot create " + copy.destination;
    return false;
  }
  LONG copied = LZCopy(source, target);
  _lclose(source);
  _lclose(target);
  if (copied < 0) {
    *error = "cannot copy " + copy.source + " to " + copy.destination + " (LZCopy " +
             std::to_string(copied) + ")";
    return false;
  }
  TranscriptLine("add printer copy " + TranscriptQuote(copy.source) + " " +
                 TranscriptQuote(copy.destination));
  return true;
}

using Values = std::vector<std::pair<std::string, std::string>>;

bool WriteKey(const std::string& path, const Values& values, std::string* error) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    *error = "cannot create the key " + path;
    return false;
  }
  for (const auto& [name, data] : values) {
    if (RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1)) != ERROR_SUCCESS) {
      RegCloseKey(key);
      *error = "cannot write the value " + name + " of " + path;
      return false;
    }
    TranscriptLine("add printer value " + TranscriptQuote("HKLM\\" + path) + " " +
                   TranscriptQuote(name) + " " + TranscriptQuote(data));
  }
  RegCloseKey(key);
  return true;
}

}  // namespace

bool ReadPrinterInstallPlan(const std::string& infPath, const std::string& model,
                            PrinterInstallPlan* plan, std::string* error) {
  InfFile inf;
  std::string readError;
  if (!ReadInfFile(infPath, &inf, &readError)) {
    *error = infPath + ": " + readError;
    return false;
  }
  PrinterInfPlace place;
  place.inf_path = infPath;
  place.windows_dir = WindowsDirectory(false);
  place.system_dir = WindowsDirectory(true);
  place.file_exists = IsPlainFile;
  if (place.windows_dir.empty() || place.system_dir.empty()) {
    *error = "the machine reports no Windows or system directory";
    return false;
  }
  return PlanPrinterInstall(inf, model, place, plan, error);
}

bool CarryOutPrinterInstall(const PrinterInstallPlan& plan, const std::string& printer,
                            std::string* error) {
  for (const PrinterFileCopy& copy : plan.copies) {
    if (!CopyExpanded(copy, error)) return false;
  }
  // The driver first: the printer names it.
  return WriteKey(std::string(kDriversKey) + "\\" + plan.model,
                  {{"Driver", plan.driver_file},
                   {"Data File", plan.data_file},
                   {"Configuration File", plan.config_file}},
                  error) &&
         WriteKey(std::string(kPrintersKey) + "\\" + printer,
                  {{"Name", printer}, {"Printer Driver", plan.model}, {"Port", kDefaultPort}},
                  error);
}

bool AddPrinterFromInf(const std::string& infPath, const std::string& model,
                       const std::string& printer, PrinterInstallPlan* plan, std::string* error) {
  if (!ReadPrinterInstallPlan(infPath, model, plan, error) ||
      !CarryOutPrinterInstall(*plan, printer, error)) {
    return false;
  }
  if (!plan->vendor_dll.empty()) {
    TranscriptLine("add printer call " + TranscriptQuote(plan->vendor_dll) + " " +
                   TranscriptQuote(plan->vendor_function) + " " + TranscriptQuote(printer));
  }
  return true;
}

bool InstallPrinterForRunner(const RunnerOptions& options, std::string* modulePath,
                             std::string* function, std::string* error) {
  if (options.inf.empty()) return true;
  PrinterInstallPlan plan;
  if (!AddPrinterFromInf(options.inf, options.model, options.printer, &plan, error)) return false;
  *modulePath = plan.vendor_dll;
  *function = plan.vendor_function;
  return true;
}
