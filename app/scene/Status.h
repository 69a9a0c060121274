// How the program's code reports a step that can fail: by its return value, with the reason in
// words for the user. A step with nothing else to give back returns a Status; a step that gives
// a value returns a result of the value and an `error` text, empty on success, in the same way
// (SceneReadResult, TextReadResult, PluginFolderResult ...).
#ifndef THINFOLD_STATUS_H
#define THINFOLD_STATUS_H

#include <string>

struct [[nodiscard]] Status {
  std::string error;  // empty on success
  bool Ok() const { return error.empty(); }
};

#endif
