// Command-line options that name a file or a folder.
#ifndef THINFOLD_PATH_OPTION_H
#define THINFOLD_PATH_OPTION_H

#include <CLI/CLI.hpp>

// Refuses an empty path as bad usage: it names no file, and `-o ''` must neither fall back to a
// default output nor reach the system as a file name.
extern const CLI::Validator kNonEmptyPath;

#endif
