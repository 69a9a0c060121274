// Ctrl-C while the program drives a run: the first asks for a stop, which the main loop carries
// out by pressing the dialog's stop button; the second ends the program at once (exit 130).
#ifndef THINFOLD_INTERRUPT_SIGNAL_H
#define THINFOLD_INTERRUPT_SIGNAL_H

#include "ExitCodes.h"

// Installs the SIGINT handler; call once, before the run.
void InstallInterruptHandler();
// True after a Ctrl-C that has not been consumed yet.
bool InterruptRequested();
// Consumes the Ctrl-C: the next one asks for a stop again instead of ending the program.
void ConsumeInterrupt();

#endif
