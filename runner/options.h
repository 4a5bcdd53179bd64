// What both runners take from their command line and answers file.
#pragma once

#include <string>
#include <vector>

#include "answers.h"

// The caller's writable printer text handed to kyrInstall.
constexpr size_t kPrinterTextSize = 256;

struct RunnerOptions {
  std::string machine;
  std::string printer;
  bool has_printer = false;
  std::string answers;
  std::string transcript;
  std::string module;
  bool interactive = false;  // a person answers at the terminal or screen
  std::string record;        // the answers file to write of what happened
  std::string inf;           // --inf: Add Printer from this printer INF on the machine
  std::string model;         // --model: the INF's model to install
};

// setuphost --machine DIR (--printer NAME | --inf PATH --model MODEL
// [--printer NAME]) [--answers FILE | --interactive] [--record FILE]
// [--transcript FILE] [--module FILE]. With --inf the printer's name
// defaults to the model's. False with the message to show when the line is
// wrong.
bool ParseRunnerOptions(int argc, char** argv, RunnerOptions* options, std::string* error);

// Reads and parses the answers file; no path gives no answers.
bool LoadAnswersFile(const std::string& path, std::vector<Answer>* answers, std::string* error);

// What a run starts from: the command line and the answers file it names.
struct RunnerInput {
  RunnerOptions options;
  std::vector<Answer> answers;
};

// Both of the above, as each runner starts; false with the message to show.
bool ReadRunnerInput(int argc, char** argv, RunnerInput* input, std::string* error);
