// The normal installation of Windows 95's Add Printer, from a printer INF on
// the machine (Have Disk): the install section's files copied to their
// destinations (compressed sources expanded), the driver and the printer
// registered where Windows 95 keeps them, and then the vendor setup DLL that
// the install section names, to be loaded from where the copy put it. Both
// runners use it, on the Win32 API of winapi.h; each writes what it does into
// the transcript ("add printer copy|value|call ...").
#pragma once

#include <string>

#include "printer_inf.h"

// Reads the INF at a Windows path on the machine and plans the model's
// installation (printer_inf.h); false with *error, and nothing changed.
bool ReadPrinterInstallPlan(const std::string& infPath, const std::string& model,
                            PrinterInstallPlan* plan, std::string* error);

// Copies the plan's files, then registers the driver (named as the model)
// and the printer. False with *error when a copy or a registry write fails.
bool CarryOutPrinterInstall(const PrinterInstallPlan& plan, const std::string& printer,
                            std::string* error);

// Both of the above, for the runners: false with *error.
bool AddPrinterFromInf(const std::string& infPath, const std::string& model,
                       const std::string& printer, PrinterInstallPlan* plan, std::string* error);

// The runners' step before they load the module: with --inf, Add Printer's
// normal installation, after which *modulePath and *function are the
// VendorSetup DLL where the copy put it and its function (both empty when
// the install section names none: nothing is to be called). Without --inf
// they stay as the caller set them. False with *error.
struct RunnerOptions;
bool InstallPrinterForRunner(const RunnerOptions& options, std::string* modulePath,
                             std::string* function, std::string* error);
