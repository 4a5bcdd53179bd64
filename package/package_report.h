// The package check's report: one line a finding, problems counted.
#pragma once

#include <cstdio>
#include <string>

class PackageReport {
 public:
  // A quiet report counts its problems and prints nothing.
  explicit PackageReport(bool quiet = false) : quiet_(quiet) {}
  void Ok(const std::string& what) { Print("  ok       " + what); }
  void Problem(const std::string& what) {
    Print("  PROBLEM  " + what);
    ++problems_;
  }
  void Heading(const std::string& what) { Print(what); }
  int Problems() const { return problems_; }

 private:
  void Print(const std::string& line) const {
    if (!quiet_) std::printf("%s\n", line.c_str());
  }
  bool quiet_;
  int problems_ = 0;
};
