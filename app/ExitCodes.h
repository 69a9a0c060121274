// Exit codes of the thinfold program.
#ifndef THINFOLD_EXIT_CODES_H
#define THINFOLD_EXIT_CODES_H

enum ExitCode {
  kExitSuccess = 0,
  // The run ended and the document was saved, but at least one track failed (or, with
  // `reduce --strict`, ended above its precision).
  kExitTrackFailed = 1,
  kExitBadUsage = 2,
  // A file cannot be read, is invalid, or cannot be written, or the plug-in cannot be loaded;
  // nothing was written.
  kExitFileError = 3,
  // Ctrl-C stopped a run (as a shell's 128 + SIGINT); nothing was saved unless asked for.
  kExitInterrupted = 130,
  // SIGTERM ended the program (128 + SIGTERM); nothing was saved from then on.
  kExitTerminated = 143,
};

#endif
