// What Windows 95's Add Printer takes from a printer INF for one model: the
// files its install section copies, the driver it registers and the vendor
// setup DLL it calls afterwards. The statements are the DDK's printer INF
// extensions (VendorSetup, DriverFile, DataFile, ConfigFile, DataSection)
// over the general INF sections ([Version], [Manufacturer], CopyFiles,
// [DestinationDirs], [SourceDisksNames], [SourceDisksFiles]).
//
// The plan is made whole before anything is copied: every statement it
// needs is read and every file it copies is looked for on the disk, so that
// a missing or wrong line stops the installation while the machine is still
// as it was. Each refusal names the INF's line.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "inf/inf_file.h"

// Logical directory identifiers of [DestinationDirs] that the plan knows.
constexpr int kLdidWindows = 10;
constexpr int kLdidSystem = 11;

struct PrinterFileCopy {
  std::string source;       // Windows path on the disk
  std::string destination;  // Windows path on the machine
  int line = 0;             // the file-list line that names it
};

struct PrinterInstallPlan {
  std::string model;
  std::string install_section;
  std::string driver_file;
  std::string data_file;
  std::string config_file;
  std::vector<PrinterFileCopy> copies;
  // Where the normal installation put the VendorSetup DLL, and the function
  // it calls; both empty when the install section names none.
  std::string vendor_dll;
  std::string vendor_function;
};

// What the plan needs besides the INF's text.
struct PrinterInfPlace {
  std::string inf_path;  // the INF's Windows path; its directory is the disk's root
  std::string windows_dir;
  std::string system_dir;
  // True when a plain file exists at the Windows path.
  std::function<bool(const std::string&)> file_exists;
};

// A name as the disk's names are compared: ASCII letters upper-cased, other
// bytes as they are (file names on the disk, section names, the signature).
std::string UpperName(std::string text);

// The plan for model; false with *error ("A:\KYROTH.INF line 12: ...") when
// the INF cannot install it.
bool PlanPrinterInstall(const InfFile& inf, const std::string& model, const PrinterInfPlace& place,
                        PrinterInstallPlan* plan, std::string* error);

// The install section of model as [Manufacturer] and the maker's section
// list it; null when no maker lists it. *line is the model's line.
const InfSection* FindModelInstallSection(const InfFile& inf, const std::string& model, int* line);

// Every model the INF's makers list, in order.
std::vector<std::string> ListInfModels(const InfFile& inf);
