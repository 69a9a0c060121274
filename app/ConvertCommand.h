// `thinfold convert INPUT -o OUTPUT [--fps N] [--frames FIRST:LAST] [--raw-angles]`: a BVH or
// scene file in, a scene or BVH file out (by OUTPUT's extension).
#ifndef THINFOLD_CONVERT_COMMAND_H
#define THINFOLD_CONVERT_COMMAND_H

#include <CLI/CLI.hpp>
#include <string>

#include "BvhReader.h"

class ConvertCommand {
 public:
  void Register(CLI::App& app);
  bool Chosen() const { return _command && _command->parsed(); }
  // Writes OUTPUT atomically (nothing on error); returns the exit code: 2 for an OUTPUT whose
  // extension names no format (before anything is read).
  int Run() const;

 private:
  CLI::App* _command = nullptr;
  std::string _input;
  std::string _output;
  BvhImport _bvh;
};

#endif
