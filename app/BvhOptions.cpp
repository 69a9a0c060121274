// The options of every command that reads BVH.
#include "BvhOptions.h"

#include <algorithm>
#include <limits>

#include "ExitCodes.h"
#include "SceneInput.h"

void AddBvhImportOptions(CLI::App& command, BvhImport& import) {
  command.add_option("--fps", import.fps, "Frame rate of a BVH input")
      ->check(CLI::Range(1, std::numeric_limits<int>::max()));
  command
      .add_option_function<std::string>(
          "--frames",
          [&import](const std::string& text) { import.frames = ParseFrameRange(text).range; },
          "Keep only frames FIRST to LAST of a BVH input, renumbered from 0; either side may "
          "be empty (1: drops the first frame)")
      ->check(CLI::Validator([](std::string& text) { return ParseFrameRange(text).error; },
                             "FIRST:LAST"));
  command.add_flag("--raw-angles", import.rawAngles,
                   "Keep a BVH input's rotations as the file has them (default: unwrapped, so "
                   "that a flip between +180 and -180 degrees is no jump)");
}

Status CheckBvhImportOptions(const BvhImport& import, const std::vector<std::string>& inputs) {
  if (std::any_of(inputs.begin(), inputs.end(), IsBvhPath)) return {};
  const std::string scene = inputs.empty() ? std::string() : inputs.front();
  if (import.fps > 0)
    return {"--fps sets the frame rate of BVH input only; " + scene + " is a scene file"};
  if (import.frames.first || import.frames.last)
    return {"--frames cuts BVH input only; " + scene + " is a scene file"};
  if (import.rawAngles)
    return {"--raw-angles keeps the rotations of BVH input only; " + scene + " is a scene file"};
  return {};
}

int ReadFailureExitCode(const SceneReadResult& read) {
  return read.badOption ? kExitBadUsage : kExitFileError;
}
