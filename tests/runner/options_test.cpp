// The runner's command line.
#include <gtest/gtest.h>

#include "options.h"

namespace {

bool Parse(std::vector<std::string> words, RunnerOptions* options, std::string* error) {
  std::vector<char*> argv = {const_cast<char*>("setuphost")};
  for (std::string& word : words) argv.push_back(word.data());
  return ParseRunnerOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(ParseRunnerOptions, InteractiveTakesNoValueAndRecordTakesAFile) {
  RunnerOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--interactive", "--machine", "m", "--record", "r.answers", "--printer", "P"},
                    &options, &error))
      << error;
  EXPECT_TRUE(options.interactive);
  EXPECT_EQ(options.record, "r.answers");
  EXPECT_EQ(options.machine, "m");
  EXPECT_EQ(options.printer, "P");
}

TEST(ParseRunnerOptions, AnInfInstallationNamesThePrinterAsTheModelUnlessGiven) {
  const struct {
    std::vector<std::string> words;
    std::string printer;
  } cases[] = {
      {{"--machine", "m", "--inf", "A:\\KYROTH.INF", "--model", "Kyroth FS-600"}, "Kyroth FS-600"},
      {{"--machine", "m", "--inf", "A:\\KYROTH.INF", "--model", "Kyroth FS-600", "--printer",
        "Copy 2"},
       "Copy 2"},
  };
  for (const auto& c : cases) {
    RunnerOptions options;
    std::string error;
    ASSERT_TRUE(Parse(c.words, &options, &error)) << error;
    EXPECT_EQ(options.inf, "A:\\KYROTH.INF");
    EXPECT_EQ(options.model, "Kyroth FS-600");
    EXPECT_EQ(options.printer, c.printer);
  }
}

TEST(ParseRunnerOptions, RefusedLines) {
  const std::vector<std::vector<std::string>> lines = {
      {"--machine", "m", "--printer", "P", "--interactive", "--answers", "a"},        // both answer
      {"--machine", "m", "--printer", "P", "--record"},                               // no file
      {"--machine", "m", "--interactive"},                                            // no printer
      {"--machine", "m", "--inf", "A:\\KYROTH.INF"},                                  // no model
      {"--machine", "m", "--printer", "P", "--model", "M"},                           // no INF
      {"--machine", "m", "--inf", "A:\\K.INF", "--model", "M", "--printer", "a\\b"},  // a key path
  };
  for (const auto& line : lines) {
    RunnerOptions options;
    std::string error;
    EXPECT_FALSE(Parse(line, &options, &error)) << line.back();
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
