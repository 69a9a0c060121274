// The files a command will write, checked before any work: a run of minutes should not end in
// "cannot write", and a report must never take the place of the file it reports on.
#ifndef THINFOLD_OUTPUT_PATHS_H
#define THINFOLD_OUTPUT_PATHS_H

#include <string>

// What is wrong with the paths, with the exit code for it; an empty message when they will do.
struct OutputPathCheck {
  int exitCode = 0;
  std::string message;
};

// A report (empty: none) that is the input or the output is bad usage (kExitBadUsage); an
// output or report that is a folder or another file that is not a regular one (device, FIFO,
// socket; links followed), or whose folder does not exist, cannot be written (kExitFileError).
// Paths are the same when they name one existing file (links followed) or the same place once made
// absolute.
OutputPathCheck CheckOutputPaths(const std::string& input, const std::string& output,
                                 const std::string& report);

#endif
