// The installed-driver check against registries of a host machine.
#include "installer/driver_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/syscalls.h"
#include "unit/control_file_support.h"

namespace {

using control_file_support::TestMachine;

const std::string kPrinters =
    "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\";
const std::string kDrivers =
    "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Environments\\Windows "
    "4.0\\Drivers\\";

// A printer key with its driver value, in REGEDIT4 text.
std::string Printer(const std::string& printer, const std::string& driver) {
  return "[" + kPrinters + printer + "]\n\"Printer Driver\"=\"" + driver + "\"\n\n";
}
// A printer key whose driver value is binary data without a terminating zero.
std::string BinaryPrinter(const std::string& printer, const std::string& driver) {
  std::string hex;
  for (char c : driver) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(c));
    hex += (hex.empty() ? "" : ",") + std::string(byte);
  }
  return "[" + kPrinters + printer + "]\n\"Printer Driver\"=hex:" + hex + "\n\n";
}
std::string Driver(const std::string& driver) { return "[" + kDrivers + driver + "]\n\n"; }

class DriverCheckTest : public ::testing::Test {
 protected:
  void TearDown() override { host::ClearFaults(); }

  bool Check(const std::string& registry, const std::string& printer) {
    machine_.WriteRegistry(registry);
    if (!machine_.Open()) return false;
    return IsPrinterDriverInstalled(printer.c_str()) != 0;
  }

  TestMachine machine_;
};

TEST_F(DriverCheckTest, AnswersByThePrinterAndItsDriver) {
  const std::string name31(31, 'd'), name32(32, 'd');
  struct Case {
    const char* name;
    std::string registry;
    std::string printer;
    bool installed;
  };
  const Case cases[] = {
      {"printer not registered", Driver("Kyroth Driver"), "Kyroth 3", false},
      {"driver registered under another name",
       Printer("Kyroth 3", "Kyroth Driver") + Driver("Kyroth Driver"), "Kyroth 3", true},
      {"driver named like the printer", Printer("Kyroth 3", "Kyroth 3") + Driver("Kyroth 3"),
       "Kyroth 3", false},
      {"driver differing only in case", Printer("Kyroth 3", "KYROTH 3") + Driver("KYROTH 3"),
       "Kyroth 3", true},
      {"driver missing from the drivers branch",
       Printer("Kyroth 3", "Kyroth Driver") + Driver("Other"), "Kyroth 3", false},
      {"empty driver value", Printer("Kyroth 3", "") + Driver(""), "Kyroth 3", false},
      {"no driver value", "[" + kPrinters + "Kyroth 3]\n\n" + Driver("Kyroth Driver"), "Kyroth 3",
       false},
      {"driver name filling its buffer", Printer("Kyroth 3", name31) + Driver(name31), "Kyroth 3",
       true},
      {"driver name one over", Printer("Kyroth 3", name32) + Driver(name32), "Kyroth 3", false},
      {"unterminated driver name", BinaryPrinter("Kyroth 3", "KD") + Driver("KD"), "Kyroth 3",
       true},
      {"unterminated driver name filling the buffer",
       BinaryPrinter("Kyroth 3", name32) + Driver(name32), "Kyroth 3", false},
      {"printer name of 31 characters",
       Printer(name31 + "p", "x") + Printer(name31, "K") + Driver("K"), name31, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Check(c.registry, c.printer), c.installed);
  }
}

TEST_F(DriverCheckTest, RefusesAPrinterNameThatDoesNotFitTheKeyPath) {
  // The printers branch, a backslash and the name must fit 255 characters.
  const int room = 255 - 47 - 1;
  ASSERT_EQ(std::string("System\\CurrentControlSet\\control\\Print\\Printers").size(), 47u);
  const std::string fitting(room, 'p'), longer(room + 1, 'p');
  const std::string registry = Printer(fitting, "K") + Printer(longer, "K") + Driver("K");
  EXPECT_TRUE(Check(registry, fitting));
  EXPECT_FALSE(Check(registry, longer));
}

TEST_F(DriverCheckTest, RegistryFailuresMeanNotInstalled) {
  const std::string registry = Printer("Kyroth 3", "Kyroth Driver") + Driver("Kyroth Driver");
  // The calls: open the printer (1), read its driver (2), close it (3), open
  // the driver (4), close it (5). A failing close is not looked at.
  struct Case {
    int call;
    bool installed;
  } cases[] = {{1, false}, {2, false}, {3, true}, {4, false}, {5, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    machine_.WriteRegistry(registry);
    ASSERT_TRUE(machine_.Open());
    host::FailSyscall(host::Syscall::Registry, c.call);
    EXPECT_EQ(IsPrinterDriverInstalled("Kyroth 3") != 0, c.installed);
    host::ClearFaults();
  }
}

}  // namespace
