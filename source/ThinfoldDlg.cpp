#include "ThinfoldDlg.h"

#include "TrackTreeView.h"
#include "TreeSelection.h"

namespace {

// The title gadget keeps one entry, replaced by every new title.
constexpr LONG kTitleEntry = FourCharId('b', 't', 'i', 't');
constexpr LONG kTreeColumnCount = 8;
constexpr LONG kTreeColumnPosition = 2;
constexpr LONG kTreeColumnWidth = 500;

constexpr LONG kColumns[kTreeColumnCount][2] = {
    {COLUMN_CHECK, LV_CHECKBOX},   {COLUMN_LAYER, LV_USER},      {COLUMN_TREE, LV_TREE},
    {COLUMN_ICON, LV_USER},        {COLUMN_INFO, LV_USER},       {COLUMN_PERCENT, LV_USER},
    {COLUMN_KEYS_BEFORE, LV_USER}, {COLUMN_KEYS_AFTER, LV_USER},
};

constexpr LONG kRunButtons[] = {IDC_GATHER_ALL, IDC_GATHER_SELECTED, IDC_START, IDC_RESTORE};

int Clamped(int value, int lowest, int highest) {
  return value < lowest ? lowest : (value > highest ? highest : value);
}

}  // namespace

ThinfoldDialog::ThinfoldDialog() {
  curve_list = gNew CCurveList;
  subdialog0 = gNew MySubDialog0;
  subdialog1 = gNew MySubDialog1(curve_list);
  subdialog2 = gNew MySubDialog2(curve_list);
  statusbar = gNew CStatusBar(this, IDC_STATUSBAR);
}

// The window's "dsty" has normally ended the run; a dialog destroyed with its window still open
// gets no message, and its run must not outlive the curve list.
ThinfoldDialog::~ThinfoldDialog() {
  EndThread(1);
  gDelete(statusbar);
  gDelete(subdialog0);
  gDelete(subdialog1);
  gDelete(subdialog2);
  current_subdialog = nullptr;
  gDelete(curve_list);
}

Bool ThinfoldDialog::CreateLayout() {
  current_subdialog = nullptr;
  const Bool loaded = GeDialog::CreateLayout() && LoadDialogResource(IDD_THINFOLD, nullptr, 0);
  if (loaded && AttachSubDialog(subdialog0, IDC_PARAMETERS)) current_subdialog = subdialog0;
  treeview = static_cast<TreeViewCustomGui*>(FindCustomGui(IDC_TREE, CUSTOMGUI_TREEVIEW));
  if (!treeview) return FALSE;
  BaseContainer layout;
  for (const auto& column : kColumns) layout.SetLong(column[0], column[1]);
  treeview->SetLayout(kTreeColumnCount, layout);
  treeview->SetColumnWidthUser(kTreeColumnPosition, kTreeColumnWidth);
  return loaded;
}

Bool ThinfoldDialog::InitValues() {
  if (!GeDialog::InitValues()) return FALSE;
  if (treeview && curve_list) {
    treeview->SetRoot(curve_list->GetListRoot(), &functable, curve_list->GetListArgs());
    treeview->Refresh();
  }
  if (!curve_list || curve_list->GetCount() == 0) SetMainBarTitle(String());
  return TRUE;
}

void ThinfoldDialog::SetMainBarTitle(const String& text) {
  auto* title = static_cast<QuickTabCustomGui*>(FindCustomGui(IDC_TITLE, CUSTOMGUI_QUICKTAB));
  if (!title) return;
  title->AppendString(kTitleEntry, text, FALSE);
  title->DoLayoutChange();
}

void ThinfoldDialog::SetParmsSubDialog() {
  if (!curve_list) return;
  if (curve_list->GetCount() == 0) {
    if (current_subdialog && current_subdialog->CheckClose()) return;
    AttachSubDialog(subdialog0, IDC_PARAMETERS);
    LayoutChanged(IDC_PARAMETERS);
    current_subdialog = subdialog0;
    return;
  }
  SetMainBarTitle(GetSelectionString(*curve_list->GetListArgs()));
  SubDialog* target = SubDialogForSelection();
  if (!target || !SwitchSubDialog(target)) return;
  LayoutChanged(IDC_PARAMETERS);
}

// The sub-dialog for the first selected track's category; null when none fits.
SubDialog* ThinfoldDialog::SubDialogForSelection() {
  TreeListNode* first = GetFirstSelected(*curve_list->GetListArgs());
  CTrack* track = first ? first->GetTrack() : nullptr;
  if (!track) return nullptr;
  switch (track->GetTrackCategory()) {
    case CTRACK_CATEGORY_VALUE:
      return subdialog1;
    case CTRACK_CATEGORY_DATA:
      return subdialog2;
    default:
      return nullptr;
  }
}

// Attaches target unless it is shown already; then it only reads the new selection's values,
// so that it never shows the settings of tracks that are no longer selected. FALSE when the
// current sub-dialog refuses to close.
Bool ThinfoldDialog::SwitchSubDialog(SubDialog* target) {
  if (current_subdialog && current_subdialog->CheckClose()) return FALSE;
  if (target == current_subdialog) {
    target->InitValues();
  } else {
    AttachSubDialog(target, IDC_PARAMETERS);
    current_subdialog = target;
  }
  return TRUE;
}

Bool ThinfoldDialog::Command(LONG id, const BaseContainer&) {
  if (!curve_list || !statusbar) return TRUE;
  switch (id) {
    case IDC_GATHER_ALL:
      Gather(0);
      break;
    case IDC_GATHER_SELECTED:
      Gather(1);
      break;
    case IDC_START:
      StartRun();
      break;
    case IDC_RESTORE:
      Restore();
      break;
    case IDC_STOP:
      Stop();
      break;
    default:
      break;
  }
  return TRUE;
}

// The settings of the tracks gathered so far go back to the document before the list is
// replaced.
void ThinfoldDialog::Gather(int selectedOnly) {
  curve_list->CopyTrackSubData();
  SetMousePointer(MOUSE_BUSY);
  ShowStatusText(IDS_GATHERING);
  curve_list->SaveTracks(GetActiveDocument(), selectedOnly);
  if (curve_list->GetCount() > 0)
    SelectFirstNode();
  else
    SetMainBarTitle(String());
  SetParmsSubDialog();
  if (treeview) treeview->Refresh();
  statusbar->StatusBarClear();
  SetMousePointer(MOUSE_NORMAL);
}

void ThinfoldDialog::SelectFirstNode() {
  TreeListData* selection = curve_list->GetListArgs();
  auto* first = static_cast<TreeListNode*>(curve_list->GetListRoot()->_children.GetFirst());
  if (first) SelectOnly(*selection, first);
  if (treeview) treeview->SetFocusItem(first);
  SetMainBarTitle(GetSelectionString(*selection));
}

// The stop button stays enabled; the others come back with the end message of the run.
void ThinfoldDialog::StartRun() {
  statusbar->StatusBarOpen(1);
  EnableRunButtons(FALSE);
  thread = gNew CBakeControlThread(&curve_list);
  if (!thread || !thread->Start(THREADMODE_ASYNC, THREADPRIORITY_NORMAL)) RunNotStarted();
}

// No thread runs, so no end message will come to enable the buttons again.
void ThinfoldDialog::RunNotStarted() {
  gDelete(thread);
  statusbar->StatusBarClear();
  ShowStatusText(IDS_RUN_NOT_STARTED);
  EnableRunButtons(TRUE);
}

void ThinfoldDialog::Restore() {
  SetMousePointer(MOUSE_BUSY);
  ShowStatusText(IDS_RESTORING);
  const Bool whole = curve_list->RestoreTracks(nullptr, nullptr);
  statusbar->StatusBarClear();
  if (!whole) ShowStatusText(IDS_RESTORE_INCOMPLETE);
  SetMousePointer(MOUSE_NORMAL);
  EventAdd(EVENT_FORCEREDRAW);
}

void ThinfoldDialog::Stop() {
  ShowStatusText(IDS_STOPPING);
  EndThread(1);
  statusbar->StatusBarClear();
}

void ThinfoldDialog::EndThread(int wait) {
  if (!thread) return;
  thread->End(wait == 1);
  if (wait == 1) gDelete(thread);
}

LONG ThinfoldDialog::Message(const BaseContainer& msg, BaseContainer& result) {
  if (msg.GetId() == BFM_CHECKCLOSE) return thread && thread->IsRunning() ? 1 : 0;
  if (msg.GetId() == BFM_DESTROY) {
    EndThread(1);
    if (curve_list) {
      curve_list->CopyTrackSubData();
      curve_list->FreeItems();
    }
    // The gadgets go with the window.
    treeview = nullptr;
    current_subdialog = nullptr;
  }
  return GeDialog::Message(msg, result);
}

Bool ThinfoldDialog::CoreMessage(LONG id, const BaseContainer& msg) {
  if (id == EVMSG_CHANGE && CheckCoreMessage(msg)) RedrawTree();
  if (id == ID_THINFOLD && curve_list && statusbar) {
    const VULONG kind = GetCoreMessageParam(msg, BFM_CORE_PAR1);
    const VULONG value = GetCoreMessageParam(msg, BFM_CORE_PAR2);
    if (kind == MSG_TREE) HandleTreeEvent(value);
    if (kind == MSG_RUN_OVER) EndOfRun(value);
    if (kind == MSG_PROGRESS && thread)
      StatusBarSetFormated(static_cast<int>(value), thread->GetInitialStackSize());
  }
  return GeDialog::CoreMessage(id, msg);
}

void ThinfoldDialog::HandleTreeEvent(VULONG event) {
  if (event == TREE_SELECTION_CHANGED) SetParmsSubDialog();
  if (event == TREE_REDRAW_LINES) RedrawTree();
  if (event == TREE_SETTINGS_CHANGED) curve_list->CopyTrackSubData();
  if (event == TREE_MAKE_VISIBLE && treeview)
    treeview->MakeVisible(GetLastSelected(*curve_list->GetListArgs()));
}

// A stop from the user has deleted the thread already; the copying and the buttons still
// wait for this message.
void ThinfoldDialog::EndOfRun(VULONG outcome) {
  if (outcome == RUN_DONE || outcome == RUN_STOPPED) {
    gDelete(thread);
    SetMousePointer(MOUSE_BUSY);
    ShowStatusText(IDS_COPYING_RESULTS);
    LONG text = outcome == RUN_STOPPED ? IDS_RUN_STOPPED : IDS_RUN_DONE;
    if (!curve_list->CopyTracks(0)) text = IDS_COPY_INCOMPLETE;
    ShowStatusText(text);
    SetMousePointer(MOUSE_NORMAL);
    EventAdd(EVENT_FORCEREDRAW);
  }
  EnableRunButtons(TRUE);
}

void ThinfoldDialog::StatusBarSetFormated(int remaining, int total) {
  if (!statusbar) return;
  if (total == 0) {
    statusbar->StatusBarSet(0);
    statusbar->StatusBarSetText(String("0/") + LongToString(total));
    return;
  }
  const int done = total - Clamped(remaining, 0, total);
  statusbar->StatusBarSet(static_cast<int>(static_cast<long long>(done) * 100 / total));
  statusbar->StatusBarSetText(LongToString(done) + String("/") + LongToString(total));
}

void ThinfoldDialog::EnableRunButtons(Bool enabled) {
  for (LONG id : kRunButtons) Enable(id, enabled);
}

void ThinfoldDialog::ShowStatusText(LONG stringId) {
  statusbar->StatusBarSetText(GeLoadString(stringId));
}

void ThinfoldDialog::RedrawTree() {
  if (treeview) treeview->Redraw();
}

Bool Thinfold::Execute(BaseDocument*) {
  return dialog.Open(DLG_TYPE_ASYNC, ID_THINFOLD, -1, -1, 500, 300, 0);
}

LONG Thinfold::GetState(BaseDocument*) { return CMD_ENABLED; }

Bool Thinfold::RestoreLayout(void* secret) { return dialog.RestoreLayout(ID_THINFOLD, 0, secret); }
