// Toolkit symbols, read and written with the fail-fast rule.
#pragma once

// Copies the symbol's text into buffer (size bytes). A missing or empty name
// ends the run; a text that does not fit shows "Buffer Overflow" first.
char* ReadSymbol(const char* name, char* buffer, int size);
void WriteSymbol(const char* name, const char* text);

// The toolkit's own message for a text that does not fit the caller's
// buffer, shown before the run ends.
void ShowBufferOverflow();
