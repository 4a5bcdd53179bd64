#include "printer_inf.h"

#include <cstdlib>

std::string UpperName(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

namespace {

bool SameName(const std::string& a, const std::string& b) { return UpperName(a) == UpperName(b); }

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty() || directory.back() == '\\') return directory + name;
  return directory + "\\" + name;
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A file name of a file list: no directory part, nothing empty.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name.find_first_of("\\/:") == std::string::npos;
}

// A relative directory below a destination or the disk's root.
bool IsRelativeDirectory(const std::string& path) {
  if (path.empty() || path[0] == '\\' || path.find(':') != std::string::npos) return false;
  return ("\\" + path + "\\").find("\\..\\") == std::string::npos;
}

class Planner {
 public:
  Planner(const InfFile& inf, const PrinterInfPlace& place, PrinterInstallPlan* plan,
          std::string* error)
      : inf_(inf), place_(place), plan_(*plan), error_(*error) {}

  bool Plan(const std::string& model) {
    if (!inf_.problems.empty()) {
      return Fail(inf_.problems.front().line, inf_.problems.front().reason);
    }
    if (!CheckVersion()) return false;
    int modelLine = 0;
    install_ = FindModelInstallSection(inf_, model, &modelLine);
    if (install_ == nullptr) {
      if (modelLine == 0)
        return Fail(0, "no maker in [Manufacturer] lists the model \"" + model + "\"");
      return Fail(modelLine, "the model's install section is missing");
    }
    plan_.model = model;
    plan_.install_section = install_->name;
    if (!FindDataSection()) return false;
    const InfLine* copyFiles = Statement("CopyFiles");
    if (copyFiles == nullptr) return Fail(modelLine, "[" + install_->name + "] has no CopyFiles");
    for (const std::string& list : copyFiles->fields) {
      if (!PlanFileList(list, *copyFiles)) return false;
    }
    return PlanFile("DriverFile", modelLine, &plan_.driver_file) &&
           PlanFile("DataFile", modelLine, &plan_.data_file) && PlanConfigFile(modelLine) &&
           PlanVendorSetup();
  }

 private:
  bool Fail(int line, const std::string& reason) {
    error_ = place_.inf_path + (line > 0 ? " line " + std::to_string(line) : std::string()) + ": " +
             reason;
    return false;
  }

  bool CheckVersion() {
    const InfSection* version = FindInfSection(inf_, "Version");
    if (version == nullptr) return Fail(0, "no [Version] section");
    const InfLine* signature = FindInfKey(*version, "Signature");
    if (signature == nullptr) return Fail(0, "[Version] has no Signature");
    if (signature->fields.size() != 1 || !SameName(signature->fields[0], "$CHICAGO$")) {
      return Fail(signature->number, "the Signature of a Windows 95 INF is \"$CHICAGO$\"");
    }
    const InfLine* infClass = FindInfKey(*version, "Class");
    if (infClass == nullptr) return Fail(0, "[Version] has no Class");
    if (infClass->fields.size() != 1 || !SameName(infClass->fields[0], "Printer")) {
      return Fail(infClass->number, "the Class of a printer INF is Printer");
    }
    return true;
  }

  bool FindDataSection() {
    const InfLine* line = FindInfKey(*install_, "DataSection");
    if (line == nullptr) return true;
    if (line->fields.size() != 1 || (data_ = FindInfSection(inf_, line->fields[0])) == nullptr) {
      return Fail(line->number, "the DataSection names no section of the INF");
    }
    return true;
  }

  // A statement of the install section, else of its data section: the
  // install section's own wins.
  const InfLine* Statement(const std::string& key) const {
    const InfLine* line = FindInfKey(*install_, key);
    if (line == nullptr && data_ != nullptr) line = FindInfKey(*data_, key);
    return line;
  }

  // The destination directory of a file list, from [DestinationDirs].
  bool Destination(const std::string& list, const InfLine& copyFiles, std::string* directory) {
    const InfSection* dirs = FindInfSection(inf_, "DestinationDirs");
    const InfLine* line = dirs == nullptr ? nullptr : FindInfKey(*dirs, list);
    if (line == nullptr && dirs != nullptr) line = FindInfKey(*dirs, "DefaultDestDir");
    if (line == nullptr) {
      return Fail(copyFiles.number, "[DestinationDirs] names no directory for " + list +
                                        " and has no DefaultDestDir");
    }
    const std::string ldid = line->fields.empty() ? "" : line->fields[0];
    char* end = nullptr;
    long number = std::strtol(ldid.c_str(), &end, 10);
    if (ldid.empty() || *end != '\0' || (number != kLdidWindows && number != kLdidSystem)) {
      return Fail(line->number, "the directory \"" + ldid +
                                    "\" is none this installation knows (10 Windows, 11 system)");
    }
    *directory = number == kLdidWindows ? place_.windows_dir : place_.system_dir;
    if (line->fields.size() >= 2 && !line->fields[1].empty()) {
      if (!IsRelativeDirectory(line->fields[1])) {
        return Fail(line->number, "the subdirectory \"" + line->fields[1] + "\" is not relative");
      }
      *directory = JoinPath(*directory, line->fields[1]);
    }
    return true;
  }

  // Where a source file lies on the disk: beside the INF, or in the path
  // its disk in [SourceDisksNames] gives.
  bool SourcePath(const std::string& name, int line, std::string* path) {
    std::string directory = DirectoryOf(place_.inf_path);
    const InfSection* files = FindInfSection(inf_, "SourceDisksFiles");
    const InfLine* entry = files == nullptr ? nullptr : FindInfKey(*files, name);
    if (entry != nullptr) {
      const InfSection* disks = FindInfSection(inf_, "SourceDisksNames");
      const std::string disk = entry->fields.empty() ? "" : entry->fields[0];
      const InfLine* diskLine = disks == nullptr ? nullptr : FindInfKey(*disks, disk);
      if (diskLine == nullptr) {
        return Fail(entry->number, "the disk \"" + disk + "\" is not in [SourceDisksNames]");
      }
      if (diskLine->fields.size() >= 4 && !diskLine->fields[3].empty()) {
        if (!IsRelativeDirectory(diskLine->fields[3])) {
          return Fail(diskLine->number, "the disk's path is not relative to its root");
        }
        directory = JoinPath(directory, diskLine->fields[3]);
      }
      if (entry->fields.size() >= 2 && !entry->fields[1].empty()) {
        if (!IsRelativeDirectory(entry->fields[1])) {
          return Fail(entry->number, "the file's subdirectory is not relative");
        }
        directory = JoinPath(directory, entry->fields[1]);
      }
    }
    *path = JoinPath(directory, name);
    if (!place_.file_exists(*path)) return Fail(line, name + " is not on the disk (" + *path + ")");
    return true;
  }

  bool AddCopy(const std::string& directory, const std::string& target,
               const std::string& sourceName, int line) {
    if (!IsPlainFileName(target) || !IsPlainFileName(sourceName)) {
      return Fail(line, "a file list names a file without a plain file name");
    }
    PrinterFileCopy copy;
    copy.destination = JoinPath(directory, target);
    copy.line = line;
    if (!SourcePath(sourceName, line, &copy.source)) return false;
    for (const PrinterFileCopy& earlier : plan_.copies) {
      if (SameName(earlier.destination, copy.destination)) {
        if (SameName(earlier.source, copy.source)) return true;
        return Fail(line, copy.destination + " is copied from two sources");
      }
    }
    plan_.copies.push_back(copy);
    return true;
  }

  // One entry of CopyFiles: a file list section, or "@FILE" for one file.
  bool PlanFileList(const std::string& list, const InfLine& copyFiles) {
    if (!list.empty() && list[0] == '@') {
      std::string directory;
      return Destination(list.substr(1), copyFiles, &directory) &&
             AddCopy(directory, list.substr(1), list.substr(1), copyFiles.number);
    }
    const InfSection* section = FindInfSection(inf_, list);
    if (section == nullptr) return Fail(copyFiles.number, "no file list [" + list + "]");
    std::string directory;
    if (!Destination(list, copyFiles, &directory)) return false;
    for (const InfLine& line : section->lines) {
      // destination-file-name[,source-file-name[,temporary-file-name[,flag]]]
      if (line.has_key || line.fields.empty()) return Fail(line.number, "not a file list line");
      const std::string& target = line.fields[0];
      const std::string& source =
          line.fields.size() >= 2 && !line.fields[1].empty() ? line.fields[1] : target;
      if (!AddCopy(directory, target, source, line.number)) return false;
    }
    return true;
  }

  const PrinterFileCopy* Copied(const std::string& name) const {
    for (const PrinterFileCopy& copy : plan_.copies) {
      std::string base = copy.destination.substr(copy.destination.find_last_of('\\') + 1);
      if (SameName(base, name)) return &copy;
    }
    return nullptr;
  }

  // DriverFile and DataFile: the install section's name when no statement
  // gives one, as the DDK says; the file must be one the section copies.
  bool PlanFile(const std::string& key, int modelLine, std::string* file) {
    const InfLine* line = Statement(key);
    if (line != nullptr && (line->fields.size() != 1 || line->fields[0].empty())) {
      return Fail(line->number, key + " names one file");
    }
    *file = line != nullptr ? line->fields[0] : install_->name;
    if (Copied(*file) == nullptr) {
      return Fail(line != nullptr ? line->number : modelLine,
                  "the " + key + " " + *file + " is in no file list of CopyFiles");
    }
    return true;
  }

  // ConfigFile: the DriverFile when no statement gives one.
  bool PlanConfigFile(int modelLine) {
    if (Statement("ConfigFile") == nullptr) {
      plan_.config_file = plan_.driver_file;
      return true;
    }
    return PlanFile("ConfigFile", modelLine, &plan_.config_file);
  }

  bool PlanVendorSetup() {
    const InfLine* line = Statement("VendorSetup");
    if (line == nullptr) return true;
    if (line->fields.size() != 2 || line->fields[0].empty() || line->fields[1].empty()) {
      return Fail(line->number, "VendorSetup names a DLL and its function");
    }
    const PrinterFileCopy* dll = Copied(line->fields[0]);
    if (dll == nullptr) {
      return Fail(line->number,
                  "the VendorSetup DLL " + line->fields[0] +
                      " is in no file list of CopyFiles, so nothing puts it in place");
    }
    plan_.vendor_dll = dll->destination;
    plan_.vendor_function = line->fields[1];
    return true;
  }

  const InfFile& inf_;
  const PrinterInfPlace& place_;
  PrinterInstallPlan& plan_;
  std::string& error_;
  const InfSection* install_ = nullptr;
  const InfSection* data_ = nullptr;
};

// The section a [Manufacturer] line names: "Maker" = SECTION, or SECTION
// alone.
std::string MakerSection(const InfLine& line) {
  if (!line.fields.empty() && !line.fields[0].empty()) return line.fields[0];
  return line.key;
}

}  // namespace

const InfSection* FindModelInstallSection(const InfFile& inf, const std::string& model, int* line) {
  *line = 0;
  const InfSection* makers = FindInfSection(inf, "Manufacturer");
  if (makers == nullptr) return nullptr;
  for (const InfLine& maker : makers->lines) {
    const InfSection* models = FindInfSection(inf, MakerSection(maker));
    if (models == nullptr) continue;
    const InfLine* entry = FindInfKey(*models, model);
    if (entry == nullptr) continue;
    *line = entry->number;
    if (entry->fields.empty() || entry->fields[0].empty()) return nullptr;
    return FindInfSection(inf, entry->fields[0]);
  }
  return nullptr;
}

std::vector<std::string> ListInfModels(const InfFile& inf) {
  std::vector<std::string> models;
  const InfSection* makers = FindInfSection(inf, "Manufacturer");
  if (makers == nullptr) return models;
  for (const InfLine& maker : makers->lines) {
    const InfSection* section = FindInfSection(inf, MakerSection(maker));
    if (section == nullptr) continue;
    for (const InfLine& entry : section->lines)
      if (entry.has_key) models.push_back(entry.key);
  }
  return models;
}

bool PlanPrinterInstall(const InfFile& inf, const std::string& model, const PrinterInfPlace& place,
                        PrinterInstallPlan* plan, std::string* error) {
  *plan = PrinterInstallPlan();
  return Planner(inf, place, plan, error).Plan(model);
}
