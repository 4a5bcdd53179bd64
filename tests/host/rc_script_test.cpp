// The resource script reader, on the module's own installer/setup.rc and on
// small scripts for the statements' rules.

#include "host/src/rc_script.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using host::rc::Control;
using host::rc::DialogTemplate;
using host::rc::ParseResourceScript;
using host::rc::ResourceScript;

std::string SourceFile(const std::string& relative) {
  std::ifstream file(std::filesystem::path(KYR_SOURCE_DIR) / relative, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

class ModuleScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string text = SourceFile("installer/setup.rc");
    ASSERT_FALSE(text.empty());
    std::string error;
    ASSERT_TRUE(ParseResourceScript(text, &script_, &error)) << error;
  }
  const DialogTemplate& Dialog(LPCSTR name) {
    const DialogTemplate* d = script_.FindDialog(name);
    EXPECT_NE(d, nullptr);
    static const DialogTemplate kNone;
    return d != nullptr ? *d : kNone;
  }
  ResourceScript script_;
};

struct DialogCase {
  LPCSTR name;
  const char* display;
  const char* caption;
  int fontSize;
  const char* fontName;
  int width, height;
  DWORD style;  // as the resource compiler stores it
  size_t controls;
};

// The styles are those that i686-w64-mingw32-windres writes for the same
// script, so the reader's defaults are checked against the real compiler.
constexpr DWORD kPopupDialog =
    0x90c000c0;                           // DS_MODALFRAME|DS_SETFONT|WS_POPUP|WS_VISIBLE|WS_CAPTION
constexpr DWORD kChildPage = 0x40c00040;  // WS_CHILD|WS_CAPTION|DS_SETFONT

TEST_F(ModuleScriptTest, DialogsHaveTheirCaptionFontSizeAndStyle) {
  const DialogCase cases[] = {
      {"COPY_DLG", "COPY_DLG", "Copying", 8, "System", 149, 63, kPopupDialog, 1},
      {"INSTALL_DLG", "INSTALL_DLG", "Printers", 8, "System", 177, 115, kPopupDialog, 5},
      {MAKEINTRESOURCEA(1), "1", "Finish Setup ", 8, "MS Sans Serif", 225, 92, kPopupDialog, 4},
      {MAKEINTRESOURCEA(100), "100", "Setup", 8, "Helv", 200, 117, kChildPage, 6},
      {MAKEINTRESOURCEA(300), "300", "Setup", 8, "Helv", 200, 110, kChildPage, 9},
      {MAKEINTRESOURCEA(301), "301", "Setup", 8, "Helv", 200, 110, kChildPage, 9},
  };
  EXPECT_EQ(script_.dialogs.size(), std::size(cases));
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.display);
    const DialogTemplate& d = Dialog(c.name);
    EXPECT_EQ(d.name.Display(), c.display);
    EXPECT_EQ(d.caption, c.caption);
    EXPECT_EQ(d.fontSize, c.fontSize);
    EXPECT_EQ(d.fontName, c.fontName);
    EXPECT_EQ(d.width, c.width);
    EXPECT_EQ(d.height, c.height);
    EXPECT_EQ(d.style, c.style) << std::hex << d.style;
    EXPECT_EQ(d.language, 0x0409) << "English (United States), 1033";
    EXPECT_EQ(d.controls.size(), c.controls);
  }
}

struct ControlCase {
  LPCSTR dialog;
  const char* statement;
  const char* className;
  int id;
  const char* text;
  int x, y, width, height;
  DWORD style;  // as windres stores it
};

constexpr DWORD kLeftText = 0x50020000;
constexpr DWORD kCentredText = 0x50020001;
constexpr DWORD kDefaultButton = 0x50010001;
constexpr DWORD kButton = 0x50010000;

const char kFinishText[] =
    "The Kyroth printer driver and Kyroth Control Panel program have been successfully "
    "installed.  The installation program made a change to the system.ini and win.ini, the "
    "original system.ini and win.ini have been saved as system.kyr and win.kyr for backup.";

TEST_F(ModuleScriptTest, ControlsOfTheInstallerDialogs) {
  const ControlCase cases[] = {
      {"COPY_DLG", "CTEXT", "STATIC", 1, "files", 0, 23, 149, 8, kCentredText},
      {"INSTALL_DLG", "DEFPUSHBUTTON", "BUTTON", 1, "&Install", 108, 48, 50, 14, kDefaultButton},
      {"INSTALL_DLG", "PUSHBUTTON", "BUTTON", 2, "&Cancel", 108, 85, 50, 14, kButton},
      {"INSTALL_DLG", "LTEXT", "STATIC", -1, "&Language:", 8, 33, 65, 8, kLeftText},
      // Not sorted, notifying, vertical scroll bar, border, tab stop, no
      // integral height.
      {"INSTALL_DLG", "LISTBOX", "LISTBOX", 4, "", 6, 45, 81, 67, 0x50a10101},
      {"INSTALL_DLG", "LTEXT", "STATIC", -1,
       "Please select the language you want to use for the printer setup screen and the printer "
       "control panel screen.",
       6, 2, 160, 26, kLeftText},
      {MAKEINTRESOURCEA(1), "DEFPUSHBUTTON", "BUTTON", 1, "Restart Windows", 17, 66, 74, 14,
       kDefaultButton},
      {MAKEINTRESOURCEA(1), "PUSHBUTTON", "BUTTON", 2, "Return To Windows", 117, 65, 75, 14,
       kButton},
      {MAKEINTRESOURCEA(1), "LTEXT", "STATIC", -1, kFinishText, 0, 10, 224, 35, kLeftText},
      {MAKEINTRESOURCEA(1), "CTEXT", "STATIC", -1,
       "You must restart Windows to run Kyroth Control Panel program.", 0, 48, 225, 11,
       kCentredText},
  };
  const DialogTemplate* last = nullptr;
  size_t index = 0;
  for (const ControlCase& c : cases) {
    const DialogTemplate& d = Dialog(c.dialog);
    if (&d != last) index = 0;
    last = &d;
    SCOPED_TRACE(d.name.Display() + " control " + std::to_string(index));
    ASSERT_LT(index, d.controls.size());
    const Control& got = d.controls[index++];
    EXPECT_EQ(got.statement, c.statement);
    EXPECT_EQ(got.className, c.className);
    EXPECT_EQ(got.id, c.id);
    EXPECT_FALSE(got.text.isOrdinal);
    EXPECT_EQ(got.text.text, c.text);
    EXPECT_EQ(got.x, c.x);
    EXPECT_EQ(got.y, c.y);
    EXPECT_EQ(got.width, c.width);
    EXPECT_EQ(got.height, c.height);
    EXPECT_EQ(got.style, c.style) << std::hex << got.style;
  }
}

TEST_F(ModuleScriptTest, TheLanguageDialogHasNoControlThree) {
  const DialogTemplate& d = Dialog("INSTALL_DLG");
  EXPECT_EQ(d.FindControl(3), nullptr);
  ASSERT_NE(d.FindControl(4), nullptr);
  EXPECT_EQ(d.FindControl(4)->style & LBS_SORT, 0u);
}

// The ids and texts that the custom-dialog library relies on.
TEST_F(ModuleScriptTest, PageCopiesCarryTheLibraryControls) {
  struct Expected {
    int id;
    const char* text;
  };
  const Expected page100[] = {{403, "&Continue"},
                              {424, "&Exit"},
                              {408, "&Help"},
                              {103, "This program will setup the application on your hard disk."}};
  const Expected page300[] = {
      {403, "&Continue"}, {402, "&Back"}, {424, "&Exit"}, {408, "&Help"}, {427, ""}};
  const DialogTemplate& welcome = Dialog(MAKEINTRESOURCEA(100));
  for (const Expected& e : page100) {
    const Control* c = welcome.FindControl(e.id);
    ASSERT_NE(c, nullptr) << e.id;
    EXPECT_EQ(c->text.text, e.text);
  }
  EXPECT_EQ(welcome.FindControl(403)->style, kDefaultButton);
  for (int number : {300, 301}) {
    const DialogTemplate& page = Dialog(MAKEINTRESOURCEA(number));
    for (const Expected& e : page300) {
      const Control* c = page.FindControl(e.id);
      ASSERT_NE(c, nullptr) << number << " " << e.id;
      EXPECT_EQ(c->text.text, e.text);
    }
    // Automatic horizontal scroll, upper case, OEM conversion, as windres
    // stores them with the edit field's defaults.
    EXPECT_EQ(page.FindControl(427)->style, 0x50810488u);
    EXPECT_EQ(page.FindControl(427)->className, "EDIT");
  }
  // 300 and 301 are the same page.
  const DialogTemplate& a = Dialog(MAKEINTRESOURCEA(300));
  const DialogTemplate& b = Dialog(MAKEINTRESOURCEA(301));
  ASSERT_EQ(a.controls.size(), b.controls.size());
  for (size_t i = 0; i < a.controls.size(); ++i) {
    EXPECT_EQ(a.controls[i].id, b.controls[i].id);
    EXPECT_EQ(a.controls[i].text.text, b.controls[i].text.text);
    EXPECT_EQ(a.controls[i].x, b.controls[i].x);
    EXPECT_EQ(a.controls[i].y, b.controls[i].y);
    EXPECT_EQ(a.controls[i].style, b.controls[i].style);
  }
  // Both pages show the library's icon 202 at their top left.
  for (int number : {100, 300}) {
    const Control& icon = Dialog(MAKEINTRESOURCEA(number)).controls.front();
    EXPECT_EQ(icon.statement, "ICON");
    EXPECT_TRUE(icon.text.isOrdinal);
    EXPECT_EQ(icon.text.ordinal, 202);
    EXPECT_EQ(icon.style, 0x50000003u);  // SS_ICON
    EXPECT_LT(icon.x, 20);
    EXPECT_LT(icon.y, 20);
  }
  // The two texts of the destination page, the second with its leading
  // blank.
  bool copyText = false;
  bool groupText = false;
  for (const Control& c : a.controls) {
    copyText |= c.text.text == "The setup program will copy files into the following directory.";
    groupText |= c.text.text == " A new program group will be added to the Program Manager.";
  }
  EXPECT_TRUE(copyText);
  EXPECT_TRUE(groupText);
}

TEST_F(ModuleScriptTest, TheIconIsA32By32SixteenColourIcon) {
  ASSERT_EQ(script_.files.size(), 1u);
  EXPECT_EQ(script_.files[0].name.text, "ICON");
  EXPECT_EQ(script_.files[0].type, "ICON");
  std::string ico = SourceFile("installer/" + script_.files[0].file);
  ASSERT_GE(ico.size(), 6u + 16u + 40u);
  auto byte = [&](size_t i) { return static_cast<unsigned char>(ico[i]); };
  auto word = [&](size_t i) { return byte(i) | byte(i + 1) << 8; };
  auto dword = [&](size_t i) { return word(i) | static_cast<uint32_t>(word(i + 2)) << 16; };
  EXPECT_EQ(word(2), 1) << "an icon";
  EXPECT_EQ(word(4), 1) << "one image";
  EXPECT_EQ(byte(6), 32);
  EXPECT_EQ(byte(7), 32);
  EXPECT_EQ(byte(8), 16) << "colours";
  uint32_t size = dword(6 + 8);
  uint32_t offset = dword(6 + 12);
  ASSERT_EQ(offset + size, ico.size());
  EXPECT_EQ(dword(offset), 40u) << "a BITMAPINFOHEADER";
  EXPECT_EQ(dword(offset + 4), 32u);
  EXPECT_EQ(dword(offset + 8), 64u) << "colour and mask bitmaps";
  EXPECT_EQ(word(offset + 14), 4) << "bits a pixel";
  // Header, 16 palette entries, 32 rows of 16 colour bytes, 32 mask rows.
  EXPECT_EQ(size, 40u + 16u * 4u + 32u * 16u + 32u * 4u);
}

TEST_F(ModuleScriptTest, TemplatesAreFoundAsFindResourceFindsThem) {
  EXPECT_NE(script_.FindDialog("install_dlg"), nullptr) << "names ignore case";
  EXPECT_NE(script_.FindDialog("#1"), nullptr) << "#n names number n";
  EXPECT_EQ(script_.FindDialog("#1"), script_.FindDialog(MAKEINTRESOURCEA(1)));
  EXPECT_EQ(script_.FindDialog("1"), nullptr) << "the text 1 is a name, not a number";
  EXPECT_EQ(script_.FindDialog(MAKEINTRESOURCEA(2)), nullptr);
  EXPECT_EQ(script_.FindDialog("#"), nullptr);
  EXPECT_EQ(script_.FindDialog("PRINTERS"), nullptr) << "a caption is no name";
  EXPECT_EQ(script_.FindDialog(nullptr), nullptr);
}

// ---------------------------------------------------------------------------
// The statements' rules, on small scripts
// ---------------------------------------------------------------------------

ResourceScript Parse(const std::string& text) {
  ResourceScript script;
  std::string error;
  EXPECT_TRUE(ParseResourceScript(text, &script, &error)) << error << "\n" << text;
  return script;
}

std::string ParseError(const std::string& text) {
  ResourceScript script;
  std::string error;
  EXPECT_FALSE(ParseResourceScript(text, &script, &error)) << text;
  EXPECT_TRUE(script.dialogs.empty());
  return error;
}

std::string OneControl(const std::string& statement, const std::string& header = "DIALOG") {
  return "D " + header + " 0, 0, 10, 10\nBEGIN\n  " + statement + "\nEND\n";
}

TEST(ResourceScriptTest, ControlStylesAddToTheStatementDefaults) {
  struct Case {
    const char* statement;
    DWORD style;
  };
  const Case cases[] = {
      {"LTEXT \"a\", 1, 0, 0, 1, 1", 0x50020000},
      {"RTEXT \"a\", 1, 0, 0, 1, 1", 0x50020002},
      {"LTEXT \"a\", 1, 0, 0, 1, 1, NOT WS_GROUP", 0x50000000},
      {"PUSHBUTTON \"a\", 1, 0, 0, 1, 1, NOT WS_TABSTOP | WS_DISABLED", 0x58000000},
      {"LISTBOX 1, 0, 0, 1, 1", 0x50800001},
      {"LISTBOX 1, 0, 0, 1, 1, LBS_SORT", 0x50800003},
      {"EDITTEXT 1, 0, 0, 1, 1, ES_MULTILINE | NOT WS_BORDER", 0x50010004},
      {"CONTROL \"a\", 1, \"Button\", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 0, 1, 1", 0x50010003},
      {"CONTROL \"a\", 1, STATIC, 0x0001L, 0, 0, 1, 1", 0x50000001},
      {"CONTROL \"a\", 1, STATIC, (SS_CENTER + 1) | 8, 0, 0, 1, 1", 0x5000000a},
  };
  for (const Case& c : cases) {
    ResourceScript script = Parse(OneControl(c.statement));
    ASSERT_EQ(script.dialogs.size(), 1u) << c.statement;
    ASSERT_EQ(script.dialogs[0].controls.size(), 1u) << c.statement;
    EXPECT_EQ(script.dialogs[0].controls[0].style, c.style)
        << c.statement << ": " << std::hex << script.dialogs[0].controls[0].style;
  }
}

TEST(ResourceScriptTest, DialogStyleDefaultsCaptionAndFont) {
  struct Case {
    const char* options;
    DWORD style;
  };
  const Case cases[] = {
      {"", 0x80880000},                // WS_POPUP | WS_BORDER | WS_SYSMENU
      {"CAPTION \"c\"", 0x80c80000},   // + WS_CAPTION
      {"FONT 8, \"f\"", 0x80880040},   // + DS_SETFONT
      {"STYLE WS_CHILD", 0x40000000},  // STYLE replaces the default
      {"STYLE WS_CHILD\nCAPTION \"c\"\nFONT 8, \"f\"", 0x40c00040},
  };
  for (const Case& c : cases) {
    ResourceScript script =
        Parse(std::string("D DIALOG 0, 0, 1, 1\n") + c.options + "\nBEGIN\nEND\n");
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].style, c.style) << c.options;
  }
}

TEST(ResourceScriptTest, TextsNumbersAndIds) {
  struct Case {
    const char* statement;
    const char* text;
    int id;
  };
  const Case cases[] = {
      {"LTEXT \"say \"\"hi\"\"\", 7, 0, 0, 1, 1", "say \"hi\"", 7},
      {"LTEXT \"a\\tb\\\\c\\x41\", 0x10, 0, 0, 1, 1", "a\tb\\cA", 16},
      {"LTEXT \"\", -1, 0, 0, 1, 1", "", -1},
      // A DIALOG template keeps 16 bits and the dialog reads them signed.
      {"LTEXT \"a\", 65535, 0, 0, 1, 1", "a", -1},
      {"LTEXT \"a\", 65536 + 5, 0, 0, 1, 1", "a", 5},
      {"LTEXT \"a\", 2 | 1, 0, 0, 1, 1", "a", 3},
  };
  for (const Case& c : cases) {
    ResourceScript script = Parse(OneControl(c.statement));
    ASSERT_EQ(script.dialogs.size(), 1u);
    ASSERT_EQ(script.dialogs[0].controls.size(), 1u) << c.statement;
    EXPECT_EQ(script.dialogs[0].controls[0].text.text, c.text) << c.statement;
    EXPECT_EQ(script.dialogs[0].controls[0].id, c.id) << c.statement;
  }
  // DIALOGEX ids are 32 bits.
  ResourceScript ex = Parse(OneControl("LTEXT \"a\", 65535, 0, 0, 1, 1", "DIALOGEX"));
  EXPECT_EQ(ex.dialogs[0].controls[0].id, 65535);
}

TEST(ResourceScriptTest, DialogExTakesHelpIdsAndFontDetails) {
  ResourceScript script = Parse(
      "D DIALOGEX 1, 2, 30, 40, 77\n"
      "EXSTYLE WS_EX_TOOLWINDOW\n"
      "FONT 9, \"Tahoma\", 700, 1, 0xEE\n"
      "{\n"
      "  PUSHBUTTON \"b\", 5, 1, 2, 3, 4, WS_GROUP, WS_EX_CLIENTEDGE, 99\n"
      "}\n");
  ASSERT_EQ(script.dialogs.size(), 1u);
  const DialogTemplate& d = script.dialogs[0];
  EXPECT_TRUE(d.extended);
  EXPECT_EQ(d.helpId, 77u);
  EXPECT_EQ(d.exStyle, 0x80u);
  EXPECT_EQ(d.fontSize, 9);
  EXPECT_EQ(d.fontName, "Tahoma");
  EXPECT_EQ(d.fontWeight, 700);
  EXPECT_TRUE(d.fontItalic);
  EXPECT_EQ(d.fontCharset, 0xEE);
  ASSERT_EQ(d.controls.size(), 1u);
  EXPECT_EQ(d.controls[0].style, 0x50030000u);
  EXPECT_EQ(d.controls[0].exStyle, 0x200u);
  EXPECT_EQ(d.controls[0].helpId, 99u);
}

TEST(ResourceScriptTest, CommentsPreprocessorLinesAndOtherResources) {
  ResourceScript script = Parse(
      "#include <windows.h>\n"
      "#define LONG_ONE 1 \\\n"
      "    + 2\n"
      "/* a comment\n"
      "   over lines */ LANGUAGE LANG_GERMAN, SUBLANG_DEFAULT // German\n"
      "\"quoted name\" ICON \"a.ico\"\n"
      "7 BITMAP MOVEABLE PURE \"b.bmp\"\n"
      "lower DIALOG DISCARDABLE 0, 0, 1, 1 BEGIN LTEXT \"x // y\", 1, 0, 0, 1, 1 END\n");
  ASSERT_EQ(script.files.size(), 2u);
  EXPECT_EQ(script.files[0].name.text, "QUOTED NAME");
  EXPECT_EQ(script.files[0].file, "a.ico");
  EXPECT_EQ(script.files[0].language, 0x0407);
  EXPECT_TRUE(script.files[1].name.isOrdinal);
  EXPECT_EQ(script.files[1].type, "BITMAP");
  ASSERT_EQ(script.dialogs.size(), 1u);
  EXPECT_EQ(script.dialogs[0].name.text, "LOWER") << "names are stored in capitals";
  EXPECT_NE(script.FindDialog("Lower"), nullptr);
  EXPECT_EQ(script.dialogs[0].language, 0x0407);
  ASSERT_EQ(script.dialogs[0].controls.size(), 1u);
  EXPECT_EQ(script.dialogs[0].controls[0].text.text, "x // y");
}

TEST(ResourceScriptTest, AnIconControlKeepsItsPositionOnly) {
  ResourceScript script = Parse(OneControl("ICON \"ICON\", 9, 3, 4, 18, 20"));
  const Control& icon = script.dialogs[0].controls[0];
  EXPECT_EQ(icon.text.text, "ICON");
  EXPECT_EQ(icon.x, 3);
  EXPECT_EQ(icon.y, 4);
  EXPECT_EQ(icon.width, 0);
  EXPECT_EQ(icon.height, 0);
  EXPECT_EQ(Parse(OneControl("ICON 5, 9, 3, 4")).dialogs[0].controls[0].text.ordinal, 5);
}

TEST(ResourceScriptTest, WhatTheReaderDoesNotUnderstandIsAnErrorWithItsLine) {
  struct Case {
    const char* script;
    const char* error;  // the start of the message
  };
  const Case cases[] = {
      {"D DIALOG 0, 0, 1, 1\nBEGIN\n  COMBOBOX 1, 0, 0, 1, 1\nEND\n", "line 3: expected a control"},
      {"D DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1, WS_NOSUCH\nEND\n",
       "line 3: expected a number or a known constant"},
      {"D DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"a, 1, 0, 0, 1, 1\nEND\n", "line 3: unterminated"},
      {"D DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1\nEND\n", "line 4: expected \",\""},
      {"D DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1\n", "line 4: expected a control"},
      {"D DIALOG 0, 0, 1, 1\nSTYLE\n", "line 3: expected a number"},
      {"S STRINGTABLE\nBEGIN\nEND\n", "line 1: expected DIALOG"},
      {"D DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"\\q\", 1, 0, 0, 1, 1\nEND\n",
       "line 3: unknown escape"},
      {"D DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 99999999999, 0, 0, 1, 1\nEND\n",
       "line 3: number too large"},
      {"D DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 1x, 0, 0, 1, 1\nEND\n", "line 3: bad number"},
      {"D DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1 @\nEND\n",
       "line 3: unexpected character"},
  };
  for (const Case& c : cases) {
    std::string error = ParseError(c.script);
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << "got: " << error << "\nfor:\n" << c.script;
  }
}

TEST(ResourceScriptTest, ScriptsAreFoundThroughTheirModule) {
  static const char kGood[] = "A DIALOG 0, 0, 1, 1 BEGIN END\n";
  static const char kBad[] = "A DIALOG 0, 0, 1 BEGIN END\n";
  HINSTANCE good = reinterpret_cast<HINSTANCE>(0x7000);
  HINSTANCE bad = reinterpret_cast<HINSTANCE>(0x7002);
  host::ResetDialogs();
  host::rc::RegisterResourceScript(good, kGood);
  host::rc::RegisterResourceScript(bad, kBad);
  const ResourceScript* script = host::rc::ResourcesOf(good);
  ASSERT_NE(script, nullptr);
  EXPECT_NE(script->FindDialog("A"), nullptr);
  EXPECT_EQ(host::rc::ResourcesOf(good), script) << "parsed once";
  EXPECT_EQ(host::rc::ResourcesOf(bad), nullptr) << "a script that does not parse";
  SetLastError(1234);
  EXPECT_EQ(host::rc::ResourcesOf(reinterpret_cast<HINSTANCE>(0x7004)), nullptr);
  EXPECT_EQ(GetLastError(), 1234u) << "the lookup keeps the caller's last error";
  host::rc::RegisterResourceScript(good, nullptr);
  EXPECT_EQ(host::rc::ResourcesOf(good), nullptr);
  host::ResetDialogs();
}

}  // namespace
