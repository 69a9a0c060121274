// Inspecting and driving the plug-in's main dialog through the host stand-in, as a user sees
// and uses it.
#ifndef UI_DIALOG_H
#define UI_DIALOG_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CTrackSettingsLock.h"
#include "ModelDocument.h"
#include "ThinfoldDlg.h"
#include "c4d.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

// Generous: only a hang reaches it (sanitizer builds are slow).
constexpr LONG kUiTimeoutMs = 120000;

TreeViewCustomGui* DialogTree(GeDialog& dialog);
// The status bar's free text and percentage text, and whether its progress is shown.
std::string StatusText(const GeDialog& dialog);
std::string ProgressText(const GeDialog& dialog);
Bool ProgressShown(const GeDialog& dialog);
// The title of the parameter area.
std::string TitleText(GeDialog& dialog);
// The sub-dialog shown in the parameter area, or null.
SubDialog* ShownSubDialog(const GeDialog& dialog);
// Whether the gadget (of the dialog or an attached sub-dialog) is enabled.
Bool GadgetEnabled(const GeDialog& dialog, LONG id);
// The buttons gather all, gather selected, start and restore, enabled or not, in that order.
std::vector<Bool> RunButtonsEnabled(const GeDialog& dialog);
// The tree's lines as the names of their nodes, after a fresh paint.
std::vector<std::string> TreeLineNames(TreeViewCustomGui& tree);

// One of the plug-in's core messages (id 1031250): its two parameters and the status bar's
// texts after the dialog handled it.
struct LoggedMessage {
  VULONG kind;
  VULONG value;
  std::string status;
  std::string progress;
};

// Registers after the dialog is open, so it receives each core message after the dialog.
class PluginMessageLog : public CoreMessageReceiver {
 public:
  explicit PluginMessageLog(const GeDialog& dialog);
  ~PluginMessageLog() override;
  Bool CoreMessage(LONG id, const BaseContainer& msg) override;

  std::vector<LoggedMessage> messages;
  int runEnds = 0;
  // The second parameters of the messages of one kind, in order.
  std::vector<VULONG> Values(VULONG kind) const;
  // The tree's events, without the reports of lines drawn as selected.
  std::vector<VULONG> TreeEvents() const;

 private:
  const GeDialog& _dialog;
};

// Holds a run at its very start: its control thread waits for the settings lock while the
// gate is closed, so the run is going on for sure. Open the gate before stopping the run.
class RunGate {
 public:
  RunGate() : _guard(std::make_unique<CTrackSettingsGuard>()) {}
  void Open() { _guard.reset(); }

 private:
  std::unique_ptr<CTrackSettingsGuard> _guard;
};

// The plug-in's dialog, open on doc as the active document (MakeUiScene unless a test opens it
// on another scene with OpenOn). After each test every dialog is closed, pending core messages
// are delivered, and the processor count and the active document are reset.
class UiDialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Closes the dialog, makes scene the active document and opens the dialog again.
  void OpenOn(ModelDoc scene);
  void Press(LONG id) { EXPECT_TRUE(standin::PressButton(*dialog, id)) << id; }
  // Pumps core messages until log has seen the end of a run.
  void PumpToRunEnd(PluginMessageLog& log);
  TreeViewCustomGui& Tree() { return *DialogTree(*dialog); }
  // The node shown on line, after a fresh paint.
  TreeListNode* Node(int line);

  ModelDoc doc;
  std::unique_ptr<ThinfoldDialog> dialog;
};

#endif
