#include "UiDialog.h"

#include "CCurveList.h"
#include "TrackTreeView.h"
#include "UiScene.h"

namespace {

const GadgetState* StateOf(const GeDialog& dialog, LONG id) {
  const C4DGadget* gadget = standin::FindGadget(dialog, id);
  return gadget ? &gadget->GetState() : nullptr;
}

}  // namespace

TreeViewCustomGui* DialogTree(GeDialog& dialog) {
  return static_cast<TreeViewCustomGui*>(dialog.FindCustomGui(IDC_TREE, CUSTOMGUI_TREEVIEW));
}

std::string StatusText(const GeDialog& dialog) {
  const GadgetState* state = StateOf(dialog, IDC_STATUSBAR);
  return state ? state->message.GetString(BFM_STATUSBAR_TXT).ToUtf8() : std::string();
}

std::string ProgressText(const GeDialog& dialog) {
  const GadgetState* state = StateOf(dialog, IDC_STATUSBAR);
  return state ? state->message.GetString(BFM_STATUSBAR_PROGRESSTXT).ToUtf8() : std::string();
}

Bool ProgressShown(const GeDialog& dialog) {
  const GadgetState* state = StateOf(dialog, IDC_STATUSBAR);
  return state && state->message.GetBool(BFM_STATUSBAR_PROGRESSON);
}

std::string TitleText(GeDialog& dialog) {
  auto* title =
      static_cast<QuickTabCustomGui*>(dialog.FindCustomGui(IDC_TITLE, CUSTOMGUI_QUICKTAB));
  return title ? title->GetEntryText(FourCharId('b', 't', 'i', 't')).ToUtf8() : std::string();
}

SubDialog* ShownSubDialog(const GeDialog& dialog) {
  const GadgetState* state = StateOf(dialog, IDC_PARAMETERS);
  return state ? state->subDialog : nullptr;
}

Bool GadgetEnabled(const GeDialog& dialog, LONG id) {
  const GadgetState* state = StateOf(dialog, id);
  return state && state->enabled;
}

std::vector<Bool> RunButtonsEnabled(const GeDialog& dialog) {
  std::vector<Bool> enabled;
  for (LONG id : {IDC_GATHER_ALL, IDC_GATHER_SELECTED, IDC_START, IDC_RESTORE})
    enabled.push_back(GadgetEnabled(dialog, id));
  return enabled;
}

std::vector<std::string> TreeLineNames(TreeViewCustomGui& tree) {
  tree.Paint();
  std::vector<std::string> names;
  for (const TreeViewLine& line : tree.GetLines())
    names.push_back(static_cast<TreeListNode*>(line.object)->_name.ToUtf8());
  return names;
}

PluginMessageLog::PluginMessageLog(const GeDialog& dialog) : _dialog(dialog) {
  standin::RegisterCoreMessageReceiver(this);
}

PluginMessageLog::~PluginMessageLog() { standin::UnregisterCoreMessageReceiver(this); }

Bool PluginMessageLog::CoreMessage(LONG id, const BaseContainer& msg) {
  if (id != ID_THINFOLD) return TRUE;
  const LoggedMessage logged{GetCoreMessageParam(msg, BFM_CORE_PAR1),
                             GetCoreMessageParam(msg, BFM_CORE_PAR2), StatusText(_dialog),
                             ProgressText(_dialog)};
  messages.push_back(logged);
  if (logged.kind == MSG_RUN_OVER) ++runEnds;
  return TRUE;
}

std::vector<VULONG> PluginMessageLog::Values(VULONG kind) const {
  std::vector<VULONG> values;
  for (const LoggedMessage& m : messages)
    if (m.kind == kind) values.push_back(m.value);
  return values;
}

void UiDialogTest::SetUp() {
  InitModelResources();
  standin::ProcessEvents();
  standin::ClearMousePointerHistory();
  dialog = std::make_unique<ThinfoldDialog>();
  OpenOn(MakeUiScene());
}

void UiDialogTest::TearDown() {
  standin::CloseAllDialogs();
  standin::ProcessEvents();
  dialog.reset();
  SetActiveDocument(nullptr);
  standin::SetCPUCount(0);
}

void UiDialogTest::OpenOn(ModelDoc scene) {
  standin::CloseAllDialogs();
  standin::ProcessEvents();
  doc = std::move(scene);
  SetActiveDocument(doc.get());
  ASSERT_TRUE(dialog->Open(DLG_TYPE_ASYNC, ID_THINFOLD, -1, -1, 500, 300, 0));
}

void UiDialogTest::PumpToRunEnd(PluginMessageLog& log) {
  ASSERT_TRUE(standin::PumpUntil([&] { return log.runEnds > 0; }, kUiTimeoutMs));
}

TreeListNode* UiDialogTest::Node(int line) {
  Tree().Paint();
  const std::vector<TreeViewLine>& lines = Tree().GetLines();
  return line >= 0 && line < static_cast<int>(lines.size())
             ? static_cast<TreeListNode*>(lines[line].object)
             : nullptr;
}

std::vector<VULONG> PluginMessageLog::TreeEvents() const {
  std::vector<VULONG> events;
  for (VULONG event : Values(MSG_TREE))
    if (event != TREE_SELECTED_ASKED) events.push_back(event);
  return events;
}
