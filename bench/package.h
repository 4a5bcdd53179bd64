// The big package: the sample machine with a large compressed control-panel
// program and a large system.ini, and the two ways of installing it that the
// benchmarks compare: the module under setuphost, and the floor.
#pragma once

#include <cstddef>
#include <string>

namespace bench {

struct PackageSize {
  size_t program;    // bytes of the control-panel program once expanded
  size_t systemIni;  // bytes of system.ini
};

// Makes the machine in dir (replacing it). False on failure.
bool MakePackage(const std::string& dir, const PackageSize& size);

struct InstallRun {
  bool ok = false;  // setuphost ended with 0 and kyrInstall returned 0
  double seconds = 0;
  long peakKilobytes = 0;  // the child's maximum resident size
  std::string error;
};

// Installs on the machine in dir with setuphost, answering as the sample's
// person does, in a child process.
InstallRun RunInstallation(const std::string& dir);

// The floor of the same installation: the same sources expanded or copied
// into outDir with libmspack's stdio system, system.ini and win.ini copied to
// their backups, and system.ini written once more. False on failure.
bool FloorInstallation(const std::string& machineDir, const std::string& outDir);

}  // namespace bench
