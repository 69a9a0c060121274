// The files a command will write, checked before any work: a run of minutes should not end in
// "cannot write", and a report must never take the place of the file it reports on.
#ifndef THINFOLD_OUTPUT_PATHS_H
#define THINFOLD_OUTPUT_PATHS_H

#include <string>

// What is wrong with the paths, with the exit code for it.
struct OutputPathCheck {
  int exitCode = 0;
  std::string error;  // empty when the paths will do
};

// Whether the paths name one existing file (links followed) or the same place once made absolute.
bool SameFile(const std::string& a, const std::string& b);

// A report (empty: none) that is the input or the output is bad usage (kExitBadUsage); an
// output that is the input, and an output or report that is a folder or another file that is not
// a regular one (device, FIFO, socket; links followed), whose folder does not exist, or where no
// file can be made (tried), cannot be written (kExitFileError).
OutputPathCheck CheckOutputPaths(const std::string& input, const std::string& output,
                                 const std::string& report);

#endif
