// Whole-file reading and atomic writing. Error texts name the file and the system's reason.
#ifndef THINFOLD_TEXT_FILE_H
#define THINFOLD_TEXT_FILE_H

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Status.h"

struct TextReadResult {
  std::string text;   // the whole file (empty on failure)
  std::string error;  // empty on success
};

// Reads the whole file; the error reads "PATH: cannot read: REASON". Only a regular file (links
// followed) of at most THINFOLD_MAX_INPUT_BYTES (default 2 GiB) is read.
TextReadResult ReadTextFile(const std::string& path);

// Writes text to a temporary file in path's folder and renames it onto path, so readers see
// the old file or the whole new one, never a part. Nothing is left behind on failure.
// A link is followed: its final target is replaced and keeps its permissions. A path that is
// not a regular file (device, FIFO, socket, folder) is refused.
Status WriteTextFileAtomically(const std::string& path, const std::string& text);

// Whether a write to path can make its temporary file: one is made where the write would make
// it (beside a link's final target) and removed at once; the system's reason when it cannot be
// made. The folder must exist.
Status CanWriteBeside(const std::string& path);

struct FileToWrite {
  std::string path;
  std::string_view text;  // the caller keeps it alive during the write
};
enum class WriteEnd { kWritten, kFailed, kStopped };
struct WriteFilesResult {
  WriteEnd end = WriteEnd::kWritten;
  std::string error;  // set when kFailed
};
// Writes every file to a temporary file beside it (beside a link's final target, which it
// replaces as WriteTextFileAtomically does), then renames them into place in the order given.
// stopWanted is asked between blocks of a megabyte and once more before the first rename: when it
// says so (kStopped), or a write fails (kFailed, error set), every temporary file is removed and no
// path is touched. Only a rename that fails after the first leaves the files renamed before it in
// place (error names them). While a temporary file exists, a signal that ends the program removes
// it (TemporaryFiles.h).
WriteFilesResult WriteTextFilesAtomically(const std::vector<FileToWrite>& files,
                                          const std::function<bool()>& stopWanted);

#endif
