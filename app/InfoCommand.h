// `thinfold info INPUT [--fps N] [--frames FIRST:LAST] [--raw-angles]`: the tracks of a scene or
// BVH file as a table, with their key counts and reduction settings, and totals.
#ifndef THINFOLD_INFO_COMMAND_H
#define THINFOLD_INFO_COMMAND_H

#include <CLI/CLI.hpp>
#include <string>

#include "BvhReader.h"

class InfoCommand {
 public:
  void Register(CLI::App& app);
  bool Chosen() const { return _command && _command->parsed(); }
  // Prints the table to stdout; returns the exit code.
  int Run() const;

 private:
  CLI::App* _command = nullptr;
  std::string _input;
  BvhImport _bvh;
};

#endif
