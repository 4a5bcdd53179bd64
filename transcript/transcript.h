// The run's transcript: deterministic text, one event a line, written by the
// host layer, the stand-in toolkit and the runner alike. The file is named by
// the environment variable SETUPHOST_TRANSCRIPT; without it nothing is
// written. Each line is appended and flushed at once, so that a process that
// ends abruptly leaves a complete transcript.
#pragma once

#include <string>

// Appends one line (without its line break).
void TranscriptLine(const std::string& line);

// TEXT as the transcript shows it: in double quotes, with a double quote
// written \" and control characters written \xNN. Backslashes stay as they
// are, so Windows paths read naturally.
std::string TranscriptQuote(const std::string& text);
