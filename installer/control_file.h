// The control file "KYROTH.INI" in the system directory: the printer models
// and the offered languages.
//
// Lists: zero-terminated entries one after the other, ended by an empty
// entry; inside an entry, fields separated by commas and numbered from 1.
#pragma once

#include "winapi.h"

// Line buffers of the two section readers: a line with its line feed and the
// terminating zero must fit.
constexpr int kControlLineSize = 100;
constexpr int kLanguageLineSize = 300;
// Buffers of the names taken from the chosen entries: the control-panel
// program (15 characters), each language file (19 characters), the language
// identifier shown by the language dialog (51 characters).
constexpr int kProgramNameSize = 16;
constexpr int kLanguageFileNameSize = 20;
constexpr int kLanguageIdSize = 52;

// ReadTextLine's result for a line that does not fit the buffer.
constexpr int kLineTooLong = -1;

// Reads the control file into ModelList and LanguageList, matches the printer
// to its model and lets the user pick the language. 1: go on to the
// installation, with LanguageList allocated; 0: back to the welcome page (a
// message box has said why, or the user cancelled), with LanguageList
// released.
WORD ReadControlFile(HINSTANCE instance, HWND ownerWindow, const char* printerName);

// Reads one line, with its line feed, into buffer of size bytes.
//  1: a line ending in a line feed was read (it keeps the line feed and any
//     carriage return before it);
//  0: end of the file; buffer holds the file's final piece without a line
//     break, possibly empty;
//  kLineTooLong: the line does not fit; buffer holds its first size - 1 bytes
//     and the rest of the line is left unread, so the next call returns it.
int ReadTextLine(char* buffer, int size, HFILE file);

// Reads the [Control Files] section of file into list (size bytes) as model
// entries. 1 when read; 0 when the control file is invalid: no section, a
// section that reaches the end of the file without an "=" outside quotes, a
// line longer than kControlLineSize or entries that do not fit list (list is
// then empty).
int ReadModelList(HFILE file, char* list, int size);

// Reads the [Language Lists] section of file into list (size bytes) as
// language entries. 0 when read to the end of the file; kLineTooLong when a
// line is longer than kLanguageLineSize or the entries do not fit list (list
// is then empty).
int ReadLanguageLists(HFILE file, char* list, int size);

// Copies field n (from 1; n <= 1 gives the first) of a comma-separated entry.
// 1 when it exists; 0 when not, and destination is then untouched. The caller
// guarantees room for the field: use GetListFieldBounded for any field whose
// length is not already bounded.
int GetListField(char* destination, const char* entry, int n);
// The same into a buffer of destinationSize bytes: 0, destination untouched,
// also when the field has destinationSize characters or more.
int GetListFieldBounded(char* destination, int destinationSize, const char* entry, int n);

// The entry at index of list (an index below 1 gives the first entry, as the
// installation steps over index entries); null when list has no such entry.
const char* GetListEntry(const char* list, int index);

// The language identifier of a text like "X0409" (upper-cased in place): the
// characters after the first "X" read as hexadecimal digits; 1033 without
// them. Also stored through value.
int ParseLanguageId(char* text, int* value);

// 1 when text equals an entry of list; an empty text matches an empty list.
int FindListEntry(const char* text, const char* list);

// True when the entries the installation will use are there and name plain
// files that fit their buffers: field 3 of model entry SelectedModel, fields 3
// and 4 of language entry SelectedLanguage.
BOOL CheckChosenEntries();

// Releases the language list block, if any, and clears LanguageList.
void FreeLanguageList();
