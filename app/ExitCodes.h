// Exit codes of the thinfold program.
#ifndef THINFOLD_EXIT_CODES_H
#define THINFOLD_EXIT_CODES_H

enum ExitCode {
  kExitSuccess = 0,
  // The run ended and the document was saved, but at least one track failed.
  kExitTrackFailed = 1,
  kExitBadUsage = 2,
  // The input is unreadable or invalid; nothing was written.
  kExitBadInput = 3,
  // The output could not be written; nothing was written.
  kExitCannotWrite = 4,
};

#endif
