// Internal to the host layer: dialog templates read from their compiled
// bytes (an RT_DIALOG resource), as the dialog manager reads them.
//
// DLGTEMPLATE: DWORD style, DWORD exStyle, WORD item count, short x, y,
// cx, cy; then the menu and the class (each 0x0000 for none, 0xFFFF and an
// ordinal, or a UTF-16 text), the caption (a UTF-16 text) and, with
// DS_SETFONT, WORD point size and the font's name. Each item starts on a
// 4-byte boundary: DLGITEMTEMPLATE: DWORD style, DWORD exStyle, short x, y,
// cx, cy, WORD id; then the class (0xFFFF and an atom: 0x80 BUTTON, 0x81
// EDIT, 0x82 STATIC, 0x83 LISTBOX, 0x84 SCROLLBAR, 0x85 COMBOBOX, or a
// text), the text (0xFFFF and an ordinal, such as an icon's, or a text) and
// WORD count of creation data bytes, which follow.
// DLGTEMPLATEEX starts with WORD 1, WORD 0xFFFF and DWORD help id, then
// exStyle before style; its font adds WORD weight, BYTE italic and BYTE
// character set before the name (also with DS_SHELLFONT); its items start
// with DWORD help id, exStyle before style, and a DWORD id.
// (DLGTEMPLATE, DLGITEMTEMPLATE, DLGTEMPLATEEX and DLGITEMTEMPLATEEX on
// learn.microsoft.com, winuser.h.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "resource_fields.h"

namespace host::res {

struct Control {
  std::string className;  // "STATIC", "BUTTON", "EDIT", "LISTBOX" ... or the class's text
  ResourceName text;      // the text, or (an icon) the icon's ordinal
  int id = 0;             // a DLGTEMPLATE's 16 bits sign-extended: -1 stays -1
  int x = 0, y = 0, width = 0, height = 0;  // dialog units
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
  // A static control showing an icon (SS_ICON): it takes the icon's size,
  // whatever the template gives.
  bool IsIcon() const;
};

struct DialogTemplate {
  ResourceName name;
  bool extended = false;  // DLGTEMPLATEEX
  WORD language = 0;
  int x = 0, y = 0, width = 0, height = 0;  // dialog units
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD helpId = 0;
  std::string caption;
  int fontSize = 0;  // without DS_SETFONT: 0 and no name
  std::string fontName;
  int fontWeight = 0;
  bool fontItalic = false;
  int fontCharset = 0;
  ResourceName className;  // an empty text for the dialog class
  ResourceName menu;       // an empty text for none
  std::vector<Control> controls;

  // The control with this id, or null (a control the template lacks).
  const Control* FindControl(int id) const;
};

// Reads one template (the name and language are the caller's). False with
// a message when a field runs past the end of the data.
bool ReadDialogTemplate(const uint8_t* data, size_t size, DialogTemplate* dialog,
                        std::string* error);

// Dialog units to pixels. The host draws no fonts, so it uses one fixed
// dialog base unit for every template, that of the system font on a VGA
// screen (8 x 16 pixels): a horizontal unit is 8/4 = 2 pixels and a
// vertical unit 16/8 = 2 pixels.
constexpr int kBaseUnitX = 8;
constexpr int kBaseUnitY = 16;
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

}  // namespace host::res
