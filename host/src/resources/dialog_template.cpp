#include "resources/dialog_template.h"

namespace host::res {
namespace {

constexpr DWORD kSetFontStyle = 0x40;       // DS_SETFONT
constexpr DWORD kStaticTypeMask = 0x1F;     // SS_TYPEMASK
constexpr DWORD kIconStatic = 0x03;         // SS_ICON
constexpr uint16_t kExtendedMark = 0xFFFF;  // DLGTEMPLATEEX's signature

// The predefined classes an item names by atom.
struct ClassAtom {
  int atom;
  const char* name;
};
constexpr ClassAtom kClassAtoms[] = {{0x80, "BUTTON"},  {0x81, "EDIT"},      {0x82, "STATIC"},
                                     {0x83, "LISTBOX"}, {0x84, "SCROLLBAR"}, {0x85, "COMBOBOX"}};

// An item's class: the name of the atom's class, or the text.
bool ClassName(FieldReader& in, std::string* className) {
  ResourceName name;
  if (!in.NameOrOrdinal(&name)) return false;
  if (!name.isOrdinal) {
    *className = name.text;
    return true;
  }
  for (const ClassAtom& c : kClassAtoms) {
    if (c.atom == name.ordinal) {
      *className = c.name;
      return true;
    }
  }
  // An atom of no predefined class names no class the host can make.
  *className = "#" + std::to_string(name.ordinal);
  return true;
}

bool Rectangle(FieldReader& in, int* x, int* y, int* width, int* height) {
  return in.Short(x) && in.Short(y) && in.Short(width) && in.Short(height);
}

bool Item(FieldReader& in, bool extended, Control* c) {
  uint32_t style = 0, exStyle = 0;
  if (!in.AlignTo4()) return false;
  if (extended) {
    uint32_t helpId = 0, id = 0;
    if (!in.Dword(&helpId) || !in.Dword(&exStyle) || !in.Dword(&style) ||
        !Rectangle(in, &c->x, &c->y, &c->width, &c->height) || !in.Dword(&id))
      return false;
    c->helpId = helpId;
    c->id = static_cast<int>(id);
  } else {
    if (!in.Dword(&style) || !in.Dword(&exStyle) ||
        !Rectangle(in, &c->x, &c->y, &c->width, &c->height) || !in.Short(&c->id))
      return false;
  }
  c->style = style;
  c->exStyle = exStyle;
  uint16_t extraBytes = 0;
  return ClassName(in, &c->className) && in.NameOrOrdinal(&c->text) && in.Word(&extraBytes) &&
         in.Skip(extraBytes);
}

}  // namespace

bool Control::IsIcon() const {
  return className == "STATIC" && (style & kStaticTypeMask) == kIconStatic;
}

const Control* DialogTemplate::FindControl(int id) const {
  for (const Control& c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

bool ReadDialogTemplate(const uint8_t* data, size_t size, DialogTemplate* dialog,
                        std::string* error) {
  FieldReader in(data, size);
  DialogTemplate& d = *dialog;
  uint16_t version = 0, signature = 0;
  d.extended =
      in.Word(&version) && in.Word(&signature) && version == 1 && signature == kExtendedMark;
  in = FieldReader(data, size);
  uint32_t style = 0, exStyle = 0, helpId = 0;
  uint16_t count = 0;
  bool header = d.extended
                    ? in.Skip(4) && in.Dword(&helpId) && in.Dword(&exStyle) && in.Dword(&style)
                    : in.Dword(&style) && in.Dword(&exStyle);
  header = header && in.Word(&count) && Rectangle(in, &d.x, &d.y, &d.width, &d.height) &&
           in.NameOrOrdinal(&d.menu) && in.NameOrOrdinal(&d.className) && in.Text(&d.caption);
  d.style = style;
  d.exStyle = exStyle;
  d.helpId = helpId;
  // DS_SHELLFONT, which DLGTEMPLATEEX also takes, includes DS_SETFONT.
  if (header && (style & kSetFontStyle)) {
    uint16_t points = 0;
    header = in.Word(&points);
    d.fontSize = points;
    if (header && d.extended) {
      uint16_t weight = 0;
      uint8_t italic = 0, charset = 0;
      header = in.Word(&weight) && in.Byte(&italic) && in.Byte(&charset);
      d.fontWeight = weight;
      d.fontItalic = italic != 0;
      d.fontCharset = charset;
    }
    header = header && in.Text(&d.fontName);
  }
  if (!header) {
    *error = "the dialog's header runs past its data";
    return false;
  }
  d.controls.clear();
  // Each item takes at least 18 bytes, so a count beyond what the data holds
  // fails at the first item missing, not after a huge reservation.
  for (uint16_t i = 0; i < count; ++i) {
    Control c;
    if (!Item(in, d.extended, &c)) {
      *error = "control " + std::to_string(i) + " runs past the dialog's data";
      return false;
    }
    d.controls.push_back(std::move(c));
  }
  return true;
}

int DialogUnitsToPixelsX(int units) { return units * kBaseUnitX / 4; }
int DialogUnitsToPixelsY(int units) { return units * kBaseUnitY / 8; }

}  // namespace host::res
