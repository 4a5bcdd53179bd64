// package_check: the static checks of a driver disk, as a vendor runs them
// before shipping it (scripts/check-package runs this program, then the
// Windows 95 check of KYRSETUP.DLL and the installation matrix).
//
//   package_check DISK            the report; status 1 on any problem
//   package_check --list DISK     the models and languages, tab-separated
//   package_check --expand DISK OUT
//                                 every file of the disk, expanded, into OUT
//
// The disk is drive A of a scratch machine on the host layer, so that the
// INF is read by the same reader the runner uses, KYROTH.INI by the module's
// own reader and the compressed files by the same LZCopy.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "add_printer.h"
#include "control_file_view.h"
#include "disk_files.h"
#include "host/machine.h"
#include "installer/installer_state.h"
#include "package_report.h"
#include "printer_inf.h"
#include "winapi.h"

namespace fs = std::filesystem;

namespace {

constexpr char kInfPath[] = "A:\\KYROTH.INF";
constexpr char kControlFilePath[] = "A:\\KYROTH.INI";
constexpr char kSetupDll[] = "KYRSETUP.DLL";
constexpr char kSetupFunction[] = "kyrInstall";
// Files the module installs by fixed names besides those KYROTH.INI names.
const char* const kFixedSources[] = {"kyr.386", "BCFONT.BCF"};

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// A scratch machine: the disk in drive A, OUT (or a scratch folder) as B.
struct ScratchMachine {
  fs::path dir;
  ~ScratchMachine() {
    std::error_code ignored;
    if (!dir.empty()) fs::remove_all(dir, ignored);
  }
};

bool OpenScratchMachine(const std::string& disk, const std::string& out, ScratchMachine* machine) {
  char pattern[] = "/tmp/package-check.XXXXXX";
  if (mkdtemp(pattern) == nullptr) return false;
  machine->dir = pattern;
  fs::create_directories(machine->dir / "c" / "WINDOWS" / "SYSTEM");
  std::ofstream(machine->dir / "machine.ini")
      << "[machine]\nwindows=C:\\WINDOWS\nsystem=C:\\WINDOWS\\SYSTEM\n";
  fs::create_directory_symlink(fs::absolute(disk), machine->dir / "a");
  if (out.empty()) {
    fs::create_directory(machine->dir / "b");
  } else {
    fs::create_directories(out);
    fs::create_directory_symlink(fs::absolute(out), machine->dir / "b");
  }
  std::string error;
  if (!host::OpenMachine(machine->dir.string(), &error)) {
    std::fprintf(stderr, "package_check: %s\n", error.c_str());
    return false;
  }
  return true;
}

// The line of an install-section statement (or its data section's), 0 when
// there is none.
const InfLine* InstallStatement(const InfFile& inf, const std::string& model,
                                const std::string& key) {
  int line = 0;
  const InfSection* install = FindModelInstallSection(inf, model, &line);
  if (install == nullptr) return nullptr;
  const InfLine* found = FindInfKey(*install, key);
  const InfLine* data = FindInfKey(*install, "DataSection");
  if (found == nullptr && data != nullptr && !data->fields.empty()) {
    const InfSection* section = FindInfSection(inf, data->fields[0]);
    if (section != nullptr) found = FindInfKey(*section, key);
  }
  return found;
}

std::string InfAt(int line) {
  return std::string("KYROTH.INF") + (line > 0 ? " line " + std::to_string(line) : "") + ": ";
}

struct Checked {
  InfFile inf;
  ControlFileView control;
  std::map<std::string, PrinterInstallPlan> plans;  // by model
};

void CheckInf(Checked* checked, PackageReport* report) {
  report->Heading("The printer INF (KYROTH.INF)");
  std::string error;
  if (!ReadInfFile(kInfPath, &checked->inf, &error)) {
    report->Problem("KYROTH.INF: " + error);
    return;
  }
  int before = report->Problems();
  for (const InfProblem& problem : checked->inf.problems)
    report->Problem(InfAt(problem.line) + problem.reason);
  PrinterInfPlace place;
  place.inf_path = kInfPath;
  place.windows_dir = "C:\\WINDOWS";
  place.system_dir = "C:\\WINDOWS\\SYSTEM";
  place.file_exists = [](const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  };
  std::vector<std::string> models = ListInfModels(checked->inf);
  if (models.empty()) report->Problem("KYROTH.INF: [Manufacturer] lists no model");
  InfFile clean = checked->inf;
  clean.problems.clear();  // reported above; each model's plan is checked on
  // One line a refusal, with the models it stops: models share sections.
  std::map<std::string, std::string> refusals;
  std::vector<std::string> order;
  for (const std::string& model : models) {
    PrinterInstallPlan plan;
    if (!PlanPrinterInstall(clean, model, place, &plan, &error)) {
      std::string reason = error.substr(error.find("KYROTH.INF"));
      if (refusals.count(reason) == 0) order.push_back(reason);
      std::string& stopped = refusals[reason];
      stopped += (stopped.empty() ? "\"" : ", \"") + model + "\"";
      continue;
    }
    const InfLine* vendor = InstallStatement(clean, model, "VendorSetup");
    if (UpperName(BaseName(plan.vendor_dll)) != kSetupDll ||
        plan.vendor_function != kSetupFunction) {
      report->Problem(InfAt(vendor != nullptr ? vendor->number : 0) + "the install section of \"" +
                      model + "\" must name VendorSetup=" + kSetupDll + "," + kSetupFunction);
      continue;
    }
    checked->plans[model] = plan;
  }
  for (const std::string& reason : order) report->Problem(reason + " (" + refusals[reason] + ")");
  if (report->Problems() == before) {
    report->Ok("KYROTH.INF reads cleanly; " + std::to_string(models.size()) +
               " models, each installs and calls " + kSetupDll + "," + kSetupFunction);
  }
}

void CheckModels(const Checked& checked, PackageReport* report) {
  report->Heading("The models of the INF and of KYROTH.INI's [Control Files]");
  int before = report->Problems();
  std::set<std::string> inControlFile;
  for (const ControlModel& model : checked.control.models) inControlFile.insert(model.name);
  std::vector<std::string> infModels = ListInfModels(checked.inf);
  std::set<std::string> inInf(infModels.begin(), infModels.end());
  for (const std::string& model : infModels) {
    int line = 0;
    FindModelInstallSection(checked.inf, model, &line);
    if (inControlFile.count(model) == 0) {
      report->Problem(InfAt(line) + "the model \"" + model +
                      "\" is not in KYROTH.INI's [Control Files]");
    }
    if (model.size() >= static_cast<size_t>(kPrinterNameSize)) {
      report->Problem(InfAt(line) + "the model \"" + model + "\" is longer than the " +
                      std::to_string(kPrinterNameSize - 1) + " characters the module takes");
    }
  }
  for (const ControlModel& model : checked.control.models) {
    if (inInf.count(model.name) == 0) {
      report->Problem("KYROTH.INI line " + std::to_string(model.line) + ": the model \"" +
                      model.name + "\" is in no maker's section of KYROTH.INF");
    }
  }
  if (report->Problems() == before) report->Ok("the INF and KYROTH.INI name the same models");
}

// Every file the INF or KYROTH.INI names is on the disk under an 8.3 name,
// and the INF copies what the module installs from its own directory.
void CheckFiles(const Checked& checked, const std::map<std::string, DiskFile>& disk,
                std::set<std::string>* named, PackageReport* report) {
  report->Heading("The files on the disk");
  int before = report->Problems();
  named->insert({"KYROTH.INF", "KYROTH.INI"});
  for (const auto& [model, plan] : checked.plans)
    for (const PrinterFileCopy& copy : plan.copies) named->insert(UpperName(BaseName(copy.source)));
  for (const ControlModel& model : checked.control.models) {
    std::set<std::string> needed(std::begin(kFixedSources), std::end(kFixedSources));
    if (!model.program.empty()) needed.insert(model.program);
    for (const ControlLanguage& language : checked.control.languages) {
      if (!language.printer_texts.empty()) needed.insert(language.printer_texts);
      if (!language.panel_texts.empty()) needed.insert(language.panel_texts);
    }
    for (const std::string& name : needed) named->insert(UpperName(name));
    auto plan = checked.plans.find(model.name);
    if (plan == checked.plans.end()) continue;
    for (const std::string& name : needed) {
      bool copied = false;
      for (const PrinterFileCopy& copy : plan->second.copies)
        copied = copied || UpperName(BaseName(copy.destination)) == UpperName(name);
      if (!copied) {
        report->Problem("KYROTH.INF: the install section of \"" + model.name + "\" does not copy " +
                        name + ", which the module installs from its own directory");
      }
    }
  }
  for (const std::string& name : *named) {
    auto found = disk.find(name);
    if (!IsShortName(name)) {
      report->Problem(name + " is named, but is not an 8.3 name");
    } else if (found == disk.end()) {
      report->Problem(name + " is named but not on the disk");
    } else if (!IsShortName(found->second.name)) {
      report->Problem(found->second.name + " is not an 8.3 name");
    }
  }
  if (report->Problems() == before) {
    report->Ok(std::to_string(named->size()) + " files named, all on the disk with 8.3 names");
  }
}

void CheckCompressed(const std::map<std::string, DiskFile>& disk,
                     const std::set<std::string>& named, PackageReport* report) {
  report->Heading("The compressed files");
  int before = report->Problems();
  int compressed = 0;
  for (const std::string& name : named) {
    auto found = disk.find(name);
    if (found == disk.end() || !found->second.compressed) continue;
    ++compressed;
    CheckExpansion(found->second, std::string("A:\\") + found->second.name,
                   std::string("B:\\") + found->second.name, report);
  }
  if (report->Problems() == before) {
    report->Ok(std::to_string(compressed) + " compressed files expand to their headers' lengths");
  }
}

int List(const Checked& checked) {
  for (const ControlModel& model : checked.control.models)
    std::printf("model\t%s\t%s\n", model.name.c_str(), model.program.c_str());
  for (const ControlLanguage& language : checked.control.languages) {
    std::printf("language\t%s\t%s\t%s\n", language.label.c_str(), language.printer_texts.c_str(),
                language.panel_texts.c_str());
  }
  return 0;
}

int Expand(const std::map<std::string, DiskFile>& disk) {
  PackageReport quiet(true);
  for (const auto& [name, file] : disk) {
    if (!CheckExpansion(file, "A:\\" + file.name, "B:\\" + file.name, &quiet)) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc >= 3 ? argv[1] : "";
  if (!((argc == 2 && argv[1][0] != '-') || (argc == 3 && mode == "--list") ||
        (argc == 4 && mode == "--expand"))) {
    std::fprintf(stderr, "usage: package_check [--list | --expand OUT] DISK\n");
    return 2;
  }
  std::string disk = argc == 2 ? argv[1] : argv[2];
  ScratchMachine machine;
  if (!OpenScratchMachine(disk, argc == 4 ? argv[3] : "", &machine)) return 2;
  std::map<std::string, DiskFile> files = ListDiskFiles(disk);
  if (mode == "--expand") return Expand(files);

  PackageReport report;
  Checked checked;
  if (mode == "--list") {
    PackageReport quiet(true);
    ReadControlFileView(kControlFilePath, &quiet, &checked.control);
    return List(checked);
  }
  std::printf("Package check of %s\n", disk.c_str());
  CheckInf(&checked, &report);
  report.Heading("The control file (KYROTH.INI)");
  ReadControlFileView(kControlFilePath, &report, &checked.control);
  CheckModels(checked, &report);
  std::set<std::string> named;
  CheckFiles(checked, files, &named, &report);
  CheckCompressed(files, named, &report);
  std::printf("%d problem%s\n", report.Problems(), report.Problems() == 1 ? "" : "s");
  std::fflush(nullptr);
  return report.Problems() == 0 ? 0 : 1;
}
