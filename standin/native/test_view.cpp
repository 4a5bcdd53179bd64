#include "internal.h"
#include "calls.h"
#include "standin.h"

void StandinReset() {
  ResetCallRecord();
  ResetSymbols();
  ResetPages();
  ResetFrame();
  ResetFrameModes();
  ResetInf();
  ResetCopyListState();
  ResetLogAndRestart();
  ResetBillboards();
}

std::string StandinSymbol(const std::string& name) { return SymbolValue(name); }

std::vector<int> StandinPageStack() { return PageNumbers(); }
