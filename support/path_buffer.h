// Paths built in the support library's 256-byte buffers: 255 characters fit.
// A path that would not fit ends the run with the "Buffer Overflow" box, as
// every text of the toolkit layer that does not fit its buffer does.
#pragma once

constexpr int kPathBufferSize = 256;

// Appends text to the path in buffer (kPathBufferSize bytes).
void AppendToPathBuffer(char* buffer, const char* text);
// Makes the path in buffer end in a backslash; its last character is found
// a whole character at a time, so a trail byte never counts as one. An empty
// text becomes a single backslash.
void EndPathWithBackslash(char* buffer);
