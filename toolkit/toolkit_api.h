// The setup toolkit libraries' functions that the module calls, with the
// library that exports each. All take and return ANSI texts and use the
// system's standard calling convention. "cmo" arguments are the toolkit's
// copy-mode option words; the module passes them through.
#pragma once

#include "winapi.h"

extern "C" {

// ---------------------------------------------------------------------------
// msshlstf.dll: the setup frame, its cursor and its modes.

// -1: abandon quietly; 0: failure; a positive value: the frame is open.
int WINAPI InitializeFrame(LPSTR commandLine);
HWND WINAPI HwndFrame(void);
HINSTANCE WINAPI HinstFrame(void);
BOOL WINAPI FSetBitmap(LPCSTR library, UINT resourceNumber);
void WINAPI TerminateFrame(void);
// The frame menu's about box: its title and text.
BOOL WINAPI FSetAbout(LPCSTR title, LPCSTR text);
// Shows the hourglass; returns the cursor it replaced.
HCURSOR WINAPI HShowWaitCursor(void);
BOOL WINAPI FRestoreCursor(HCURSOR previous);
// Both return the mode that was in force before.
BOOL WINAPI FSetBeepingMode(BOOL beeping);
BOOL WINAPI FSetSilent(BOOL silent);

// ---------------------------------------------------------------------------
// msuilstf.dll: the custom-dialog pages and their stack.

// Shows page dialogNumber of library (or brings it back when it is still on
// the stack) and leaves its outcome in the symbol "DLGEVENT".
BOOL WINAPI FDoDialogExt(HWND frameWindow, LPCSTR library, UINT dialogNumber,
                         LPCSTR dialogProcedure, LPCSTR helpLibrary, UINT helpNumber,
                         LPCSTR helpProcedure);
// Removes the top count pages; -1 removes all.
BOOL WINAPI FKillNDialogs(int count);

// ---------------------------------------------------------------------------
// mscomstf.dll: symbols, lists, the INF file, messages, paths, errors.

// Copies the symbol's text (at most size - 1 characters, terminated) and
// returns its whole length; a result not below size means it did not fit.
int WINAPI CbGetSymbolValue(LPCSTR name, LPSTR buffer, int size);
BOOL WINAPI FSetSymbolValue(LPCSTR name, LPCSTR text);
BOOL WINAPI FRemoveSymbol(LPCSTR name);
int WINAPI DoMsgBox(LPCSTR text, LPCSTR caption, UINT style);

// A list is a symbol holding items numbered from 1.
USHORT WINAPI UsGetListLength(LPCSTR list);
// Copies item index (from 1) like CbGetSymbolValue and returns its length.
int WINAPI CbGetListItem(LPCSTR list, USHORT index, LPSTR buffer, int size);
BOOL WINAPI FAddListItem(LPCSTR list, LPCSTR item);
BOOL WINAPI FReplaceListItem(LPCSTR list, USHORT index, LPCSTR item);

// Opens the INF file that the INF readers below read.
BOOL WINAPI FOpenInf(LPCSTR file, BOOL checkLines, BOOL checkSymbols);
// Fills list symbol with the keys of an INF section.
BOOL WINAPI FSetSymbolToListOfInfKeys(LPCSTR symbol, LPCSTR section, BOOL nullsToo);
// Copies field fieldNumber (from 1; comma-separated) of the line with key in
// section and returns its length, or -1 when the key or field is missing.
int WINAPI CbGetInfSectionKeyField(LPCSTR section, LPCSTR key, USHORT fieldNumber, LPSTR buffer,
                                   int size);
// Fills list symbol with field fieldNumber of every line of section.
BOOL WINAPI FMakeListInfSectionField(LPCSTR symbol, LPCSTR section, USHORT fieldNumber);

// Reports a failure to the user: an error code, whether it is fatal, and up
// to three texts naming what failed. Returns the user's choice.
int WINAPI EercErrorHandler(int code, BOOL fatal, LPCSTR text1, LPCSTR text2, LPCSTR text3);

// Paths: a syntactically valid full path, an existing directory, and a path
// split into volume, directory and file name (a null piece is not wanted).
BOOL WINAPI FValidPath(LPCSTR path);
BOOL WINAPI FValidDir(LPCSTR path);
BOOL WINAPI FParsePathIntoPieces(LPCSTR path, LPSTR volume, int volumeSize, LPSTR directory,
                                 int directorySize, LPSTR fileName, int fileNameSize);

// ---------------------------------------------------------------------------
// msinsstf.dll: installation, directories, INI files, files, the Program
// Manager, the copy list, billboards, progress, the log file and restart.

BOOL WINAPI FInitializeInstall(HINSTANCE instance, HWND frameWindow);
void WINAPI TerminateInstall(void);

BOOL WINAPI FCreateDir(LPCSTR path, int options);
BOOL WINAPI FRemoveDir(LPCSTR path, int cmo);

BOOL WINAPI FCreateIniKeyValue(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR value, int cmo);
BOOL WINAPI FRemoveIniKey(LPCSTR file, LPCSTR section, LPCSTR key, int cmo);
BOOL WINAPI FRemoveIniSection(LPCSTR file, LPCSTR section, int cmo);
// The same in the machine's system.ini when file names it.
BOOL WINAPI FCreateSysIniKeyValue(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR value, int cmo);

// Copies (and expands) one file; append asks to add to an existing file.
BOOL WINAPI FCopyOneFile(LPCSTR source, LPCSTR destination, int cmo, BOOL append);
// Results of the file operations: nonzero when done.
int WINAPI YnrcRemoveFile(LPCSTR file, int cmo);
int WINAPI YnrcBackupFile(LPCSTR file, LPCSTR backup, int cmo);
// Writes data into a resource of an installed file.
BOOL WINAPI FStampResource(LPCSTR section, LPCSTR key, LPCSTR destination, int resourceType,
                           int resourceId, LPSTR data, int dataSize);
// Asks for a file's location: 0 found (the path in buffer), 1 not found,
// anything else an error.
int WINAPI WFindFileUsingFileOpen(LPCSTR file, LPSTR buffer, int size);
BOOL WINAPI FIsFileWritable(LPCSTR file);

BOOL WINAPI FCreateProgManGroup(LPCSTR group, LPCSTR text, int options);
BOOL WINAPI FShowProgManGroup(LPCSTR group, LPCSTR number, int options);
BOOL WINAPI FCreateProgManItem(LPCSTR group, LPCSTR item, LPCSTR command, int options);
BOOL WINAPI FCreateProgManGroupEx(LPCSTR group, LPCSTR groupFile, int options);
BOOL WINAPI FShowProgManGroupEx(LPCSTR group, LPCSTR groupFile, LPCSTR number, int options);
BOOL WINAPI FCreateProgManItemEx(LPCSTR group, LPCSTR groupFile, LPCSTR item, LPCSTR command,
                                 int options);

// The copy list: files named by INF sections, copied in one run.
BOOL WINAPI FAddSectionFilesToCopyList(LPCSTR section, LPCSTR sourceDir, LPCSTR destinationDir);
BOOL WINAPI FAddSectionKeyFileToCopyList(LPCSTR section, LPCSTR key, LPCSTR sourceDir,
                                         LPCSTR destinationDir);
BOOL WINAPI FAddSpecialFileToCopyList(LPCSTR section, LPCSTR key, LPCSTR sourceDir,
                                      LPCSTR destinationPath);
BOOL WINAPI FDumpCopyListToFile(LPCSTR file);
void WINAPI ResetCopyList(void);
// The bytes the copy list still needs (signed 64-bit; negative on failure);
// the three lists receive the cost per drive.
LONGLONG WINAPI LcbGetCopyListCost(LPCSTR extraList, LPCSTR costList, LPCSTR neededList);
// Copies every file of the list: 0 done, 48 the user quit, other values
// (positive) a failure.
int WINAPI GrcCopyFilesInCopyList(HINSTANCE instance);

// Billboards shown during the copy run: a dialog of a library, its
// procedure and how long it stays.
BOOL WINAPI FAddToBillboardList(LPCSTR library, int dialogNumber, LPCSTR procedure, LONG ticks);
BOOL WINAPI FClearBillboardList(void);
// Moves the progress gauge; returns the position it had.
int WINAPI ProSetPos(int position, int total);

BOOL WINAPI FOpenLogFile(LPCSTR file, BOOL append);
BOOL WINAPI FCloseLogFile(void);
BOOL WINAPI FWriteToLogFile(LPCSTR text, BOOL newLine);

BOOL WINAPI FSetRestartDir(LPCSTR directory);
BOOL WINAPI FRestartListEmpty(void);
BOOL WINAPI FExitExecRestart(void);
// Puts directory in front of variable's value in a batch file (AUTOEXEC.BAT).
BOOL WINAPI FPrependToPath(LPCSTR file, LPCSTR variable, LPCSTR directory, int cmo);

// ---------------------------------------------------------------------------
// msdetstf.dll: detection. Drives are numbered from 1 (A) to 26 (Z).

BOOL WINAPI FIsDirWritable(LPCSTR path);

BOOL WINAPI FIsValidDrive(int drive);
BOOL WINAPI FIsLocalHardDrive(int drive);
BOOL WINAPI FIsRemoveDrive(int drive);
BOOL WINAPI FIsRemoteDrive(int drive);
LONGLONG WINAPI LcbTotalDrive(int drive);
LONGLONG WINAPI LcbFreeDrive(int drive);

// Fill list symbol with drive letters ("C:") or port names ("LPT1").
BOOL WINAPI FGetValidDrivesList(LPCSTR list);
BOOL WINAPI FGetLocalHardDrivesList(LPCSTR list);
BOOL WINAPI FGetRemovableDrivesList(LPCSTR list);
BOOL WINAPI FGetNetworkDrivesList(LPCSTR list);
BOOL WINAPI FGetParallelPortsList(LPCSTR list);
BOOL WINAPI FGetSerialPortsList(LPCSTR list);

// Text readers: copy like CbGetSymbolValue and return the whole length.
int WINAPI CbGetEnvVariableValue(LPCSTR variable, LPSTR buffer, int size);
// "YYYY-MM-DD HH:MM:SS"
int WINAPI CbGetDateOfFile(LPCSTR path, LPSTR buffer, int size);
// "a.b.c.d" from the file's version resource; empty without one.
int WINAPI CbGetVersionOfFile(LPCSTR path, LPSTR buffer, int size);
int WINAPI CbFindTargetOnEnvVar(LPCSTR target, LPCSTR variable, LPSTR buffer, int size);
int WINAPI CbFindFileInTree(LPCSTR fileName, LPCSTR directory, LPSTR buffer, int size);
int WINAPI CbGetIniKeyString(LPCSTR file, LPCSTR section, LPCSTR key, LPSTR buffer, int size);

// Field fieldNumber (from 1) of a version text "a.b.c.d" as a number.
LONG WINAPI LGetVersionNthField(LPCSTR version, int fieldNumber);
LONG WINAPI LcbGetSizeOfFile(LPCSTR path);
BOOL WINAPI FDoesFileExist(LPCSTR path, int mode);
BOOL WINAPI FDirExists(LPCSTR directory);
BOOL WINAPI FIsDriverInConfig(LPCSTR driver);
BOOL WINAPI FHas87MathChip(void);
BOOL WINAPI FHasMonochromeDisplay(void);
BOOL WINAPI FHasMouseInstalled(void);
BOOL WINAPI FDoesIniSectionExist(LPCSTR file, LPCSTR section);
BOOL WINAPI FDoesIniKeyExist(LPCSTR file, LPCSTR section, LPCSTR key);
// The processor's name ("PENTIUM", "80486" ...) into buffer.
BOOL WINAPI FGetProcessorType(LPCSTR machine, int flags, LPSTR buffer, int size);

}  // extern "C"
