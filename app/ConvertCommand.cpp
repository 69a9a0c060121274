// `thinfold convert INPUT -o OUTPUT [--fps N]`.
#include "ConvertCommand.h"

#include <iostream>
#include <limits>

#include "ExitCodes.h"
#include "InterruptSignal.h"
#include "PathOption.h"
#include "PrintableText.h"
#include "SceneInput.h"
#include "SceneWriter.h"

void ConvertCommand::Register(CLI::App& app) {
  _command = app.add_subcommand("convert", "Write a BVH or scene file as a scene file");
  _command->add_option("INPUT", _input, "Scene (.json) or BVH (.bvh) file")
      ->required()
      ->check(kNonEmptyPath);
  _command->add_option("-o,--output", _output, "Scene file to write")
      ->required()
      ->check(kNonEmptyPath);
  _command->add_option("--fps", _fps, "Frame rate of a BVH input")
      ->check(CLI::Range(1, std::numeric_limits<int>::max()));
}

int ConvertCommand::Run() const {
  if (_fps > 0 && !IsBvhPath(_input)) {
    std::cerr << "thinfold: --fps sets the frame rate of BVH input only; " << Printable(_input)
              << " is a scene file\n";
    return kExitBadUsage;
  }
  InstallQuitHandler();
  const SceneReadResult read = ReadInputFile(_input, _fps);
  if (!read.document) {
    std::cerr << "thinfold: " << read.error << "\n";
    return kExitFileError;
  }
  const SceneWriteResult written = WriteSceneFile(*read.document, _output);
  if (!written.error.empty()) {
    std::cerr << "thinfold: " << written.error << "\n";
    return kExitFileError;
  }
  return kExitSuccess;
}
