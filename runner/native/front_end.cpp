// The host layer's side of the runner's front end (runner/front_end.h).
#include "front_end.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

void StopRun(const std::string& message) {
  std::cerr << message << "\n";
  std::fflush(nullptr);
  _exit(kStopStatus);
}

void SetRunVariable(const std::string& name, const std::string& value) {
  setenv(name.c_str(), value.c_str(), 1);
}
