// The INF reader of inf/, under code pages 1252 and 932. Any text
// reads (bad lines are named, never fatal); what it reads is found again by
// section and key, and a problem's line lies inside the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_machine.h"
#include "inf/inf_file.h"
#include "winapi.h"

namespace {

std::string Upper(std::string text) {
  if (!text.empty()) CharUpperA(text.data());
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  fuzz::UseMachine(fuzz::MachineWithCodePage(input.ConsumeBool()));
  const std::string text = input.ConsumeRemainingBytesAsString();
  const InfFile inf = ParseInfText(text);

  int lines = 1;
  for (char c : text) lines += c == '\n';
  for (const InfProblem& problem : inf.problems)
    if (problem.line < 1 || problem.line > lines || problem.reason.empty())
      fuzz::Fail("a problem at line " + std::to_string(problem.line) + ": " + problem.reason);
  for (const InfSection& section : inf.sections) {
    const InfSection* found = FindInfSection(inf, section.name);
    if (found == nullptr || Upper(found->name) != Upper(section.name))
      fuzz::Fail("a section is not found by its name: " + section.name);
    for (const InfLine& line : section.lines) {
      if (line.fields.empty()) fuzz::Fail("a line without fields");
      if (line.number < 1 || line.number > lines)
        fuzz::Fail("a line numbered " + std::to_string(line.number));
      if (!line.has_key) continue;
      const InfLine* first = FindInfKey(section, line.key);
      if (first == nullptr || Upper(first->key) != Upper(line.key))
        fuzz::Fail("a key is not found in its section: " + line.key);
    }
  }
  return 0;
}
