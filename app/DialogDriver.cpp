// The user's hands on the Thinfold dialog.
#include "DialogDriver.h"

#include "PluginIds.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

// Counts the plug-in's end-of-run messages; it registers after the dialog, so the dialog has
// handled each message when the watcher sees it.
class DialogDriver::RunWatcher : public CoreMessageReceiver {
 public:
  RunWatcher() { standin::RegisterCoreMessageReceiver(this); }
  ~RunWatcher() override { standin::UnregisterCoreMessageReceiver(this); }
  Bool CoreMessage(LONG id, const BaseContainer& msg) override {
    if (id == plugin_ids::kCommand &&
        GetCoreMessageParam(msg, BFM_CORE_PAR1) == plugin_ids::kRunOver) {
      ++endCount;
      lastOutcome = GetCoreMessageParam(msg, BFM_CORE_PAR2);
    }
    return TRUE;
  }
  long endCount = 0;
  VULONG lastOutcome = 0;
};

namespace {

// The outcome value of a run that a stop ended.
constexpr VULONG kOutcomeStopped = 1;
constexpr LONG kTickMs = 100;

}  // namespace

DialogDriver::DialogDriver(GeDialog& dialog)
    : _dialog(dialog), _watcher(std::make_unique<RunWatcher>()) {}

DialogDriver::~DialogDriver() = default;

Status DialogDriver::Press(LONG id) {
  const bool pressed = standin::PressButton(_dialog, id);
  standin::ProcessEvents();
  return pressed ? Status{} : Refused(id);
}

Status DialogDriver::EditReal(LONG id, Real value) {
  const bool edited = standin::EditReal(_dialog, id, value);
  standin::ProcessEvents();
  return edited ? Status{} : Refused(id);
}

Status DialogDriver::EditLong(LONG id, LONG value) {
  const bool edited = standin::EditLong(_dialog, id, value);
  standin::ProcessEvents();
  return edited ? Status{} : Refused(id);
}

Status DialogDriver::SetCheck(LONG id, bool checked) {
  for (int click = 0;; ++click) {
    const C4DGadget* box = standin::FindGadget(_dialog, id);
    if (!box || box->GetKind() != GADGET_CHECKBOX) return Refused(id);
    if (!box->IsAmbiguous() && (box->GetState().value.GetBool() != FALSE) == checked) return {};
    if (click == 2) return Refused(id);
    const bool clicked = standin::ClickCheckbox(_dialog, id);
    standin::ProcessEvents();
    if (!clicked) return Refused(id);
  }
}

bool DialogDriver::IsEnabled(LONG id) const {
  const C4DGadget* gadget = standin::FindGadget(_dialog, id);
  return gadget && gadget->IsEnabled();
}

std::string DialogDriver::RefusalReason(LONG id) const {
  const C4DGadget* gadget = standin::FindGadget(_dialog, id);
  if (!gadget) return "is not shown";
  if (!gadget->IsEnabled()) return "is disabled";
  if (gadget->GetKind() != GADGET_COMBOBOX) return std::string();
  const BaseContainer& entries = gadget->GetState().children;
  std::string offered;
  for (LONG index = 0; index < entries.GetEntryCount(); ++index) {
    const LONG value = entries.GetIndexId(index);
    offered += (index ? ", " : "") + std::to_string(value) + " (" +
               entries.GetString(value).ToUtf8() + ")";
  }
  return "offers " + offered + " only";
}

Status DialogDriver::Refused(LONG id) const {
  const std::string reason = RefusalReason(id);
  return {reason.empty() ? "refused it" : reason};
}

TreeViewCustomGui* DialogDriver::Tree() const {
  const C4DGadget* gadget = standin::FindGadget(_dialog, plugin_ids::kTree);
  if (!gadget || gadget->GetKind() != GADGET_CUSTOMGUI ||
      gadget->GetState().customGuiId != CUSTOMGUI_TREEVIEW)
    return nullptr;
  return static_cast<TreeViewCustomGui*>(const_cast<C4DGadget*>(gadget));
}

LONG DialogDriver::PaintTree() const {
  TreeViewCustomGui* tree = Tree();
  if (!tree) return 0;
  tree->Paint();
  return static_cast<LONG>(tree->GetLines().size());
}

std::string DialogDriver::CellText(LONG line, LONG column) const {
  const TreeViewCustomGui* tree = Tree();
  return tree ? standin::GetTreeCellText(*tree, line, column).ToUtf8() : std::string();
}

StatusBarView DialogDriver::StatusBar() const {
  StatusBarView view;
  const C4DGadget* gadget = standin::FindGadget(_dialog, plugin_ids::kStatusBar);
  if (!gadget) return view;
  const BaseContainer& msg = gadget->GetState().message;
  view.progressOn = msg.GetBool(BFM_STATUSBAR_PROGRESSON);
  view.fraction = msg.GetReal(BFM_STATUSBAR_PROGRESS);
  view.progressText = msg.GetString(BFM_STATUSBAR_PROGRESSTXT).ToUtf8();
  view.text = msg.GetString(BFM_STATUSBAR_TXT).ToUtf8();
  return view;
}

Status DialogDriver::StartRun() {
  _endsBeforeRun = _watcher->endCount;
  return Press(plugin_ids::kStart);
}

bool DialogDriver::RunGoing() const {
  const C4DGadget* start = standin::FindGadget(_dialog, plugin_ids::kStart);
  return IsOpen() && start && !start->IsEnabled();
}

void DialogDriver::WaitForRunEnd(const std::function<void()>& everyTick,
                                 const std::function<bool()>& stopWanted) {
  bool stopPressed = false;
  while (!standin::PumpUntil([this] { return !RunGoing(); }, kTickMs)) {
    if (!stopPressed && stopWanted()) stopPressed = Press(plugin_ids::kStop).Ok();
    everyTick();
  }
}

RunEnd DialogDriver::LastRunEnd() const {
  if (_watcher->endCount == _endsBeforeRun) return RunEnd::kNotStarted;
  return _watcher->lastOutcome == kOutcomeStopped ? RunEnd::kStopped : RunEnd::kDone;
}

Status DialogDriver::Close() {
  const bool closed = _dialog.Close();
  standin::ProcessEvents();
  return closed ? Status{} : Status{"refuses to close while a run is going"};
}
