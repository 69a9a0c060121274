// Command-line options that name a file or a folder.
#include "PathOption.h"

const CLI::Validator kNonEmptyPath(
    [](std::string& text) { return text.empty() ? "an empty path names no file" : std::string(); },
    "PATH");
