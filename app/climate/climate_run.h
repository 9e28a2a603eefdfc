#pragma once

namespace tarvel::climate_app {

// How tarvel-climate ends.
enum ExitStatus : int {
  kEveryLineRead = 0,        // every line of the file was read (missing values included)
  kSomeLinesUnreadable = 1,  // some lines could not be read; the rest were counted
  kUsageOrInputError = 2,    // told in one line on standard error
};

// tarvel-climate with its command line: reads the weather file, calculates its hours, writes the
// report on standard output (and the table of hours where asked), the notes and a summary on
// standard error, and returns the exit status. Any failure is told in one line on standard error.
int RunClimate(int argc, const char* const* argv);

}  // namespace tarvel::climate_app
