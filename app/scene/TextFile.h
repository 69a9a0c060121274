// Whole-file reading and atomic writing. Error texts name the file and the system's reason.
#ifndef THINFOLD_TEXT_FILE_H
#define THINFOLD_TEXT_FILE_H

#include <string>

// Reads the whole file into text; FALSE with error set ("PATH: cannot read: REASON").
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);

// Writes text to a temporary file in path's folder and renames it onto path, so readers see
// the old file or the whole new one, never a part. FALSE (and nothing left behind) on failure.
bool WriteTextFileAtomically(const std::string& path, const std::string& text, std::string& error);

#endif
