// `thinfold convert`.
#include "ConvertCommand.h"

#include <iostream>
#include <limits>

#include "BvhOptions.h"
#include "ExitCodes.h"
#include "InterruptSignal.h"
#include "OutputPaths.h"
#include "PathOption.h"
#include "SceneInput.h"
#include "SceneOutput.h"

void ConvertCommand::Register(CLI::App& app) {
  _command = app.add_subcommand("convert", "Write a BVH or scene file as a scene or BVH file");
  _command->add_option("INPUT", _input, "Scene (.json) or BVH (.bvh) file")
      ->required()
      ->check(kNonEmptyPath);
  _command
      ->add_option("-o,--output", _output,
                   "File to write: a scene file (.json) or BVH (.bvh), by its extension")
      ->required()
      ->check(kNonEmptyPath);
  AddBvhImportOptions(*_command, _bvh);
}

int ConvertCommand::Run() const {
  // Ctrl-C quits at once, removing what the checks and the write make.
  InstallQuitHandler();
  const std::optional<OutputFormat> format = OutputFormatOf(_output);
  if (!format) {
    std::cerr << "thinfold: " << UnknownFormatMessage(_output) << "\n";
    return kExitBadUsage;
  }
  const OutputPathCheck paths = CheckOutputPaths(_input, _output, std::string());
  if (!paths.error.empty()) {
    std::cerr << "thinfold: " << paths.error << "\n";
    return paths.exitCode;
  }
  const Status usage = CheckBvhImportOptions(_bvh, {_input});
  if (!usage.Ok()) {
    std::cerr << "thinfold: " << usage.error << "\n";
    return kExitBadUsage;
  }
  const SceneReadResult read = ReadInputFile(_input, _bvh);
  if (!read.document) {
    std::cerr << "thinfold: " << read.error << "\n";
    return ReadFailureExitCode(read);
  }
  const SceneWriteResult written = WriteDocumentFile(*read.document, _output, *format);
  if (!written.error.empty()) {
    std::cerr << "thinfold: " << written.error << "\n";
    return kExitFileError;
  }
  return kExitSuccess;
}
