// The benchmarks, registered at start with the sizes of a full or a smoke
// run. Each one measures the floor in the same run and reports its own time
// against it as the counter x_floor (time / floor time: 1 is the floor).
#pragma once

namespace bench {

void RegisterInstallation(bool smoke);
void RegisterRewrite(bool smoke);
void RegisterLZCopy(bool smoke);

}  // namespace bench
