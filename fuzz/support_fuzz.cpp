// The text-taking members of the support library, under code pages 1252 and
// 932: the path buffer, version texts, drive texts and INI entries read
// through the toolkit. A text that does not fit ends the run, and only such
// a text; what fits is checked against a model or against the system's own
// answer.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fuzz_machine.h"
#include "process_end.h"
#include "support/path_buffer.h"
#include "support/shared_components.h"
#include "support/system_detection.h"
#include "text_walk.h"
#include "winapi.h"

namespace {

enum Member { kAppend, kEndWithBackslash, kVersions, kDrive, kIniEntry, kMemberCount };

constexpr char kSentinel = '\x7E';
constexpr char kIniPath[] = "C:\\windows\\fuzz.ini";

// A path buffer of kPathBufferSize bytes, one sentinel byte after it.
std::vector<char> PathBuffer(const std::string& text) {
  std::vector<char> buffer(kPathBufferSize + 1, kSentinel);
  std::string start = std::string(text.c_str()).substr(0, kPathBufferSize - 1);
  std::memcpy(buffer.data(), start.c_str(), start.size() + 1);
  return buffer;
}

void CheckPathBuffer(const std::string& start, const std::string& text, bool backslash) {
  std::vector<char> buffer = PathBuffer(start);
  std::string expected = buffer.data();
  std::string added = backslash ? "\\" : std::string(text.c_str());
  if (backslash) {
    std::vector<size_t> starts = fuzz::CharacterStarts(expected.c_str());
    if (!starts.empty() && expected[starts.back()] == '\\') added.clear();
  }
  expected += added;
  int status = -1;
  const bool ended = fuzz::EndsProcess(
      [&] {
        if (backslash)
          EndPathWithBackslash(buffer.data());
        else
          AppendToPathBuffer(buffer.data(), text.c_str());
      },
      &status);
  fuzz::ResetToolkitState();
  if (buffer[kPathBufferSize] != kSentinel) fuzz::Fail("a path was written beyond its buffer");
  if (ended != (expected.size() >= static_cast<size_t>(kPathBufferSize)))
    fuzz::Fail("a path of " + std::to_string(expected.size()) + " bytes ended the run wrongly");
  if (!ended && expected != buffer.data()) fuzz::Fail("the path buffer holds another path");
}

void CheckVersions(const std::string& a, const std::string& b) {
  const int ab = CompareVersionTexts(a.c_str(), b.c_str());
  const int ba = CompareVersionTexts(b.c_str(), a.c_str());
  if (ab < -1 || ab > 1 || ab != -ba) fuzz::Fail("version comparison is not antisymmetric");
  if (CompareVersionTexts(a.c_str(), a.c_str()) != 0) fuzz::Fail("a version differs from itself");
  for (int field = -1; field <= 5; ++field) GetVersionNthField(a.c_str(), field);
}

// Each drive test leaves the caller's text as it says.
void CheckDrive(const std::string& drive) {
  std::string upperFirst = drive, upperAll = drive;
  if (!drive.empty() && drive[0] != '\0') {
    char first[2] = {drive[0], '\0'};
    CharUpperA(first);
    upperFirst[0] = first[0];
  }
  CharUpperA(upperAll.data());
  struct Test {
    const std::string* left;
    std::function<void(char*)> run;
  } tests[] = {
      {&upperFirst, [](char* text) { IsValidDrive(text); }},
      {&upperAll, [](char* text) { IsLocalHardDrive(text); }},
      {&upperFirst, [](char* text) { IsRemovableDrive(text); }},
      {&drive, [](char* text) { IsRemoteDrive(text); }},
      {&upperFirst, [](char* text) { GetDriveTotalBytes(text); }},
      {&drive, [](char* text) { GetDriveFreeBytes(text); }},
  };
  for (const Test& test : tests) {
    std::string text = drive;
    test.run(text.data());
    if (std::string(text.c_str()) != test.left->c_str())
      fuzz::Fail("a drive test left another text: " + text);
  }
}

void CheckIniEntry(const std::string& section, const std::string& key, int size,
                   const std::string& content) {
  fuzz::WriteMachineFile("c/windows/fuzz.ini", content);
  // The toolkit reads nothing for an empty section or key name.
  char expected[1024] = "";
  if (section.c_str()[0] != '\0' && key.c_str()[0] != '\0')
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", expected, sizeof expected, kIniPath);
  std::vector<char> buffer(static_cast<size_t>(size) + 1, kSentinel);
  int status = -1;
  const bool ended = fuzz::EndsProcess(
      [&] { GetIniKeyStringChecked(kIniPath, section.c_str(), key.c_str(), buffer.data(), size); },
      &status);
  fuzz::ResetToolkitState();
  if (buffer[static_cast<size_t>(size)] != kSentinel) fuzz::Fail("an entry overran its buffer");
  const size_t length = std::strlen(expected);
  if (length + 1 >= sizeof expected) return;  // longer than the model's own buffer
  if (ended != (length >= static_cast<size_t>(size)))
    fuzz::Fail("an entry of " + std::to_string(length) + " bytes ended the run wrongly in " +
               std::to_string(size));
  if (!ended && std::string(buffer.data()) != expected)
    fuzz::Fail("[" + section + "] " + key + " reads \"" + buffer.data() +
               "\" through the toolkit, \"" + expected + "\" from the system");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  fuzz::UseMachine(fuzz::MachineWithCodePage(input.ConsumeBool()));
  fuzz::ResetToolkitState();
  switch (static_cast<Member>(input.ConsumeIntegralInRange<int>(0, kMemberCount - 1))) {
    case kAppend: {
      std::string start = input.ConsumeRandomLengthString(300);
      CheckPathBuffer(start, input.ConsumeRemainingBytesAsString(), false);
      break;
    }
    case kEndWithBackslash:
      CheckPathBuffer(input.ConsumeRemainingBytesAsString(), "", true);
      break;
    case kVersions: {
      std::string a = input.ConsumeRandomLengthString(40);
      CheckVersions(a, input.ConsumeRemainingBytesAsString());
      break;
    }
    case kDrive:
      CheckDrive(input.ConsumeRemainingBytesAsString());
      break;
    case kIniEntry: {
      std::string section = input.ConsumeRandomLengthString(32);
      std::string key = input.ConsumeRandomLengthString(32);
      int room = input.ConsumeIntegralInRange<int>(1, 300);
      CheckIniEntry(section, key, room, input.ConsumeRemainingBytesAsString());
      break;
    }
    case kMemberCount:
      break;
  }
  return 0;
}
