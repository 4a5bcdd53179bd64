// One function for each setup toolkit operation that installer code may
// need, plus a few system queries.
//
// Members ending in "Checked" (and ShowCustomDialogEvent, GetListItemChecked,
// the INF field readers and FindFileViaFileOpen) are fail-fast: a toolkit
// call that reports failure never returns but ends the run through
// SetupErrorExit, and a text that does not fit the caller's buffer shows the
// toolkit's "Buffer Overflow" box first. The caller only ever sees success.
// The other members hand the toolkit's result back unchanged and never end
// the run.
//
// Arguments not described here are passed to the toolkit function of the
// same purpose unchanged and in the same order (toolkit/toolkit_api.h).
// Buffer sizes are in bytes, terminator included.
#pragma once

#include "winapi.h"

// ---------------------------------------------------------------------------
// Frame, cursor and pages.

void SetAboutChecked(LPCSTR title, LPCSTR text);
// The frame window's title; the system's truth value.
BOOL SetFrameTitle(LPCSTR text);
HCURSOR ShowWaitCursor();
void RestoreCursorChecked(HCURSOR previous);
BOOL SetBeepingMode(BOOL beeping);
BOOL SetSilentMode(BOOL silent);
// Shows a custom-dialog page with a help library of the caller's choice and
// copies the page's outcome text ("CONTINUE", "BACK" ...) into eventBuffer
// unmapped.
void ShowCustomDialogEvent(LPCSTR library, UINT dialogNumber, LPCSTR dialogProcedure,
                           LPCSTR helpLibrary, UINT helpNumber, LPCSTR helpProcedure,
                           LPSTR eventBuffer, int eventSize);

// ---------------------------------------------------------------------------
// Symbols and lists. A list is a toolkit symbol; its items count from 1.

// The number of items, 0 to 65535. A missing or empty name ends the run.
int GetListLengthChecked(LPCSTR list);
// Item index into buffer. A missing or empty name, an index below 1 or
// beyond the list's length end the run without a message.
LPSTR GetListItemChecked(LPCSTR list, int index, LPSTR buffer, int size);
void AddListItemChecked(LPCSTR list, LPCSTR item);
void ReplaceListItemChecked(LPCSTR list, USHORT index, LPCSTR item);
// The list symbol receives the keys of section, empty lines too.
void SetSymbolToInfKeysChecked(LPCSTR symbol, LPCSTR section);
void RemoveSymbolChecked(LPCSTR name);

// ---------------------------------------------------------------------------
// The INF file and its fields. A key or field the INF lacks ends the run
// (without a message); a field that does not fit shows the overflow box.

void OpenInfChecked(LPCSTR file);
LPSTR ReadInfKeyField1(LPCSTR section, LPCSTR key, LPSTR buffer, int size);
LPSTR ReadInfKeyField5(LPCSTR section, LPCSTR key, LPSTR buffer, int size);
LPSTR ReadInfKeyField19(LPCSTR section, LPCSTR key, LPSTR buffer, int size);
// Field 15 (127 characters fit) as a decimal number: leading white space
// skipped, an optional sign, the digits up to the first other character; 0
// without digits. A number beyond the 32-bit range gives the nearest 32-bit
// value.
LONG ReadInfKeyField15Number(LPCSTR section, LPCSTR key);
// The list symbol receives the field of that number of every line of section.
void ListInfField1Checked(LPCSTR symbol, LPCSTR section);
void ListInfField5Checked(LPCSTR symbol, LPCSTR section);
void ListInfField11Checked(LPCSTR symbol, LPCSTR section);
void ListInfField15Checked(LPCSTR symbol, LPCSTR section);
void ListInfField19Checked(LPCSTR symbol, LPCSTR section);

// ---------------------------------------------------------------------------
// The install library, directories, files and INI entries.

// Starts the toolkit's install library for the frame. Declines (0, nothing
// called) while the toolkit session is open; else 1 on success, 0 on
// failure. Never ends the run.
int StartInstallLibrary();
void RemoveDirChecked(LPCSTR path, int cmo);
void RemoveIniSectionChecked(LPCSTR file, LPCSTR section, int cmo);
void CreateIniKeyValueChecked(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR value, int cmo);
void RemoveIniKeyChecked(LPCSTR file, LPCSTR section, LPCSTR key, int cmo);
void CreateSysIniKeyValueChecked(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR value, int cmo);
// Single-file copies always carry the copy-mode option of value 2.
void CopyOneFileChecked(LPCSTR source, LPCSTR destination, int cmo, BOOL append);
void RemoveFileChecked(LPCSTR file, int cmo);
void BackupFileChecked(LPCSTR file, LPCSTR backup);
// A second name for BackupFileChecked.
void BackupFileAliasChecked(LPCSTR file, LPCSTR backup);
void StampResourceChecked(LPCSTR section, LPCSTR key, LPCSTR destination, int resourceType,
                          int resourceId, LPSTR data, int dataSize);
// Asks the user where file is. Found: buffer holds the path (a blank first
// byte when the toolkit wrote nothing). Not found: buffer holds the empty
// text. Any other answer ends the run. buffer must be given.
LPSTR FindFileViaFileOpen(LPCSTR file, LPSTR buffer, int size);
BOOL IsFileWritable(LPCSTR file);

// ---------------------------------------------------------------------------
// The Program Manager.

void CreateProgManGroupExChecked(LPCSTR group, LPCSTR groupFile, int options);
void ShowProgManGroupExChecked(LPCSTR group, LPCSTR groupFile, int number, int options);
// The item text is "item,extra" when extra is given and not empty; the join
// overwrites JoinThree's buffer.
void CreateProgManItemExChecked(LPCSTR group, LPCSTR groupFile, LPCSTR item, LPCSTR command,
                                LPCSTR extra, int options);

// ---------------------------------------------------------------------------
// The copy list, billboards and progress.

void AddSectionFilesChecked(LPCSTR section, LPCSTR sourceDir, LPCSTR destinationDir);
void AddSectionKeyFileChecked(LPCSTR section, LPCSTR key, LPCSTR sourceDir, LPCSTR destinationDir);
void AddSpecialFileChecked(LPCSTR section, LPCSTR key, LPCSTR sourceDir, LPCSTR destinationPath);
void DumpCopyListChecked(LPCSTR file);
void ClearCopyList();
// The bytes the copy list needs, whole (beyond 32 bits too); a negative
// answer ends the run.
LONGLONG GetCopyListCostChecked(LPCSTR extraList, LPCSTR costList, LPCSTR neededList);
// Copies the list's files. The user quitting the copy ends the run as a quit
// (SetupErrorQuit), any other failure as a failure.
void CopyFilesInListChecked();
void AddBillboardChecked(LPCSTR library, int dialogNumber, LPCSTR procedure, LONG ticks);
// A billboard with no dialog, shown for ticks.
void AddBlankBillboardChecked(LONG ticks);
void ClearBillboardsChecked();
int SetProgressPosition(int position, int total);

// ---------------------------------------------------------------------------
// The log file and restart.

void OpenLogFileChecked(LPCSTR file, BOOL append);
void CloseLogFileChecked();
// Writes text as a line of its own.
void WriteToLogChecked(LPCSTR text);
void SetRestartDirChecked(LPCSTR directory);
BOOL IsRestartListEmpty();
BOOL ExitExecRestart();
void PrependToPathChecked(LPCSTR file, LPCSTR variable, LPCSTR directory, int cmo);

// ---------------------------------------------------------------------------
// System queries: no toolkit, no session, never end the run.

// The bytes of GetVersion()'s low word: 4 and 0 on Windows 95, 4 and 10 on
// Windows 98.
int GetWindowsMajorVersion();
int GetWindowsMinorVersion();
// Always 2; it consults nothing.
int GetModeCode();
int GetScreenWidth();
int GetScreenHeight();
// Does nothing.
void NoOperation();
