// Ctrl-C and SIGTERM. While the program drives a run, the first Ctrl-C asks for a stop, which the
// main loop carries out by pressing the dialog's stop button (and after the run, by saving
// nothing); a second Ctrl-C ends the program at once (exit 130), as SIGTERM does (exit 143).
// Ending at once removes the temporary files of writes in progress first.
#ifndef THINFOLD_INTERRUPT_SIGNAL_H
#define THINFOLD_INTERRUPT_SIGNAL_H

#include "ExitCodes.h"

// Installs the SIGINT and SIGTERM handlers; call once, before the run.
void InstallInterruptHandler();
// For commands without a stop of their own: Ctrl-C and SIGTERM end the program at once.
void InstallQuitHandler();
// True after a Ctrl-C that has not been consumed yet.
bool InterruptRequested();
// Consumes the Ctrl-C: the next one asks for a stop again instead of ending the program.
void ConsumeInterrupt();

#endif
