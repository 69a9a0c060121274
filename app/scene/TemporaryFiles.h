// The temporary files of writes in progress, kept where a signal handler can reach them: a
// signal that ends the program removes them first, so that no half-written file stays behind.
#ifndef THINFOLD_TEMPORARY_FILES_H
#define THINFOLD_TEMPORARY_FILES_H

#include <string>

// Keeps the path of a temporary file just made until ForgetTemporaryFile; returns its slot, or
// -1 when the path is too long to keep (or, never in practice, every slot is taken).
int RememberTemporaryFile(const std::string& path);
// The file was renamed into place or removed.
void ForgetTemporaryFile(int slot);
// Removes every temporary file kept now. Async-signal-safe: for handlers that end the program.
void RemoveTemporaryFilesNow();

#endif
