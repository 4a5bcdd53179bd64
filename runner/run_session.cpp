#include "run_session.h"

#include <fstream>

#include "front_end.h"

RunnerInput ReadInputOrStop(int argc, char** argv) {
  RunnerInput input;
  std::string error;
  if (!ReadRunnerInput(argc, argv, &input, &error)) StopRun(error);
  return input;
}

void OpenRecordOrStop(AnswerRecorder* recorder, const RunnerOptions& options,
                      const std::string& program) {
  std::string error;
  if (!recorder->Open(
          options.record,
          "answers recorded by " + program + " for the printer \"" + options.printer + "\"",
          &error)) {
    StopRun(error);
  }
}

void StartTranscript(const std::string& path) {
  if (path.empty()) return;
  // Every line is appended later by whoever writes it, and a line that
  // cannot be written is lost without a word: a run whose transcript cannot
  // be made does not start.
  if (!std::ofstream(path, std::ios::trunc))
    StopRun("setuphost: cannot write the transcript " + path);
  SetRunVariable("SETUPHOST_TRANSCRIPT", path);
}

void UseMachineIni(const std::string& path) { SetRunVariable("SETUPHOST_MACHINE_INI", path); }
