// `thinfold plot BEFORE AFTER -o DIR [--track NAME]... [--worst N] [--fps N]
// [--frames FIRST:LAST] [--raw-angles]`: one PNG per track
// with the curve before and after a reduction, their keys and the tolerance band.
#ifndef THINFOLD_PLOT_COMMAND_H
#define THINFOLD_PLOT_COMMAND_H

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "BvhReader.h"

class PlotCommand {
 public:
  void Register(CLI::App& app);
  bool Chosen() const { return _command && _command->parsed(); }
  // Writes the plots (nothing on error) and lists them; returns the exit code: 0 written,
  // 2 bad usage, 3 an input that cannot be read, files that do not match, a track name that
  // is not in them, or a plot that cannot be written.
  int Run() const;

 private:
  CLI::App* _command = nullptr;
  std::string _before;
  std::string _after;
  std::string _folder;
  std::vector<std::string> _tracks;
  int _worst = 0;  // 0: every chosen track
  BvhImport _bvh;
};

#endif
