// Where Windows 95 keeps its printers and printer drivers, below
// HKEY_LOCAL_MACHINE; the module's installed-driver check reads the same
// keys.
#pragma once

constexpr char kPrintersKey[] = "System\\CurrentControlSet\\control\\Print\\Printers";
constexpr char kDriversKey[] =
    "System\\CurrentControlSet\\control\\Print\\Environments\\Windows 4.0\\Drivers";
// The port Add Printer offers first; the runner takes it, as a person
// pressing Next would.
constexpr char kDefaultPort[] = "LPT1:";
