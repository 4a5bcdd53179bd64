// The reader of compiled resources, on the module's own installer/setup.rc
// and on tests/host/fixtures/resource_cases.rc, both compiled by windres as
// the Windows build compiles them; and on damaged copies of them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/src/resources/module_resources.h"
#include "host/src/resources/resource_fields.h"

extern "C" const unsigned char SetupResources[];
extern "C" const unsigned long SetupResourcesSize;
extern "C" const unsigned char ResourceCaseResources[];
extern "C" const unsigned long ResourceCaseResourcesSize;

namespace {

using host::res::Control;
using host::res::DialogTemplate;
using host::res::ModuleResources;

ModuleResources Read(const unsigned char* bytes, size_t size) {
  ModuleResources resources;
  std::string error;
  EXPECT_TRUE(host::res::ReadModuleResources(bytes, size, &resources, &error)) << error;
  return resources;
}

const DialogTemplate& Dialog(const ModuleResources& resources, LPCSTR name) {
  static const DialogTemplate kNone;
  const DialogTemplate* d = resources.FindDialog(name);
  EXPECT_NE(d, nullptr);
  return d != nullptr ? *d : kNone;
}

constexpr DWORD kPopupDialog =
    0x90c000c0;                           // DS_MODALFRAME|DS_SETFONT|WS_POPUP|WS_VISIBLE|WS_CAPTION
constexpr DWORD kChildPage = 0x40c00040;  // WS_CHILD|WS_CAPTION|DS_SETFONT

TEST(ModuleResources, TheInstallerDialogsAsCompiled) {
  ModuleResources setup = Read(SetupResources, SetupResourcesSize);
  struct Case {
    LPCSTR name;
    const char* display;
    const char* caption;
    const char* fontName;
    int width, height;
    DWORD style;
    size_t controls;
  };
  const Case cases[] = {
      {"COPY_DLG", "COPY_DLG", "Copying", "System", 149, 63, kPopupDialog, 1},
      {"INSTALL_DLG", "INSTALL_DLG", "Printers", "System", 177, 115, kPopupDialog, 5},
      {MAKEINTRESOURCEA(1), "1", "Finish Setup ", "MS Sans Serif", 225, 92, kPopupDialog, 4},
      {MAKEINTRESOURCEA(100), "100", "Setup", "Helv", 200, 117, kChildPage, 6},
      {MAKEINTRESOURCEA(300), "300", "Setup", "Helv", 200, 110, kChildPage, 9},
      {MAKEINTRESOURCEA(301), "301", "Setup", "Helv", 200, 110, kChildPage, 9},
  };
  EXPECT_EQ(setup.dialogs.size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.display);
    const DialogTemplate& d = Dialog(setup, c.name);
    EXPECT_EQ(d.name.Display(), c.display);
    EXPECT_EQ(d.caption, c.caption);
    EXPECT_EQ(d.fontSize, 8);
    EXPECT_EQ(d.fontName, c.fontName);
    EXPECT_EQ(d.width, c.width);
    EXPECT_EQ(d.height, c.height);
    EXPECT_EQ(d.style, c.style) << std::hex << d.style;
    EXPECT_EQ(d.language, 0x0409) << "English (United States)";
    EXPECT_EQ(d.controls.size(), c.controls);
  }
  // The language list (unsorted, notifying, scroll bar, border, tab stop,
  // no integral height) and its label, whose id -1 is 16 bits sign-extended.
  const DialogTemplate& language = Dialog(setup, "INSTALL_DLG");
  ASSERT_NE(language.FindControl(4), nullptr);
  EXPECT_EQ(language.FindControl(4)->className, "LISTBOX");
  EXPECT_EQ(language.FindControl(4)->style, 0x50a10101u);
  EXPECT_EQ(language.controls[2].id, -1);
  EXPECT_EQ(language.controls[2].text.text, "&Language:");
  // The pages' icon 202, whose size the compiler does not keep.
  const Control& icon = Dialog(setup, MAKEINTRESOURCEA(300)).controls.front();
  EXPECT_TRUE(icon.IsIcon());
  EXPECT_TRUE(icon.text.isOrdinal);
  EXPECT_EQ(icon.text.ordinal, 202);
  EXPECT_EQ(icon.x, 8);
  EXPECT_EQ(icon.width, 0);
}

TEST(ModuleResources, TemplatesAreFoundAsFindResourceFindsThem) {
  ModuleResources setup = Read(SetupResources, SetupResourcesSize);
  ModuleResources cases = Read(ResourceCaseResources, ResourceCaseResourcesSize);
  EXPECT_NE(setup.FindDialog("install_dlg"), nullptr) << "names ignore case";
  EXPECT_NE(setup.FindDialog("#1"), nullptr);
  EXPECT_EQ(setup.FindDialog("#1"), setup.FindDialog(MAKEINTRESOURCEA(1)));
  // "1" is a name, not a number; "PRINTERS" is a caption.
  const LPCSTR missing[] = {"1", "#", "PRINTERS", nullptr, MAKEINTRESOURCEA(2)};
  for (LPCSTR name : missing) EXPECT_EQ(setup.FindDialog(name), nullptr);
  // The compiler stores names in capitals.
  ASSERT_NE(cases.FindDialog("Lower"), nullptr);
  EXPECT_EQ(cases.FindDialog("Lower")->name.Display(), "LOWER");
}

TEST(ModuleResources, AnExtendedDialogWithItsHelpIdsAndFont) {
  ModuleResources cases = Read(ResourceCaseResources, ResourceCaseResourcesSize);
  const DialogTemplate& d = Dialog(cases, "LOWER");
  EXPECT_TRUE(d.extended);
  EXPECT_EQ(d.language, 0x0407);
  EXPECT_EQ(d.helpId, 77u);
  EXPECT_EQ(d.exStyle, 0x80u);
  EXPECT_EQ(d.caption, "Caf\xe9") << "back in the ANSI code page";
  EXPECT_EQ(d.fontSize, 9);
  EXPECT_EQ(d.fontName, "Tahoma");
  EXPECT_EQ(d.fontWeight, 700);
  EXPECT_TRUE(d.fontItalic);
  EXPECT_EQ(d.fontCharset, 0xEE);
  ASSERT_EQ(d.controls.size(), 3u);
  const Control& button = d.controls[0];
  EXPECT_EQ(button.id, 70000) << "32-bit ids";
  EXPECT_EQ(button.style, 0x50030000u);
  EXPECT_EQ(button.exStyle, 0x200u);
  EXPECT_EQ(button.helpId, 99u);
  EXPECT_EQ(d.controls[1].className, "MYCLASS") << "class names too are stored in capitals";
  EXPECT_EQ(d.controls[1].style, 0x50001234u);
  EXPECT_EQ(d.controls[2].id, -1);
  EXPECT_TRUE(d.controls[2].IsIcon());
}

TEST(ModuleResources, StringsAsLoadStringFindsThem) {
  ModuleResources cases = Read(ResourceCaseResources, ResourceCaseResourcesSize);
  struct Case {
    unsigned id;
    bool found;
    const char* text;
  };
  const Case strings[] = {{1, true, "one"},      {2, true, ""},
                          {3, true, ""},  // a gap in its block
                          {15, true, "fifteen"}, {16, true, "sixteen, in the second block"},
                          {0, true, ""},         {32, false, ""}};  // no third block
  for (const Case& c : strings) {
    std::string text = "sentinel";
    EXPECT_EQ(cases.FindString(c.id, &text), c.found) << c.id;
    if (c.found) {
      EXPECT_EQ(text, c.text) << c.id;
    }
  }
}

// Every cut of a good file, and damaged fields, are refused or read within
// the bytes (the sanitizers check the reads); nothing is half read.
TEST(ModuleResources, DamagedFilesAreRefused) {
  std::vector<uint8_t> good(ResourceCaseResources,
                            ResourceCaseResources + ResourceCaseResourcesSize);
  for (size_t size = 0; size < good.size(); ++size) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<ptrdiff_t>(size));
    ModuleResources resources;
    std::string error;
    if (!host::res::ReadModuleResources(cut.data(), cut.size(), &resources, &error)) {
      EXPECT_TRUE(resources.dialogs.empty() && resources.entries.empty()) << size;
      EXPECT_FALSE(error.empty()) << size;
    }
  }
  auto poke = [&](size_t at, uint32_t value) {
    std::vector<uint8_t> bytes = good;
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    return bytes;
  };
  const size_t dialogEntry = 32;  // after the marking entry
  const size_t dialogData = dialogEntry + 40;
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  const Case damaged[] = {
      {"no mark", std::vector<uint8_t>(good.begin() + dialogEntry, good.end())},
      {"data past the end", poke(dialogEntry, 0x7FFFFFF0)},
      {"header past the end", poke(dialogEntry + 4, 0x7FFFFFF0)},
      {"header too short", poke(dialogEntry + 4, 16)},
      {"more controls than data", poke(dialogData + 16, 0xFFFF)},
  };
  for (const Case& c : damaged) {
    ModuleResources resources;
    std::string error;
    EXPECT_FALSE(host::res::ReadModuleResources(c.bytes.data(), c.bytes.size(), &resources, &error))
        << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

TEST(ModuleResources, FoundThroughTheirModule) {
  HINSTANCE good = reinterpret_cast<HINSTANCE>(0x7000);
  HINSTANCE bad = reinterpret_cast<HINSTANCE>(0x7002);
  host::ResetDialogs();
  host::res::RegisterResources(good, SetupResources, SetupResourcesSize);
  host::res::RegisterResources(bad, SetupResources, 100);
  const ModuleResources* resources = host::res::ResourcesOf(good);
  ASSERT_NE(resources, nullptr);
  EXPECT_NE(resources->FindDialog("COPY_DLG"), nullptr);
  EXPECT_EQ(host::res::ResourcesOf(good), resources) << "read once";
  EXPECT_EQ(host::res::ResourcesOf(bad), nullptr) << "a file cut short";
  SetLastError(1234);
  EXPECT_EQ(host::res::ResourcesOf(reinterpret_cast<HINSTANCE>(0x7004)), nullptr);
  EXPECT_EQ(GetLastError(), 1234u) << "the lookup keeps the caller's last error";
  host::res::RegisterResources(good, nullptr, 0);
  EXPECT_EQ(host::res::ResourcesOf(good), nullptr);
  host::ResetDialogs();
}

}  // namespace
