// The parts of a run that both front ends take in the same way: the command
// line and answers, the record of the answers given, the transcript, and the
// printer text handed to kyrInstall with the lines that end the transcript.
// What cannot be done stops the run (front_end.h).
#pragma once

#include <string>

#include "answer_recorder.h"
#include "options.h"

// The module's path where the machine's machine.ini names none.
constexpr char kDefaultModulePath[] = "C:\\KYRDRV\\KYRSETUP.DLL";

RunnerInput ReadInputOrStop(int argc, char** argv);

// --record FILE; program names the runner in the file's heading.
void OpenRecordOrStop(AnswerRecorder* recorder, const RunnerOptions& options,
                      const std::string& program);

// --transcript FILE: emptied, and named to everything that writes to it;
// a file that cannot be written stops the run.
void StartTranscript(const std::string& path);

// Names the machine's machine.ini to the host layer and the toolkit.
void UseMachineIni(const std::string& path);
