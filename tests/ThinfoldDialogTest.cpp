// The main dialog, used as a user would: gathering, runs with their progress, stopping,
// restoring, closing, and what the window shows afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "CTrackSubData.h"
#include "ThinfoldDlg.h"
#include "TrackTreeView.h"
#include "UiDialog.h"
#include "UiScene.h"

namespace {

// The size of the host allocations that fail on purpose; 0 for none.
std::atomic<std::size_t> failingAllocationSize{0};

}  // namespace

// The host's non-throwing allocator, with failures on request.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (size != 0 && size == failingAllocationSize.load()) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

namespace {

constexpr LONG kCheck = COLUMN_CHECK;
constexpr LONG kInfo = COLUMN_INFO;
constexpr LONG kKeysBefore = COLUMN_KEYS_BEFORE;
constexpr LONG kKeysAfter = COLUMN_KEYS_AFTER;
const std::vector<Bool> kButtonsEnabled(4, TRUE);
const std::vector<Bool> kButtonsDisabled(4, FALSE);

using MainDialog = UiDialogTest;

BaseContainer ProgressMessage(VULONG unfinished) {
  BaseContainer msg(ID_THINFOLD);
  msg.SetReal(BFM_CORE_PAR1, static_cast<Real>(MSG_PROGRESS));
  msg.SetReal(BFM_CORE_PAR2, static_cast<Real>(unfinished));
  return msg;
}

// Waits, without delivering core messages, until the run's control thread has ended.
bool WaitForThreadEnd(ThinfoldDialog& dialog) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kUiTimeoutMs);
  while (dialog.CheckClose()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

std::vector<std::vector<KeyState>> UserKeys(BaseDocument* doc) {
  std::vector<std::vector<KeyState>> keys;
  for (int i = 0; i < 5; ++i) keys.push_back(ReadKeys(UiTrack(doc, i)));
  return keys;
}

TEST_F(MainDialog, OpensWithAnEmptyTreeOfEightColumns) {
  EXPECT_EQ(standin::GetDialogInfo(*dialog).title.ToUtf8(), "Thinfold");
  const std::vector<std::pair<LONG, LONG>> columns = {
      {kCheck, LV_CHECKBOX},  {COLUMN_LAYER, LV_USER}, {COLUMN_TREE, LV_TREE},
      {COLUMN_ICON, LV_USER}, {kInfo, LV_USER},        {COLUMN_PERCENT, LV_USER},
      {kKeysBefore, LV_USER}, {kKeysAfter, LV_USER}};
  ASSERT_EQ(Tree().GetColumnCount(), 8);
  for (LONG position = 0; position < 8; ++position) {
    EXPECT_EQ(Tree().GetColumnId(position), columns[position].first);
    EXPECT_EQ(Tree().GetColumnType(position), columns[position].second);
  }
  Tree().Paint();
  EXPECT_EQ(Tree().GetColumnWidths()[2], 500);
  EXPECT_TRUE(Tree().GetLines().empty());
  EXPECT_EQ(Tree().GetFunctions(), &functable);
  EXPECT_EQ(TitleText(*dialog), "");
  EXPECT_NE(ShownSubDialog(*dialog), nullptr);
  EXPECT_EQ(standin::FindGadget(*dialog, IDC_PRECISION), nullptr);
}

TEST_F(MainDialog, GathersAllOrTheSelectedTracks) {
  Press(IDC_GATHER_ALL);
  EXPECT_EQ(TreeLineNames(Tree()), UiSceneTrackNames());
  EXPECT_EQ(Tree().GetFocusItem(), Node(0));
  EXPECT_EQ(TitleText(*dialog), "Cube.X");
  EXPECT_NE(standin::FindGadget(*dialog, IDC_PRECISION), nullptr);
  EXPECT_EQ(StatusText(*dialog), "");
  EXPECT_FALSE(ProgressShown(*dialog));
  EXPECT_EQ(standin::GetMousePointerHistory(), (std::vector<LONG>{MOUSE_BUSY, MOUSE_NORMAL}));
  EXPECT_EQ(standin::GetTreeCellText(Tree(), 2, kKeysBefore).ToUtf8(), "90");

  // Cube and Steel are selected: their own tracks, not those of Cube's tag.
  Press(IDC_GATHER_SELECTED);
  EXPECT_EQ(TreeLineNames(Tree()), (std::vector<std::string>{"Cube.X", "Cube.Y", "Steel.Shine"}));
}

TEST_F(MainDialog, GatheringAgainWritesTheOldSettingsBackFirst) {
  Press(IDC_GATHER_ALL);
  ASSERT_TRUE(standin::EditReal(*dialog, IDC_PRECISION, 2.5));
  ASSERT_TRUE(standin::CheckTreeCell(Tree(), 1, kCheck, FALSE));
  // No core message delivered: gathering itself copies the settings.
  Press(IDC_GATHER_ALL);
  EXPECT_DOUBLE_EQ(GetCTrackSubData(UiTrack(doc.get(), 0)).precision, 2.5);
  EXPECT_FALSE(GetCTrackSubData(UiTrack(doc.get(), 1)).active);
  EXPECT_DOUBLE_EQ(Node(0)->_subdata.precision, 2.5);
  EXPECT_EQ(standin::FindGadget(*dialog, IDC_PRECISION)->GetState().value.GetReal(), 2.5);
  EXPECT_EQ(functable.IsChecked(Tree().GetRoot(), Tree().GetUserData(), Node(1), kCheck), 1);
}

TEST_F(MainDialog, RunShowsItsProgressAndCopiesTheResults) {
  standin::SetCPUCount(1);
  Press(IDC_GATHER_ALL);
  const LONG eventsBefore = standin::GetEventAddCount();
  PluginMessageLog log(*dialog);
  Press(IDC_START);
  EXPECT_EQ(RunButtonsEnabled(*dialog), kButtonsDisabled);
  EXPECT_TRUE(GadgetEnabled(*dialog, IDC_STOP));
  ASSERT_TRUE(WaitForThreadEnd(*dialog));

  // The thread has ended but its end message is still queued: the run's size is known.
  struct Row {
    VULONG unfinished;
    const char* text;
    const char* percent;
  };
  for (const Row& row :
       {Row{5, "0/5", "0%"}, Row{7, "0/5", "0%"}, Row{2, "3/5", "60%"}, Row{0, "5/5", "100%"}}) {
    SCOPED_TRACE(row.text);
    dialog->CoreMessage(ID_THINFOLD, ProgressMessage(row.unfinished));
    EXPECT_EQ(StatusText(*dialog), row.text);
    EXPECT_EQ(ProgressText(*dialog), row.percent);
  }

  PumpToRunEnd(log);
  // With one worker the done count only grows, up to "5/5" before the end message.
  std::vector<std::string> progress;
  for (const LoggedMessage& m : log.messages)
    if (m.kind == MSG_PROGRESS) progress.push_back(m.status);
  ASSERT_FALSE(progress.empty());
  for (size_t i = 0; i < progress.size(); ++i) {
    ASSERT_EQ(progress[i].substr(1), "/5");
    if (i > 0) {
      EXPECT_LE(progress[i - 1], progress[i]);
    }
  }
  EXPECT_EQ(progress.back(), "5/5");
  EXPECT_EQ(log.Values(MSG_RUN_OVER), (std::vector<VULONG>{RUN_DONE}));
  EXPECT_EQ(StatusText(*dialog), "Run finished: the results were copied to the document");
  EXPECT_TRUE(ProgressShown(*dialog));
  EXPECT_EQ(RunButtonsEnabled(*dialog), kButtonsEnabled);
  EXPECT_GT(standin::GetEventAddCount(), eventsBefore);
  for (int line = 0; line < 5; ++line) {
    SCOPED_TRACE(line);
    const LONG keys = KeyCount(UiTrack(doc.get(), line));
    EXPECT_LT(keys, 90);
    Tree().Paint();
    EXPECT_EQ(standin::GetTreeCellText(Tree(), line, kKeysAfter).ToUtf8(), std::to_string(keys));
    EXPECT_EQ(standin::GetTreeCellText(Tree(), line, kInfo).ToUtf8(), "Reduced");
  }
}

TEST_F(MainDialog, StopBringsTheButtonsBackWithTheEndMessage) {
  OpenOn(MakeSlowScene(4, 3000));
  standin::SetCPUCount(1);
  Press(IDC_GATHER_ALL);
  PluginMessageLog log(*dialog);
  RunGate gate;
  Press(IDC_START);
  gate.Open();
  Press(IDC_STOP);
  EXPECT_EQ(StatusText(*dialog), "");
  EXPECT_FALSE(ProgressShown(*dialog));
  EXPECT_EQ(RunButtonsEnabled(*dialog), kButtonsDisabled);
  EXPECT_FALSE(dialog->CheckClose());
  PumpToRunEnd(log);
  EXPECT_EQ(log.Values(MSG_RUN_OVER), (std::vector<VULONG>{RUN_STOPPED}));
  EXPECT_EQ(StatusText(*dialog), "Run stopped: finished tracks were copied to the document");
  EXPECT_EQ(RunButtonsEnabled(*dialog), kButtonsEnabled);
}

TEST_F(MainDialog, StopWithoutARunOnlyClearsTheStatusBar) {
  Press(IDC_GATHER_ALL);
  Press(IDC_STOP);
  EXPECT_EQ(StatusText(*dialog), "");
  EXPECT_EQ(RunButtonsEnabled(*dialog), kButtonsEnabled);
}

TEST_F(MainDialog, ClosingIsRefusedWhileARunGoesOn) {
  Press(IDC_GATHER_ALL);
  PluginMessageLog log(*dialog);
  RunGate gate;
  Press(IDC_START);
  EXPECT_TRUE(dialog->CheckClose());
  EXPECT_FALSE(dialog->Close());
  EXPECT_TRUE(dialog->IsOpen());
  gate.Open();
  PumpToRunEnd(log);
  EXPECT_TRUE(dialog->Close());
}

TEST_F(MainDialog, DestroyingTheWindowEndsTheRunAndKeepsTheSettings) {
  Press(IDC_GATHER_ALL);
  RunGate gate;
  Press(IDC_START);
  // The parameters and check boxes stay usable during the run.
  ASSERT_TRUE(standin::EditReal(*dialog, IDC_PRECISION, 0.125));
  ASSERT_TRUE(standin::CheckTreeCell(Tree(), 1, kCheck, FALSE));
  gate.Open();
  standin::CloseAllDialogs();
  EXPECT_FALSE(dialog->IsOpen());
  EXPECT_DOUBLE_EQ(GetCTrackSubData(UiTrack(doc.get(), 0)).precision, 0.125);
  EXPECT_FALSE(GetCTrackSubData(UiTrack(doc.get(), 1)).active);
  standin::ProcessEvents();
  ASSERT_TRUE(dialog->Open(DLG_TYPE_ASYNC, ID_THINFOLD, -1, -1, 500, 300, 0));
  EXPECT_TRUE(TreeLineNames(Tree()).empty());
  EXPECT_EQ(TitleText(*dialog), "");
  EXPECT_EQ(RunButtonsEnabled(*dialog), kButtonsEnabled);
}

TEST_F(MainDialog, RunThatCannotStartGivesTheButtonsBack) {
  Press(IDC_GATHER_ALL);
  failingAllocationSize = sizeof(CBakeControlThread);
  Press(IDC_START);
  failingAllocationSize = 0;
  EXPECT_EQ(RunButtonsEnabled(*dialog), kButtonsEnabled);
  EXPECT_EQ(StatusText(*dialog), "The run could not be started");
  EXPECT_FALSE(ProgressShown(*dialog));
  EXPECT_FALSE(dialog->CheckClose());
}

TEST_F(MainDialog, RestorePutsTheSavedKeysBack) {
  const std::vector<std::vector<KeyState>> original = UserKeys(doc.get());
  Press(IDC_GATHER_ALL);
  PluginMessageLog log(*dialog);
  Press(IDC_START);
  PumpToRunEnd(log);
  ASSERT_NE(UserKeys(doc.get()), original);
  const LONG eventsBefore = standin::GetEventAddCount();
  standin::ClearMousePointerHistory();
  Press(IDC_RESTORE);
  EXPECT_EQ(UserKeys(doc.get()), original);
  EXPECT_EQ(StatusText(*dialog), "");
  EXPECT_EQ(standin::GetEventAddCount(), eventsBefore + 1);
  EXPECT_EQ(standin::GetMousePointerHistory(), (std::vector<LONG>{MOUSE_BUSY, MOUSE_NORMAL}));
  Tree().Paint();
  EXPECT_EQ(standin::GetTreeCellText(Tree(), 0, kKeysAfter).ToUtf8(), "0");
  EXPECT_EQ(standin::GetTreeCellText(Tree(), 0, kInfo).ToUtf8(), "");
}

// A host that runs out of memory while copying keys back or restoring them: the status says so
// instead of claiming the results arrived.
TEST_F(MainDialog, CopiesThatRunOutOfMemorySaySo) {
  struct LimitGuard {
    ~LimitGuard() { standin::SetKeyAllocationLimit(-1); }
  } guard;
  Press(IDC_GATHER_ALL);
  PluginMessageLog log(*dialog);
  Press(IDC_START);
  ASSERT_TRUE(WaitForThreadEnd(*dialog));
  standin::SetKeyAllocationLimit(3);
  PumpToRunEnd(log);
  EXPECT_EQ(StatusText(*dialog), "Some tracks could not be copied to the document: out of memory");
  EXPECT_EQ(RunButtonsEnabled(*dialog), kButtonsEnabled);
  standin::SetKeyAllocationLimit(3);
  Press(IDC_RESTORE);
  EXPECT_EQ(StatusText(*dialog), "Some tracks could not be restored: out of memory");
}

TEST_F(MainDialog, SettingsEditedDuringARunReachTheTracks) {
  OpenOn(MakeSlowScene(6, 1500));
  standin::SetCPUCount(2);
  Press(IDC_GATHER_ALL);
  PluginMessageLog log(*dialog);
  Press(IDC_START);
  for (int i = 0; i < 24; ++i) {
    EXPECT_TRUE(standin::CheckTreeCell(Tree(), i % 6, kCheck, i % 4 == 0));
    EXPECT_TRUE(standin::EditReal(*dialog, IDC_PRECISION, 0.01 * (i + 1)));
    standin::ProcessEvents();
    Tree().Paint();
  }
  Press(IDC_STOP);
  PumpToRunEnd(log);
  for (int line = 0; line < 6; ++line) {
    SCOPED_TRACE(line);
    // The last check of line L came at step L + 18.
    const Bool active = (line + 18) % 4 == 0;
    EXPECT_EQ(Node(line)->_subdata.active, active);
    EXPECT_EQ(GetCTrackSubData(Node(line)->GetTrack()).active, active);
    EXPECT_EQ(GetCTrackSubData(UiTrack(doc.get(), line)).active, active);
  }
  EXPECT_DOUBLE_EQ(GetCTrackSubData(UiTrack(doc.get(), 0)).precision, 0.24);
}

TEST_F(MainDialog, KeysAndTheChangeMessageUpdateTheWindow) {
  Press(IDC_GATHER_ALL);
  ASSERT_TRUE(standin::SendTreeKey(Tree(), KEY_DOWN, QSHIFT));
  ASSERT_TRUE(standin::SendTreeKey(Tree(), KEY_DOWN, QSHIFT));
  standin::ProcessEvents();
  EXPECT_EQ(TitleText(*dialog), "3 tracks [Cube.X,Cube.Y,Cube.Display.Mode]");
  ASSERT_TRUE(standin::SendTreeKey(Tree(), KEY_UP, QSHIFT));
  standin::ProcessEvents();
  EXPECT_EQ(TitleText(*dialog), "2 tracks [Cube.X,Cube.Y]");
  // The host's change message after the document changed.
  const LONG redraws = Tree().GetState().redrawCount;
  SpecialEventAdd(EVMSG_CHANGE);
  standin::ProcessEvents();
  EXPECT_GT(Tree().GetState().redrawCount, redraws);
}

// The line's background colour in the rendered window.
bool SamePixel(const BaseBitmap& bitmap, LONG x, LONG y, const UCHAR rgb[3]) {
  UCHAR r = 0, g = 0, b = 0;
  bitmap.GetPixel(x, y, &r, &g, &b);
  return r == rgb[0] && g == rgb[1] && b == rgb[2];
}

TEST_F(MainDialog, RenderedAfterARunShowsStatusIconsAndLayerColours) {
  Press(IDC_GATHER_ALL);
  ASSERT_TRUE(standin::CheckTreeCell(Tree(), 3, kCheck, FALSE));
  PluginMessageLog log(*dialog);
  Press(IDC_START);
  PumpToRunEnd(log);
  BaseBitmap* picture = BaseBitmap::Alloc();
  ASSERT_TRUE(standin::RenderDialog(*dialog, *picture));
  const GadgetRect tree = Tree().GetState().rect;
  const std::vector<LONG>& widths = Tree().GetColumnWidths();
  const TreeViewLine line = Tree().GetLines()[1];  // Cube.Y: on the layer, not selected
  // The layer bar: 4 pixels either side of the left edge of the centred 12-pixel box.
  const LONG layerBox = widths[0] + (widths[1] - 12) / 2;
  const LONG boxTop = line.top + (line.height > 12 ? (line.height - 12) / 2 : 0);
  EXPECT_TRUE(SamePixel(*picture, tree.x + layerBox, tree.y + boxTop + 5, kLayerPixel));
  EXPECT_TRUE(SamePixel(*picture, tree.x + layerBox - 4, tree.y + boxTop + 3, kLayerPixel));
  EXPECT_FALSE(SamePixel(*picture, tree.x + layerBox + 6, tree.y + boxTop + 5, kLayerPixel));
  // The status icon draws something else than the line's background in its box.
  const UCHAR background[3] = {217, 217, 217};
  const LONG iconBox = widths[0] + widths[1] + widths[2] + (widths[3] - 12) / 2;
  int iconPixels = 0;
  for (LONG y = 0; y < 12; ++y)
    for (LONG x = 0; x < 12; ++x)
      if (!SamePixel(*picture, tree.x + iconBox + x, tree.y + boxTop + y, background)) ++iconPixels;
  EXPECT_GT(iconPixels, 20);
  const std::filesystem::path png = std::filesystem::temp_directory_path() /
                                    ("thinfold_dialog_" + std::to_string(::getpid()) + ".png");
  EXPECT_TRUE(standin::WritePng(*picture, Filename(png.string().c_str())));
  EXPECT_TRUE(std::filesystem::exists(png));
  // THINFOLD_DIALOG_PNG keeps a copy, e.g. for the picture in docs/.
  if (const char* keep = std::getenv("THINFOLD_DIALOG_PNG"))
    std::filesystem::copy_file(png, keep, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::remove(png);
  BaseBitmap::Free(picture);
}

}  // namespace
