// mscomstf.dll's symbol table, shared by its symbol, list and INF
// functions. A symbol holds a text; a list is a symbol whose items are kept
// as a real list beside it, its text showing them in the toolkit's list
// form {"A","B"}. A plain text read as a list is one item (none when empty).
#pragma once

#include <string>
#include <vector>

std::vector<std::string> ListItems(const std::string& name);
void StoreList(const std::string& name, const std::vector<std::string>& items);
// Forgets the symbol, text and list alike; false when there was none.
bool EraseSymbol(const std::string& name);
