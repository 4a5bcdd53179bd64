// The win.ini editor, under code pages 1252 and 932. Whatever the file holds,
// a key written reads back with its value, a key or section removed is gone
// (one of its name fewer), and every other section reads as before.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "fuzz_machine.h"
#include "profile_text.h"
#include "winapi.h"

namespace {

enum Edit { kWrite, kRemoveKey, kRemoveSection, kEditCount };

std::string Upper(std::string text) {
  if (!text.empty()) CharUpperA(text.data());
  return text;
}

bool Blank(char c) { return c == ' ' || c == '\t'; }

// A name or value the file's syntax can carry: one line, no blanks around
// it, and no character that would end it early.
bool Plain(const std::string& text, const char* forbidden, bool mayBeEmpty) {
  if (text.empty()) return mayBeEmpty;
  if (Blank(text.front()) || Blank(text.back())) return false;
  if (text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return false;
  return text.find_first_of(forbidden) == std::string::npos;
}

bool WholeCharacters(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsDBCSLeadByte(static_cast<BYTE>(text[i]))) continue;
    if (++i == text.size()) return false;
  }
  return true;
}

// The lines of the first section of that name whose key is key.
int KeyCount(const std::string& content, const std::string& section, const std::string& key,
             std::string* firstValue) {
  std::vector<std::string> lines;
  ProfileSectionLines(content, section, &lines);
  int count = 0;
  for (const std::string& line : lines) {
    std::string name, value;
    if (!SplitProfileLine(line, &name, &value) || Upper(name) != Upper(key)) continue;
    if (count++ == 0 && firstValue != nullptr) *firstValue = value;
  }
  return count;
}

int SectionCount(const std::string& content, const std::string& section) {
  int count = 0;
  for (const std::string& name : ProfileSectionNames(content))
    count += Upper(name) == Upper(section);
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const bool doubleByte = input.ConsumeBool();
  const auto edit = static_cast<Edit>(input.ConsumeIntegralInRange<int>(0, kEditCount - 1));
  const std::string section = input.ConsumeRandomLengthString(40);
  const std::string key = input.ConsumeRandomLengthString(40);
  const std::string value = input.ConsumeRandomLengthString(80);
  const std::string content = input.ConsumeRemainingBytesAsString();
  fuzz::UseMachine(fuzz::MachineWithCodePage(doubleByte));

  const char* keyArgument = edit == kRemoveSection ? nullptr : key.c_str();
  const char* valueArgument = edit == kWrite ? value.c_str() : nullptr;
  const std::string edited = EditProfileText(content, section, keyArgument, valueArgument);

  // What the syntax cannot carry is edited all the same, but not checked.
  // Nor is a name that ends in half a double-byte character: its lead byte
  // takes the closing bracket or the '=' for its trail byte.
  if (!Plain(section, "[]", false) || !Plain(key, "=[];", false) || !Plain(value, "", true) ||
      !WholeCharacters(section) || !WholeCharacters(key))
    return 0;
  const int keysBefore = KeyCount(content, section, key, nullptr);
  std::string got;
  switch (edit) {
    case kWrite:
      if (KeyCount(edited, section, key, &got) != (keysBefore == 0 ? 1 : keysBefore) ||
          got != value)
        fuzz::Fail("a key written does not read back with its value: [" + section + "] " + key +
                   "=" + value + " reads " + got + "\n" + edited);
      break;
    case kRemoveKey:
      if (KeyCount(edited, section, key, nullptr) != (keysBefore == 0 ? 0 : keysBefore - 1))
        fuzz::Fail("a key removed is still there");
      break;
    case kRemoveSection: {
      int before = SectionCount(content, section);
      if (SectionCount(edited, section) != (before == 0 ? 0 : before - 1))
        fuzz::Fail("a section removed is still there");
      break;
    }
    case kEditCount:
      break;
  }
  for (const std::string& other : ProfileSectionNames(content)) {
    if (Upper(other) == Upper(section)) continue;
    std::vector<std::string> before, after;
    ProfileSectionLines(content, other, &before);
    ProfileSectionLines(edited, other, &after);
    if (before != after) fuzz::Fail("another section changed: " + other);
  }
  return 0;
}
