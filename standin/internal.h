// What the toolkit libraries keep, for the test view (standin/native/).
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
