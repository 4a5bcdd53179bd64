// A small machine opened in this process, for the benchmarks that call the
// host's files and the module's code directly.
#pragma once

#include <string>

namespace bench {

// Opens the machine once (later calls return the same); empty on failure.
// Its drive C holds the folders windows, src and dst.
const std::string& BenchMachine();

}  // namespace bench
