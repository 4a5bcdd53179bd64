// Internal to the host layer: dialog templates read from a module's resource
// script, the text that the Windows build compiles into the DLL.
//
// A native module carries its script as the symbol HostResourceScript (a
// zero-terminated text, embedded by cmake/native-resources.cmake). The
// dialog functions find it through the module's instance and build their
// windows from the templates parsed here, so a dialog has the same controls,
// ids, texts and styles on both platforms, and a control that a template
// lacks exists on neither.
//
// The reader understands the statements that resource scripts use for
// dialogs, with the resource compiler's meanings:
//   - comments (// and /* */) and preprocessor lines (#include ...), skipped;
//   - LANGUAGE primary, sub: the language of the resources that follow;
//   - NAME DIALOG x, y, width, height  and  NAME DIALOGEX x, y, width, height
//     [, helpId], with memory options (MOVEABLE, PURE, DISCARDABLE ...),
//     then STYLE, EXSTYLE, CAPTION, FONT, CLASS, MENU, LANGUAGE,
//     CHARACTERISTICS, VERSION, then BEGIN (or {) controls END (or });
//   - the controls LTEXT, CTEXT, RTEXT, PUSHBUTTON, DEFPUSHBUTTON,
//     LISTBOX, EDITTEXT, ICON and the general CONTROL statement;
//   - resources made from a file (NAME ICON "file", BITMAP, CURSOR, FONT,
//     RCDATA), recorded by name and type only.
// Anything else is an error, so that a script the host cannot read fails
// loudly instead of showing dialogs that differ from Windows.
//
// Names are identifiers, quoted texts or numbers; a number names the
// resource by its ordinal. Numbers may be decimal or hexadecimal (0x), with
// an L or U suffix, and combine with | + - & ~ and parentheses; style names
// are the Win32 constants (WS_, DS_, ES_, LBS_, SS_, BS_ and the language
// names the script uses). In a style, NOT NAME removes what the statement
// would otherwise add. Texts take "" for a double quote and the resource
// compiler's backslash escapes \n \t \\ \" \a \r and \xNN.
//
// Styles are what the resource compiler stores:
//   dialog: WS_POPUP | WS_BORDER | WS_SYSMENU without STYLE; CAPTION adds
//           WS_CAPTION, FONT adds DS_SETFONT;
//   every control: WS_CHILD | WS_VISIBLE, plus by statement
//           LTEXT SS_LEFT | WS_GROUP, CTEXT SS_CENTER | WS_GROUP,
//           RTEXT SS_RIGHT | WS_GROUP, PUSHBUTTON BS_PUSHBUTTON | WS_TABSTOP,
//           DEFPUSHBUTTON BS_DEFPUSHBUTTON | WS_TABSTOP,
//           LISTBOX LBS_NOTIFY | WS_BORDER, EDITTEXT ES_LEFT | WS_BORDER |
//           WS_TABSTOP, ICON SS_ICON, CONTROL nothing more;
//   and the statement's own style is added to that.
// An ICON control's width and height are not stored (the control takes the
// icon's size), as the resource compiler does. A control id in a DIALOG
// template is a 16-bit value, read back sign-extended (so -1 stays -1).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "winapi.h"

namespace host::rc {

// A resource name: an ordinal or a text (compared case-insensitively).
struct ResourceName {
  bool isOrdinal = false;
  int ordinal = 0;
  std::string text;
  // The name as the transcript shows it: the text, or the ordinal in decimal.
  std::string Display() const;
  // Whether a name given to a Win32 call (MAKEINTRESOURCE(n), "NAME" or
  // "#n") names this resource.
  bool Matches(LPCSTR name) const;
};

struct Control {
  std::string statement;  // "LTEXT", "LISTBOX", "CONTROL" ...
  std::string className;  // "STATIC", "BUTTON", "EDIT", "LISTBOX" or CONTROL's class
  ResourceName text;      // the text, or (ICON 202) the icon's ordinal
  int id = 0;
  int x = 0, y = 0, width = 0, height = 0;  // dialog units
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
};

struct DialogTemplate {
  ResourceName name;
  bool extended = false;                    // DIALOGEX
  WORD language = 0;                        // LANGUAGE in force: primary | sub << 10
  int x = 0, y = 0, width = 0, height = 0;  // dialog units
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
  std::string caption;
  int fontSize = 0;  // 0: no FONT statement
  std::string fontName;
  int fontWeight = 0;
  bool fontItalic = false;
  int fontCharset = 0;
  ResourceName className;  // CLASS; empty text for the dialog class
  ResourceName menu;       // MENU; empty text for none
  std::vector<Control> controls;

  // The control with this id, or null (a control the template lacks).
  const Control* FindControl(int id) const;
};

// A resource other than a dialog, taken from a file (NAME ICON "file").
struct FileResource {
  ResourceName name;
  std::string type;  // "ICON", "BITMAP" ...
  std::string file;
  WORD language = 0;
};

struct ResourceScript {
  std::vector<DialogTemplate> dialogs;
  std::vector<FileResource> files;
  // The dialog that a Win32 call names (see ResourceName::Matches), or null.
  const DialogTemplate* FindDialog(LPCSTR name) const;
};

// Reads a whole script. False with a message naming the line when the
// script holds something the reader does not understand.
bool ParseResourceScript(std::string_view text, ResourceScript* script, std::string* error);

// The parsed resources of the module behind instance: the script registered
// for it, else the module's HostResourceScript symbol (GetProcAddress; for a
// module linked into the process, the process's symbol); for a NULL
// instance, the process image's own symbol.
// Parsed once per script. Null when the module carries no script; a script
// that does not parse is reported on standard error and also gives null.
const ResourceScript* ResourcesOf(HINSTANCE instance);

// Makes instance carry the script text (for code linked into the process,
// such as the module's objects inside a test). The text must live as long
// as the registration; null removes it.
void RegisterResourceScript(HINSTANCE instance, const char* text);

// Forgets registrations and parsed scripts (part of the host's reset).
void ResetResourceScripts();

// Dialog units to pixels. The host draws no fonts, so it uses one fixed
// dialog base unit for every template, that of the system font on a VGA
// screen (8 x 16 pixels): a horizontal unit is 8/4 = 2 pixels and a
// vertical unit 16/8 = 2 pixels.
constexpr int kBaseUnitX = 8;
constexpr int kBaseUnitY = 16;
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

}  // namespace host::rc

namespace host {
// Forgets the dialog manager's state: the focus, registered and parsed
// scripts. Part of resetting the host between tests.
void ResetDialogs();
}  // namespace host
