// The installer's module-wide state. Every piece is a fixed buffer or value
// that lives as long as the module; only the language list block is
// allocated, by the control file reader.
#pragma once

#include "winapi.h"

// 31 characters of printer name fit, with the terminating zero.
constexpr int kPrinterNameSize = 32;
constexpr int kDestinationDirSize = 260;
// The control-panel program's full path: 99 characters fit.
constexpr int kControlProgramPathSize = 100;
constexpr int kModelListSize = 400;
// The language list block; its first 4 bytes hold the block's own handle.
constexpr int kLanguageBlockSize = 10000;
constexpr int kLanguageBlockHandleBytes = 4;

extern HINSTANCE ModuleInstance;
extern HWND FrameWindow;
extern HWND CopyDialog;
extern char PrinterName[kPrinterNameSize];
extern char DestinationDir[kDestinationDirSize];
extern int SelectedLanguage;
extern int SelectedModel;
extern char ControlProgramPath[kControlProgramPathSize];
extern char ModelList[kModelListSize];
// Points just after the handle in the locked language list block; null when
// no block is allocated.
extern char* LanguageList;

// The caption of the caller's window while the wizard runs.
constexpr const char kInstallCaption[] = "Kyroth Software Installation";
// The custom-dialog library that holds the pages, the bitmap and the help.
constexpr const char kCustomDialogLibrary[] = "mscuistf.dll";
