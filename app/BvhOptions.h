// The options of every command that reads BVH: --fps N, --frames FIRST:LAST, --raw-angles. They
// apply to BVH input only.
#ifndef THINFOLD_BVH_OPTIONS_H
#define THINFOLD_BVH_OPTIONS_H

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "BvhReader.h"
#include "Status.h"

void AddBvhImportOptions(CLI::App& command, BvhImport& import);

// Bad usage when an option was given but no input is BVH.
Status CheckBvhImportOptions(const BvhImport& import, const std::vector<std::string>& inputs);

// The exit code of an input that could not be read: bad usage for options that do not fit it
// (a frame range beyond the capture), else a file error.
int ReadFailureExitCode(const SceneReadResult& read);

#endif
