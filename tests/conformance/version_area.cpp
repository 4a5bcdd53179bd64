// Version resources of real PE images (version_images.inc, made with
// windres), which the program writes below C:\conform: the sizes asked for
// and given, and values by their paths.
#include <cstring>
#include <string>
#include <vector>

#include "report.h"

namespace conformance {
namespace {

#include "version_images.inc"

constexpr char kArea[] = "version";
constexpr char kVersioned[] = "C:\\conform\\versioned.dll";
constexpr char kSecondId[] = "C:\\conform\\second_id.dll";
constexpr char kNotAnImage[] = "C:\\conform\\not_an_image.dll";

std::string Bytes(const unsigned char* bytes, size_t size) {
  return std::string(reinterpret_cast<const char*>(bytes), size);
}

void Sizes() {
  const char* files[] = {kVersioned,         kSecondId, kNotAnImage, "C:\\conform\\missing.dll",
                         "C:\\nodir\\x.dll", "",        nullptr};
  for (const char* file : files) {
    DWORD handle = 99;
    ArmError();
    DWORD size = GetFileVersionInfoSizeA(file, &handle);
    Observe(kArea, "GetFileVersionInfoSizeA", Quote(file),
            Number(size) + Error() + " handle " + Number(handle));
  }
}

// The block's own length, from its first WORD.
size_t OwnLength(const char* block) {
  return static_cast<unsigned char>(block[0]) | (static_cast<unsigned char>(block[1]) << 8);
}

void Copies() {
  const DWORD full = GetFileVersionInfoSizeA(kVersioned, nullptr);
  const DWORD resource = (full - 4) / 2;
  struct {
    const char* label;
    DWORD size;
  } cases[] = {{"0", 0},
               {"half the resource", resource / 2},
               {"the resource", resource},
               {"the resource and 4", resource + 4},
               {"as asked", full},
               {"more than asked", full + 8}};
  for (const auto& c : cases) {
    Buffer block(full + 16);
    ArmError();
    BOOL ok = GetFileVersionInfoA(kVersioned, 0, c.size, block.data());
    size_t own = OwnLength(block.data());
    std::string shown = ok ? "TRUE" : "FALSE";
    shown += Error() + " start " + block.Shown(2);
    // The 4 bytes after the block's own length, where the mark may be.
    if (own + 4 <= full + 16) shown += " after " + QuoteBytes(block.data() + own, 4);
    Observe(kArea, "GetFileVersionInfoA", c.label, shown);
  }
  ArmError();
  BOOL ok = GetFileVersionInfoA(kVersioned, 0, full, nullptr);
  Observe(kArea, "GetFileVersionInfoA", "NULL data", (ok ? "TRUE" : "FALSE") + Error());
  Buffer block(full);
  ArmError();
  ok = GetFileVersionInfoA(kSecondId, 0, full, block.data());
  Observe(kArea, "GetFileVersionInfoA", "second id", (ok ? "TRUE" : "FALSE") + Error());
}

void Values() {
  const DWORD full = GetFileVersionInfoSizeA(kVersioned, nullptr);
  std::vector<char> block(full);
  if (!GetFileVersionInfoA(kVersioned, 0, full, block.data())) return;
  struct {
    const char* path;
    bool text;
  } cases[] = {
      {"\\", false},
      {"", false},
      {nullptr, false},
      {"\\VarFileInfo\\Translation", false},
      {"\\VARFILEINFO\\translation", false},
      {"VarFileInfo\\Translation", false},
      {"\\\\VarFileInfo\\\\Translation\\", false},
      {"\\VarFileInfo\\Translation\\More", false},
      {"\\StringFileInfo\\040904B0\\CompanyName", true},
      {"\\stringfileinfo\\040904b0\\COMPANYNAME", true},
      {"\\StringFileInfo\\040904B0\\FileDescription", true},
      {"\\StringFileInfo\\040904B0\\Comments", true},
      {"\\StringFileInfo\\040904B0\\Company", true},
      {"\\StringFileInfo\\040904E4\\CompanyName", true},
      {"\\StringFileInfo", true},
      {"\\Missing", false},
  };
  for (const auto& c : cases) {
    LPVOID value = nullptr;
    UINT length = 99;
    ArmError();
    BOOL ok = VerQueryValueA(block.data(), c.path, &value, &length);
    std::string shown = ok ? "TRUE" : "FALSE" + Error();
    shown += " length " + Number(length);
    if (ok && value != nullptr) {
      const char* at = static_cast<const char*>(value);
      bool inside = at >= block.data() && at < block.data() + block.size();
      shown += inside ? " at " + Number(at - block.data()) : std::string(" outside");
      size_t shownSize = c.text ? length : (length < 8 ? length : 8);
      if (inside && at + shownSize <= block.data() + block.size())
        shown += " " + QuoteBytes(at, shownSize);
    }
    Observe(kArea, "VerQueryValueA", Quote(c.path), shown);
  }
  LPVOID value = nullptr;
  Observe(kArea, "VerQueryValueA", "no length",
          VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, nullptr) ? "TRUE"
                                                                                      : "FALSE");
  Observe(kArea, "VerQueryValueA", "NULL block",
          VerQueryValueA(nullptr, "\\", &value, nullptr) ? "TRUE" : "FALSE");
}

}  // namespace

void RunVersions() {
  if (!WriteWholeFile(kVersioned, Bytes(kVersionedImage, sizeof kVersionedImage)) ||
      !WriteWholeFile(kSecondId, Bytes(kSecondIdImage, sizeof kSecondIdImage)) ||
      !WriteWholeFile(kNotAnImage, "MZ but no more than that\r\n"))
    return;
  Sizes();
  Copies();
  Values();
}

}  // namespace conformance
