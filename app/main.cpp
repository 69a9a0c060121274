// The thinfold host program: scene files and BVH motion on the command line, and the plug-in's
// dialog driven from it.
#include <CLI/CLI.hpp>
#include <iostream>
#include <new>

#include "CommandLine.h"
#include "ConvertCommand.h"
#include "ExitCodes.h"
#include "InfoCommand.h"
#include "PlotCommand.h"
#include "PrintableText.h"
#include "ReduceCommand.h"
#include "ShellCommand.h"
#include "VersionText.h"

namespace {

// CLI11's own message, which quotes the arguments (long ones, or with control bytes, too), and
// its hint.
std::string UsageMessage(const CLI::App* app, const CLI::Error& error) {
  const std::string what = error.what();
  return Printable(what) + CLI::FailureMessage::simple(app, error).substr(what.size());
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Reduces the keys of animation tracks in scene and BVH files.", "thinfold");
  // Options are spelled with dashes on every system, so that on Windows a path that starts with
  // a slash stays a path instead of becoming an option.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", VersionLine(THINFOLD_VERSION));
  app.require_subcommand(1);
  app.failure_message(UsageMessage);
  ReduceCommand reduce;
  InfoCommand info;
  ConvertCommand convert;
  PlotCommand plot;
  ShellCommand shell;
  reduce.Register(app);
  shell.Register(app);
  info.Register(app);
  convert.Register(app);
  plot.Register(app);
  UseUtf8Console();
  const std::vector<std::string> arguments = Utf8Arguments(argc, argv);
  std::vector<const char*> words;
  for (const std::string& argument : arguments) words.push_back(argument.c_str());
  try {
    app.parse(static_cast<int>(words.size()), words.data());
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? kExitSuccess : kExitBadUsage;
  }
  // Readers and writers say when memory runs out; whatever else runs out of it ends here.
  try {
    if (reduce.Chosen()) return reduce.Run();
    if (shell.Chosen()) return shell.Run();
    if (plot.Chosen()) return plot.Run();
    return info.Chosen() ? info.Run() : convert.Run();
  } catch (const std::bad_alloc&) {
    std::cerr << "thinfold: out of memory\n";
    return kExitFileError;
  }
}
