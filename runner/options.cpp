#include "options.h"

#include <fstream>
#include <sstream>

bool ParseRunnerOptions(int argc, char** argv, RunnerOptions* options, std::string* error) {
  const char* usage =
      "usage: setuphost --machine DIR (--printer NAME | --inf PATH --model MODEL [--printer NAME]) "
      "[--answers FILE | --interactive] [--record FILE] [--transcript FILE] [--module FILE]";
  for (int i = 1; i < argc; ++i) {
    std::string flag = argv[i];
    if (flag == "--interactive") {
      options->interactive = true;
      continue;
    }
    if (i + 1 >= argc) {
      *error = usage;
      return false;
    }
    std::string value = argv[++i];
    if (flag == "--machine") {
      options->machine = value;
    } else if (flag == "--printer") {
      options->printer = value;
      options->has_printer = true;
    } else if (flag == "--answers") {
      options->answers = value;
    } else if (flag == "--transcript") {
      options->transcript = value;
    } else if (flag == "--module") {
      options->module = value;
    } else if (flag == "--record") {
      options->record = value;
    } else if (flag == "--inf") {
      options->inf = value;
    } else if (flag == "--model") {
      options->model = value;
    } else {
      *error = usage;
      return false;
    }
  }
  if (!options->inf.empty() && !options->has_printer) {
    options->printer = options->model;
    options->has_printer = true;
  }
  if (options->machine.empty() || !options->has_printer ||
      options->inf.empty() != options->model.empty()) {
    *error = usage;
    return false;
  }
  if (options->interactive && !options->answers.empty()) {
    *error =
        "setuphost: --interactive and --answers exclude each other: a person answers, or the file";
    return false;
  }
  // The printer becomes a key below the printers' key: a backslash would put
  // it elsewhere in the registry, and Windows takes none in a printer's name.
  if (!options->inf.empty() && options->printer.find('\\') != std::string::npos) {
    *error = "setuphost: a printer's name holds no backslash";
    return false;
  }
  if (options->printer.size() >= kPrinterTextSize) {
    *error = "setuphost: printer name too long";
    return false;
  }
  return true;
}

bool LoadAnswersFile(const std::string& path, std::vector<Answer>* answers, std::string* error) {
  if (path.empty()) return true;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = "setuphost: cannot read answers file " + path;
    return false;
  }
  std::stringstream content;
  content << file.rdbuf();
  if (!ParseAnswers(content.str(), answers, error)) {
    *error = "setuphost: " + *error;
    return false;
  }
  return true;
}

bool ReadRunnerInput(int argc, char** argv, RunnerInput* input, std::string* error) {
  return ParseRunnerOptions(argc, argv, &input->options, error) &&
         LoadAnswersFile(input->options.answers, &input->answers, error);
}
