// KYROTH.INI as the module reads it, by the module's own reader
// (installer/control_file.h), with the line of each entry for the report.
#pragma once

#include <string>
#include <vector>

#include "package_report.h"

struct ControlModel {
  std::string name;     // field 1, the printer model's name
  std::string program;  // field 3, the control-panel program
  int line = 0;
};

struct ControlLanguage {
  std::string label;  // field 1
  std::string id;     // field 2
  std::string printer_texts;
  std::string panel_texts;
  int line = 0;
};

struct ControlFileView {
  std::vector<ControlModel> models;
  std::vector<ControlLanguage> languages;
};

// Reads the control file at a Windows path as the module does and reports
// what the module would refuse or cut: lines longer than its line buffers,
// a section its reader refuses, names longer than the buffers they go into.
// False when the module could not use the file at all.
bool ReadControlFileView(const std::string& windowsPath, PackageReport* report,
                         ControlFileView* view);
