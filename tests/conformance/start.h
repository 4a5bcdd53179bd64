// How the conformance program finds its machine: natively the machine
// directory named on the command line, on Windows the running system.
#pragma once

namespace conformance {

// False, with a message on stderr, when the program cannot start.
bool StartMachine(int argc, char** argv);

}  // namespace conformance
