// The thinfold host program: scene files and BVH motion on the command line.
#include <CLI/CLI.hpp>

#include "ConvertCommand.h"
#include "ExitCodes.h"
#include "InfoCommand.h"
#include "VersionText.h"

int main(int argc, char** argv) {
  CLI::App app("Reduces the keys of animation tracks in scene and BVH files.", "thinfold");
  app.set_version_flag("--version", VersionLine(THINFOLD_VERSION));
  app.require_subcommand(1);
  InfoCommand info;
  ConvertCommand convert;
  info.Register(app);
  convert.Register(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? kExitSuccess : kExitBadUsage;
  }
  return info.Chosen() ? info.Run() : convert.Run();
}
