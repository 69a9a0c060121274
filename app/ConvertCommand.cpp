// `thinfold convert INPUT -o OUTPUT [--fps N]`.
#include "ConvertCommand.h"

#include <iostream>
#include <limits>

#include "ExitCodes.h"
#include "InterruptSignal.h"
#include "SceneInput.h"
#include "SceneOutput.h"

void ConvertCommand::Register(CLI::App& app) {
  _command = app.add_subcommand("convert", "Write a BVH or scene file as a scene or BVH file");
  _command->add_option("INPUT", _input, "Scene (.json) or BVH (.bvh) file")->required();
  _command
      ->add_option("-o,--output", _output,
                   "File to write: a scene file (.json) or BVH (.bvh), by its extension")
      ->required();
  _command->add_option("--fps", _fps, "Frame rate of a BVH input")
      ->check(CLI::Range(1, std::numeric_limits<int>::max()));
}

int ConvertCommand::Run() const {
  const std::optional<OutputFormat> format = OutputFormatOf(_output);
  if (!format) {
    std::cerr << "thinfold: " << UnknownFormatMessage(_output) << "\n";
    return kExitBadUsage;
  }
  if (_fps > 0 && !IsBvhPath(_input)) {
    std::cerr << "thinfold: --fps sets the frame rate of BVH input only; " << _input
              << " is a scene file\n";
    return kExitBadUsage;
  }
  InstallQuitHandler();
  const SceneReadResult read = ReadInputFile(_input, _fps);
  if (!read.document) {
    std::cerr << "thinfold: " << read.error << "\n";
    return kExitFileError;
  }
  const SceneWriteResult written = WriteDocumentFile(*read.document, _output, *format);
  if (!written.error.empty()) {
    std::cerr << "thinfold: " << written.error << "\n";
    return kExitFileError;
  }
  return kExitSuccess;
}
