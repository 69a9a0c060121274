// The start that `reduce` and `shell` share: find the plug-in folder, read the input, load the
// plug-in, open the input as the active document and the plug-in's dialog by its command.
#ifndef THINFOLD_SESSION_START_H
#define THINFOLD_SESSION_START_H

#include <string>

#include "BvhReader.h"
#include "HostSession.h"

struct SessionOptions {
  std::string input;
  std::string plugins;  // empty: the plug-in folder next to the program
  BvhImport bvh;
  int threads = 0;     // 0: the machine's processor count
  bool quiet = false;  // drop the plug-in's console lines
};

struct SessionStartResult {
  GeDialog* dialog = nullptr;  // open in the session on success
  int exitCode = 0;            // 2 a frame range the input does not have, 3 a file or the plug-in
  std::string error;           // empty on success
};

SessionStartResult OpenSession(const SessionOptions& options, HostSession& session);
// The same after checking the BVH options against the input (2 when they do not apply); prints
// the reason to stderr.
SessionStartResult StartSession(const SessionOptions& options, HostSession& session);

#endif
