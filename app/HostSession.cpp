// The headless host as the thinfold program runs it.
#include "HostSession.h"

#include <iostream>
#include <vector>

#include "PluginIds.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

namespace {

std::string LoadFailure(standin::ModuleLoad load) {
  switch (load) {
    case standin::ModuleLoad::Inactive:
      return "the plug-in did not start";
    case standin::ModuleLoad::Refused:
      return "the plug-in refused to initialise";
    default:
      return "the module cannot be loaded";
  }
}

// Every line the host and the plug-in print while the module starts.
class StartupLines {
 public:
  StartupLines()
      : _console(standin::SetConsoleSink([this](const std::string& line) { Add(line); })),
        _debug(standin::SetDebugSink([this](const std::string& line) { Add(line); })) {}
  ~StartupLines() {
    standin::SetConsoleSink(_console);
    standin::SetDebugSink(_debug);
  }
  const std::vector<std::string>& Lines() const { return _lines; }

 private:
  void Add(const std::string& line) { _lines.push_back(line); }
  std::vector<std::string> _lines;
  standin::LineSink _console;
  standin::LineSink _debug;
};

}  // namespace

HostSession::~HostSession() {
  if (_loaded) standin::UnloadPluginModules();
  SetActiveDocument(nullptr);
  if (_quietConsole) standin::SetConsoleSink(standin::LineSink());
}

Status HostSession::LoadPlugin(const PluginFolder& plugin, bool quietConsole) {
  standin::ModuleLoad load;
  std::vector<std::string> lines;
  {
    StartupLines startup;
    load =
        standin::LoadPluginModule(Filename(plugin.module.c_str()), Filename(plugin.folder.c_str()));
    lines = startup.Lines();
  }
  _loaded = load == standin::ModuleLoad::Started || load == standin::ModuleLoad::Inactive;
  if (load != standin::ModuleLoad::Started) {
    std::string error = plugin.module + ": " + LoadFailure(load);
    for (const std::string& line : lines) error += "\n  " + line;
    return {error};
  }
  // What the host's console shows at a start ("Loaded Thinfold R1.00.03"), once per start.
  if (!quietConsole)
    for (const std::string& line : lines) std::cerr << line << "\n";
  _quietConsole = quietConsole;
  if (quietConsole) standin::SetConsoleSink([](const std::string&) {});
  return {};
}

void HostSession::OpenDocument(DocumentPtr document) {
  _document = std::move(document);
  SetActiveDocument(_document.get());
}

DialogOpenResult HostSession::OpenDialog() {
  if (!standin::FindCommandPlugin(plugin_ids::kCommand))
    return {nullptr, "the plug-in registered no command " + std::to_string(plugin_ids::kCommand)};
  standin::ExecuteCommand(plugin_ids::kCommand);
  standin::ProcessEvents();
  GeDialog* dialog = standin::FindOpenDialog(plugin_ids::kCommand);
  if (!dialog) return {nullptr, "the plug-in's dialog did not open (see the lines above)"};
  return {dialog, ""};
}
