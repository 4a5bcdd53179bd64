// The text-taking path and string helpers, under code pages 1252 and 932,
// checked against a model that walks the text a whole character at a time.
// A text that does not fit its buffer ends the run (as the toolkit does),
// and only such a text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

#include "fuzz_machine.h"
#include "process_end.h"
#include "text_walk.h"
#include "toolkit/path_helpers.h"

namespace {

enum Helper {
  kFindCharacter,
  kFindTextPosition,
  kExtractCommaField,
  kJoin,
  kTrimTrailingBlanks,
  kCopyTextBounded,
  kHelperCount
};

constexpr char kSentinel = '\x7E';

void CheckFindCharacter(const std::string& text, int key) {
  const char* found = FindCharacter(text.c_str(), key);
  const char wanted = static_cast<char>(key & 0xff);
  const char* expected = nullptr;
  for (size_t start : fuzz::CharacterStarts(text.c_str())) {
    if (text[start] == wanted) {
      expected = text.c_str() + start;
      break;
    }
  }
  if (wanted == '\0') expected = nullptr;
  if (found != expected) fuzz::Fail("FindCharacter found another character");
}

bool SameCharactersAt(const char* text, const char* pattern) {
  while (*pattern != '\0') {
    size_t width = fuzz::CharacterWidthAt(text);
    if (width == 0 || width != fuzz::CharacterWidthAt(pattern) ||
        std::memcmp(text, pattern, width) != 0)
      return false;
    text += width;
    pattern += width;
  }
  return true;
}

void CheckFindTextPosition(int start, const std::string& text, const std::string& pattern) {
  const int got = FindTextPosition(start, text.c_str(), pattern.c_str());
  int expected = 0;
  if (start >= 1) {
    for (size_t at : fuzz::CharacterStarts(text.c_str())) {
      // The search starts at the character holding byte position start.
      size_t width = fuzz::CharacterWidthAt(text.c_str() + at);
      if (at + width < static_cast<size_t>(start)) continue;
      if (SameCharactersAt(text.c_str() + at, pattern.c_str())) {
        expected = static_cast<int>(at) + 1;
        break;
      }
    }
  }
  if (got != expected)
    fuzz::Fail("FindTextPosition gave " + std::to_string(got) + ", not " +
               std::to_string(expected));
}

void CheckExtractCommaField(std::string list, int n, int size) {
  // The model: fields split at commas that begin a character.
  std::vector<std::string> fields(1);
  for (size_t i = 0; list[i] != '\0';) {
    size_t width = fuzz::CharacterWidthAt(list.c_str() + i);
    if (list[i] == ',')
      fields.emplace_back();
    else
      fields.back() += list.substr(i, width);
    i += width;
  }
  std::string expected = static_cast<size_t>(n) <= fields.size() ? fields[n - 1] : "";
  expected.erase(0, expected.find_first_not_of(" \t") == std::string::npos
                        ? expected.size()
                        : expected.find_first_not_of(" \t"));
  const std::string before = list;
  std::vector<char> buffer(static_cast<size_t>(size) + 2, kSentinel);
  int status = -1;
  const bool ended =
      fuzz::EndsProcess([&] { ExtractCommaField(list.data(), n, buffer.data(), size); }, &status);
  fuzz::ResetToolkitState();
  if (list != before) fuzz::Fail("ExtractCommaField changed its list");
  if (ended != (expected.size() > static_cast<size_t>(size)))
    fuzz::Fail("ExtractCommaField ended the run wrongly for a field of " +
               std::to_string(expected.size()) + " in " + std::to_string(size));
  if (ended) {
    if (status != 0) fuzz::Fail("the fatal path ended with status " + std::to_string(status));
    return;
  }
  if (buffer.data() != expected || buffer[static_cast<size_t>(size) + 1] != kSentinel)
    fuzz::Fail("ExtractCommaField gave another field, or wrote beyond its buffer");
}

void CheckJoin(const std::vector<std::string>& pieces) {
  std::string expected;
  for (const std::string& piece : pieces) expected += piece.c_str();
  int size = pieces.size() == 2   ? kJoinTwoSize
             : pieces.size() == 3 ? kJoinThreeSize
                                  : kJoinFourSize;
  char* joined = nullptr;
  int status = -1;
  const bool ended = fuzz::EndsProcess(
      [&] {
        if (pieces.size() == 2)
          joined = JoinTwo(pieces[0].c_str(), pieces[1].c_str());
        else if (pieces.size() == 3)
          joined = JoinThree(pieces[0].c_str(), pieces[1].c_str(), pieces[2].c_str());
        else
          joined =
              JoinFour(pieces[0].c_str(), pieces[1].c_str(), pieces[2].c_str(), pieces[3].c_str());
      },
      &status);
  fuzz::ResetToolkitState();
  if (ended != (expected.size() >= static_cast<size_t>(size)))
    fuzz::Fail("a join ended the run wrongly for " + std::to_string(expected.size()) + " bytes");
  if (!ended && expected != joined) fuzz::Fail("a join gave another text");
}

void CheckTrimTrailingBlanks(std::string text) {
  // The trailing run of blanks that are characters of their own: a blank
  // after a lead byte is that character's trail byte.
  std::string expected = text.c_str();
  std::vector<size_t> starts = fuzz::CharacterStarts(expected.c_str());
  while (!starts.empty() && expected[starts.back()] == ' ') {
    expected.resize(starts.back());
    starts.pop_back();
  }
  TrimTrailingBlanks(text.data());
  if (expected != text.c_str()) fuzz::Fail("TrimTrailingBlanks gave another text");
}

void CheckCopyTextBounded(const std::string& source, int count) {
  std::vector<char> destination(static_cast<size_t>(count) + 1, kSentinel);
  CopyTextBounded(destination.data(), source.c_str(), count);
  std::string expected;
  for (size_t start : fuzz::CharacterStarts(source.c_str())) {
    size_t width = fuzz::CharacterWidthAt(source.c_str() + start);
    if (expected.size() + width > static_cast<size_t>(count)) break;
    expected += source.substr(start, width);
  }
  expected.resize(static_cast<size_t>(count), '\0');
  if (std::memcmp(destination.data(), expected.data(), expected.size()) != 0 ||
      destination[static_cast<size_t>(count)] != kSentinel)
    fuzz::Fail("CopyTextBounded wrote other bytes, or beyond its count");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  fuzz::UseMachine(fuzz::MachineWithCodePage(input.ConsumeBool()));
  switch (static_cast<Helper>(input.ConsumeIntegralInRange<int>(0, kHelperCount - 1))) {
    case kFindCharacter: {
      int key = input.ConsumeIntegral<int>();
      CheckFindCharacter(input.ConsumeRemainingBytesAsString(), key);
      break;
    }
    case kFindTextPosition: {
      int start = input.ConsumeIntegralInRange<int>(-2, 300);
      std::string pattern = input.ConsumeRandomLengthString(16);
      CheckFindTextPosition(start, input.ConsumeRemainingBytesAsString(), pattern);
      break;
    }
    case kExtractCommaField: {
      int n = input.ConsumeIntegralInRange<int>(1, 12);
      int room = input.ConsumeIntegralInRange<int>(0, 64);
      CheckExtractCommaField(input.ConsumeRemainingBytesAsString(), n, room);
      break;
    }
    case kJoin: {
      std::vector<std::string> pieces(input.ConsumeIntegralInRange<size_t>(2, 4));
      for (size_t i = 0; i + 1 < pieces.size(); ++i)
        pieces[i] = input.ConsumeRandomLengthString(600);
      pieces.back() = input.ConsumeRemainingBytesAsString();
      CheckJoin(pieces);
      break;
    }
    case kTrimTrailingBlanks:
      CheckTrimTrailingBlanks(input.ConsumeRemainingBytesAsString());
      break;
    case kCopyTextBounded: {
      int count = input.ConsumeIntegralInRange<int>(0, 64);
      CheckCopyTextBounded(input.ConsumeRemainingBytesAsString(), count);
      break;
    }
    case kHelperCount:
      break;
  }
  return 0;
}
