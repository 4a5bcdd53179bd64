// The fail-fast tests every checked toolkit operation shares: a failure
// never returns to the caller but ends the run through SetupErrorExit.
#pragma once

#include "winapi.h"

// Ends the run (SetupErrorFail) when a toolkit call answered zero.
void FailUnless(BOOL result);
// A byte count that reaches the buffer's size did not fit: shows the
// toolkit's "Buffer Overflow" box, then ends the run (SetupErrorFail).
void FailOnOverflow(long long count, long long size);
