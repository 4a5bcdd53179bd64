// Add Printer's plan from a printer INF: what it copies and calls, and the
// line it names when the INF cannot install the model.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "printer_inf.h"

namespace {

const char kGoodInf[] =
    "[Version]\n"                            // 1
    "Signature=\"$CHICAGO$\"\n"              // 2
    "Class=Printer\n"                        // 3
    "[Manufacturer]\n"                       // 4
    "\"Kyroth\"=KYROTH\n"                    // 5
    "[KYROTH]\n"                             // 6
    "\"Kyroth FS-600\"=FS600\n"              // 7
    "[FS600]\n"                              // 8
    "CopyFiles=DRIVER,@KYROTH.INI\n"         // 9
    "DataSection=DATA\n"                     // 10
    "VendorSetup=KYRSETUP.DLL,kyrInstall\n"  // 11
    "[DATA]\n"                               // 12
    "DriverFile=KYROTH.DRV\n"                // 13
    "[DestinationDirs]\n"                    // 14
    "DefaultDestDir=11\n"                    // 15
    "DRIVER=10,KYROTH\n"                     // 16
    "[DRIVER]\n"                             // 17
    "KYROTH.DRV\n"                           // 18
    "KYRSETUP.DLL,SETUP.DL_\n"               // 19
    "FS600\n"                                // 20
    "[SourceDisksNames]\n"                   // 21
    "1=\"Kyroth disk\",,0,SUB\n"             // 22
    "[SourceDisksFiles]\n"                   // 23
    "SETUP.DL_=1\n";                         // 24

std::string Edit(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

bool Plan(const std::string& text, PrinterInstallPlan* plan, std::string* error,
          std::set<std::string> missing = {}) {
  PrinterInfPlace place;
  place.inf_path = "A:\\KYROTH.INF";
  place.windows_dir = "C:\\WINDOWS";
  place.system_dir = "C:\\WINDOWS\\SYSTEM";
  place.file_exists = [missing](const std::string& path) { return missing.count(path) == 0; };
  return PlanPrinterInstall(ParseInfText(text), "Kyroth FS-600", place, plan, error);
}

TEST(PlanPrinterInstall, CopiesEachListToItsDirectoryAndCallsTheCopiedDll) {
  PrinterInstallPlan plan;
  std::string error;
  ASSERT_TRUE(Plan(kGoodInf, &plan, &error)) << error;
  ASSERT_EQ(plan.copies.size(), 4u);
  EXPECT_EQ(plan.copies[0].source, "A:\\KYROTH.DRV");
  EXPECT_EQ(plan.copies[0].destination, "C:\\WINDOWS\\KYROTH\\KYROTH.DRV");
  EXPECT_EQ(plan.copies[1].source, "A:\\SUB\\SETUP.DL_");  // the disk's path
  EXPECT_EQ(plan.copies[1].destination, "C:\\WINDOWS\\KYROTH\\KYRSETUP.DLL");
  EXPECT_EQ(plan.copies[3].destination, "C:\\WINDOWS\\SYSTEM\\KYROTH.INI");  // DefaultDestDir
  EXPECT_EQ(plan.driver_file, "KYROTH.DRV");
  EXPECT_EQ(plan.data_file, "FS600") << "no DataFile: the install section's name";
  EXPECT_EQ(plan.config_file, "KYROTH.DRV");
  EXPECT_EQ(plan.vendor_dll, "C:\\WINDOWS\\KYROTH\\KYRSETUP.DLL");
  EXPECT_EQ(plan.vendor_function, "kyrInstall");
}

TEST(PlanPrinterInstall, RefusalsNameTheLine) {
  const std::string good = kGoodInf;
  const struct {
    std::string from, to;
    std::string expected;
  } cases[] = {
      {"\"$CHICAGO$\"", "\"$Windows NT$\"", "A:\\KYROTH.INF line 2: the Signature"},
      {"Class=Printer", "Class=Net", "A:\\KYROTH.INF line 3: the Class"},
      {"\"Kyroth FS-600\"=FS600", "\"Kyroth FS-600\"=FS700", "line 7: the model's install"},
      {"\"Kyroth FS-600\"=FS600", "\"Kyroth FS-6000\"=FS600", "no maker in [Manufacturer]"},
      {"DataSection=DATA", "DataSection=NONE", "line 10: the DataSection"},
      {"CopyFiles=DRIVER", "CopyFiles=DRIVERS", "line 9: no file list [DRIVERS]"},
      {"DefaultDestDir=11", "DefaultDestDir=12", "line 15: the directory \"12\""},
      {"DRIVER=10,KYROTH", "DRIVER=10,..\\X", "line 16: the subdirectory"},
      {"SETUP.DL_=1", "SETUP.DL_=2", "line 24: the disk \"2\""},
      {"KYROTH.DRV\nKYRSETUP", "\\KYROTH.DRV\nKYRSETUP", "line 18: a file list names"},
      {"DriverFile=KYROTH.DRV", "DriverFile=UNIDRV.DLL", "line 13: the DriverFile UNIDRV.DLL"},
      {"VendorSetup=KYRSETUP.DLL,kyrInstall", "VendorSetup=KYRSETUP.DLL",
       "line 11: VendorSetup names a DLL and its function"},
      {"VendorSetup=KYRSETUP.DLL", "VendorSetup=OTHER.DLL", "line 11: the VendorSetup DLL"},
      {"Class=Printer\n", "Class=Printer\nbroken\"quote\n", "line 4: unterminated quote"},
  };
  for (const auto& c : cases) {
    PrinterInstallPlan plan;
    std::string error;
    EXPECT_FALSE(Plan(Edit(good, c.from, c.to), &plan, &error)) << c.to;
    EXPECT_NE(error.find(c.expected), std::string::npos) << "got: " << error;
  }
}

TEST(PlanPrinterInstall, AFileMissingFromTheDiskNamesItsListLine) {
  PrinterInstallPlan plan;
  std::string error;
  EXPECT_FALSE(Plan(kGoodInf, &plan, &error, {"A:\\SUB\\SETUP.DL_"}));
  EXPECT_EQ(error, "A:\\KYROTH.INF line 19: SETUP.DL_ is not on the disk (A:\\SUB\\SETUP.DL_)");
}

}  // namespace
