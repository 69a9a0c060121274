// The headless host as the thinfold program runs it: the Thinfold plug-in loaded from its folder,
// one document open as the active document, and the plug-in's dialog opened by its command.
// The session ends as the host does: dialogs closed (which writes the settings of the gathered
// tracks back to the document), the module unloaded, the document freed.
#ifndef THINFOLD_HOST_SESSION_H
#define THINFOLD_HOST_SESSION_H

#include <string>

#include "PluginFolder.h"
#include "SceneDocument.h"
#include "Status.h"
#include "c4d.h"

struct DialogOpenResult {
  GeDialog* dialog = nullptr;
  std::string error;  // empty on success
};

class HostSession {
 public:
  HostSession() = default;
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Loads and starts the module; on failure an error naming the module and the host's reason.
  // The plug-in's start-up console lines come with the error, or else go to stderr as a host's
  // console shows them. With quietConsole they and the plug-in's later console lines are
  // dropped; otherwise they go to stderr.
  Status LoadPlugin(const PluginFolder& plugin, bool quietConsole);
  // Takes the document over and makes it the active document.
  void OpenDocument(DocumentPtr document);
  BaseDocument* Document() const { return _document.get(); }
  // Runs the plug-in's command as the user picks it, and gives its open dialog; an error when
  // the command is missing or its dialog does not open.
  DialogOpenResult OpenDialog();

 private:
  bool _loaded = false;
  bool _quietConsole = false;
  DocumentPtr _document;
};

#endif
