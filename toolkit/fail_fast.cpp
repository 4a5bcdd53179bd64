#include "toolkit/fail_fast.h"

#include "toolkit/session.h"
#include "toolkit/symbols.h"

void FailUnless(BOOL result) {
  if (!result) SetupErrorExit(SetupErrorFail);
}

void FailOnOverflow(long long count, long long size) {
  if (count < size) return;
  ShowBufferOverflow();
  SetupErrorExit(SetupErrorFail);
}
