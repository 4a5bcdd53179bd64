// Copy list, billboard and progress members of the checked wrappers.
#include "toolkit/checked_wrappers.h"
#include "toolkit/fail_fast.h"
#include "toolkit/session.h"
#include "toolkit/toolkit_api.h"

namespace {

// GrcCopyFilesInCopyList's answer when the user quit the copy run.
constexpr int kCopyRunQuit = 48;

}  // namespace

void AddSectionFilesChecked(LPCSTR section, LPCSTR sourceDir, LPCSTR destinationDir) {
  FailUnless(FAddSectionFilesToCopyList(section, sourceDir, destinationDir));
}

void AddSectionKeyFileChecked(LPCSTR section, LPCSTR key, LPCSTR sourceDir, LPCSTR destinationDir) {
  FailUnless(FAddSectionKeyFileToCopyList(section, key, sourceDir, destinationDir));
}

void AddSpecialFileChecked(LPCSTR section, LPCSTR key, LPCSTR sourceDir, LPCSTR destinationPath) {
  FailUnless(FAddSpecialFileToCopyList(section, key, sourceDir, destinationPath));
}

void DumpCopyListChecked(LPCSTR file) { FailUnless(FDumpCopyListToFile(file)); }

void ClearCopyList() { ResetCopyList(); }

LONGLONG GetCopyListCostChecked(LPCSTR extraList, LPCSTR costList, LPCSTR neededList) {
  LONGLONG cost = LcbGetCopyListCost(extraList, costList, neededList);
  if (cost < 0) SetupErrorExit(SetupErrorFail);
  return cost;
}

void CopyFilesInListChecked() {
  int result = GrcCopyFilesInCopyList(HinstFrame());
  if (result == kCopyRunQuit) SetupErrorExit(SetupErrorQuit);
  if (result > 0) SetupErrorExit(SetupErrorFail);
}

void AddBillboardChecked(LPCSTR library, int dialogNumber, LPCSTR procedure, LONG ticks) {
  FailUnless(FAddToBillboardList(library, dialogNumber, procedure, ticks));
}

void AddBlankBillboardChecked(LONG ticks) {
  FailUnless(FAddToBillboardList(nullptr, 0, nullptr, ticks));
}

void ClearBillboardsChecked() { FailUnless(FClearBillboardList()); }

int SetProgressPosition(int position, int total) { return ProSetPos(position, total); }
