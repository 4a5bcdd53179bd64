#include "installer/installer_state.h"

HINSTANCE ModuleInstance;
HWND FrameWindow;
HWND CopyDialog;
char PrinterName[kPrinterNameSize];
char DestinationDir[kDestinationDirSize] = "C:\\Kyroth";
int SelectedLanguage;
int SelectedModel;
char ControlProgramPath[kControlProgramPathSize];
char ModelList[kModelListSize];
char* LanguageList;
