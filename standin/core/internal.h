// What the toolkit libraries keep: registered with the shared record for its
// resets and the test's view (call_record.h).
#pragma once

#include <string>
#include <vector>

void ResetFrame();
void ResetPages();
std::vector<int> PageNumbers();
void ResetSymbols();
std::string SymbolValue(const std::string& name);
void ResetFrameModes();
void ResetInf();
void ResetCopyListState();
void ResetLogAndRestart();
void ResetBillboards();
