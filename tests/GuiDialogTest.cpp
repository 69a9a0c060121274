// Dialogs of the headless host: the window's life, gadgets driven as a user would, core
// messages, sub-dialogs and dialog resources.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "c4d.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

namespace {

constexpr LONG kPluginId = 1031250;
const std::string kDataFolder = std::string(THINFOLD_ROOT) + "/tests/data/gui";

using Log = std::vector<std::string>;

// Points the plug-in folder and the string table at the test data and collects the debug
// output.
class GuiDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::SetPluginPath(Filename(kDataFolder.c_str()));
    ASSERT_TRUE(resource.Init(Filename(kDataFolder.c_str())));
    previousSink =
        standin::SetDebugSink([this](const std::string& line) { debug.push_back(line); });
    standin::ProcessEvents();
  }
  void TearDown() override {
    standin::SetDebugSink(previousSink);
    standin::SetPluginPath(Filename());
  }
  standin::LineSink previousSink;
  Log debug;
};

std::string Entry(const std::string& who, const std::string& what) { return who + ":" + what; }

// A parameter sub-dialog: a number field, a combo box and a check box; edits go through a
// TriState as a plug-in's sub-dialog does.
class ParameterSub : public SubDialog {
 public:
  ParameterSub(std::string name, Log& log) : _name(std::move(name)), _log(log) {}
  Bool CreateLayout() override {
    _log.push_back(Entry(_name, "CreateLayout"));
    GroupBegin(0, BFH_SCALEFIT, 2, 0, String(), 0);
    AddStaticText(1000, BFH_LEFT, 0, 0, String("Precision"), BORDER_NONE);
    AddEditNumberArrows(1003, BFH_SCALEFIT, 70);
    AddStaticText(1001, BFH_LEFT, 0, 0, String("Method"), BORDER_NONE);
    AddComboBox(1004, BFH_SCALEFIT);
    AddChild(1004, 0, String("zero"));
    AddChild(1004, 2, String("two"));
    AddStaticText(1002, BFH_LEFT, 0, 0, String("Hold"), BORDER_NONE);
    AddCheckbox(1006, BFH_LEFT, 0, 0, String());
    GroupEnd();
    return layoutResult;
  }
  Bool InitValues() override {
    _log.push_back(Entry(_name, "InitValues"));
    TriState<Real> precision;
    for (Real value : precisions) precision.Add(value);
    SetReal(1003, precision, 0.0, 10.0, 0.1, FORMAT_REAL);
    TriState<Bool> hold;
    for (Bool value : holds) hold.Add(value);
    SetBool(1006, hold);
    return TRUE;
  }
  Bool Command(LONG id, const BaseContainer& msg) override {
    TriState<Real> precision;
    precision.Check(this, msg, id, 1003);
    TriState<Bool> hold;
    hold.Check(this, msg, id, 1006);
    _log.push_back(Entry(_name, "Command " + std::to_string(id)));
    if (precision.HasChanged()) changedTo.push_back(precision.GetValue());
    if (hold.HasChanged()) heldTo.push_back(hold.GetValue());
    return TRUE;
  }
  Bool CoreMessage(LONG id, const BaseContainer& msg) override {
    _log.push_back(Entry(_name, "Core " + std::to_string(id)));
    return SubDialog::CoreMessage(id, msg);
  }
  LONG Message(const BaseContainer& msg, BaseContainer& result) override {
    if (msg.GetId() == BFM_DESTROY) _log.push_back(Entry(_name, "dsty"));
    if (msg.GetId() == BFM_CHECKCLOSE) return refuseClose;
    return SubDialog::Message(msg, result);
  }

  std::vector<Real> precisions{0.5};
  std::vector<Real> changedTo;
  std::vector<Bool> holds{TRUE};
  std::vector<Bool> heldTo;
  Bool layoutResult = TRUE;
  Bool refuseClose = FALSE;

 private:
  std::string _name;
  Log& _log;
};

// A main dialog built from the sample resource 10003, with a sub-dialog in area 10008.
class MainDialog : public GeDialog {
 public:
  explicit MainDialog(Log& log) : _log(log) {}
  Bool CreateLayout() override {
    _log.push_back(Entry("main", "CreateLayout"));
    const Bool loaded = GeDialog::CreateLayout() && LoadDialogResource(resourceId, nullptr, 0);
    if (loaded && sub) AttachSubDialog(sub, 10008);
    return loaded && layoutResult;
  }
  Bool InitValues() override {
    _log.push_back(Entry("main", "InitValues"));
    return GeDialog::InitValues();
  }
  Bool Command(LONG id, const BaseContainer& msg) override {
    _log.push_back(Entry("main", "Command " + std::to_string(id)));
    lastAction = msg;
    return TRUE;
  }
  Bool CoreMessage(LONG id, const BaseContainer& msg) override {
    _log.push_back(Entry("main", "Core " + std::to_string(id) + " " +
                                     std::to_string(GetCoreMessageParam(msg, BFM_CORE_PAR1)) + " " +
                                     std::to_string(GetCoreMessageParam(msg, BFM_CORE_PAR2))));
    return GeDialog::CoreMessage(id, msg);
  }
  LONG Message(const BaseContainer& msg, BaseContainer& result) override {
    if (msg.GetId() == BFM_CHECKCLOSE) {
      _log.push_back(Entry("main", "chkc"));
      return refuseClose;
    }
    if (msg.GetId() == BFM_DESTROY) _log.push_back(Entry("main", "dsty"));
    return GeDialog::Message(msg, result);
  }
  void DestroyWindow() override { _log.push_back(Entry("main", "DestroyWindow")); }

  Bool OpenDefault() { return Open(DLG_TYPE_ASYNC, kPluginId, -1, -1, 500, 300, 0); }

  LONG resourceId = 10003;
  SubDialog* sub = nullptr;
  Bool layoutResult = TRUE;
  Bool refuseClose = FALSE;
  BaseContainer lastAction;

 private:
  Log& _log;
};

TEST_F(GuiDialog, OpenBuildsTheLayoutThenInitialisesOnce) {
  Log log;
  ParameterSub sub("sub", log);
  MainDialog dialog(log);
  dialog.sub = &sub;
  ASSERT_TRUE(dialog.OpenDefault());
  EXPECT_TRUE(dialog.IsOpen());
  EXPECT_TRUE(dialog.OpenDefault());  // already open: nothing is built again
  EXPECT_EQ(log,
            (Log{"main:CreateLayout", "sub:CreateLayout", "sub:InitValues", "main:InitValues"}));
  EXPECT_EQ(standin::FindOpenDialog(kPluginId), &dialog);
  const standin::DialogInfo info = standin::GetDialogInfo(dialog);
  EXPECT_EQ(info.title.ToUtf8(), "Thinfold (sample)");
  EXPECT_GE(info.width, 500);
  EXPECT_GE(info.height, 300);
}

TEST_F(GuiDialog, ResourceGadgetsCarryTheirKindsAndTexts) {
  Log log;
  MainDialog dialog(log);
  ASSERT_TRUE(dialog.OpenDefault());
  EXPECT_NE(dialog.FindCustomGui(10006, CUSTOMGUI_TREEVIEW), nullptr);
  EXPECT_EQ(dialog.FindCustomGui(10006, CUSTOMGUI_QUICKTAB), nullptr);
  EXPECT_NE(dialog.FindCustomGui(10004, CUSTOMGUI_QUICKTAB), nullptr);
  EXPECT_EQ(dialog.FindGadget(10008)->GetKind(), GADGET_SUBDIALOG);
  EXPECT_EQ(dialog.FindGadget(10015)->GetKind(), GADGET_STATUSBAR);
  // A text given as #id comes from the string table.
  EXPECT_EQ(dialog.FindGadget(10010)->GetState().title.ToUtf8(), "Gather all");
  EXPECT_EQ(dialog.FindGadget(10014)->GetState().title.ToUtf8(), "Stop");
}

TEST_F(GuiDialog, OpenFailsForOtherTypesAndFailedLayouts) {
  Log log;
  ParameterSub sub("sub", log);
  MainDialog dialog(log);
  EXPECT_FALSE(dialog.Open(10, kPluginId, -1, -1, 500, 300, 0));
  EXPECT_FALSE(dialog.IsOpen());
  dialog.sub = &sub;
  dialog.layoutResult = FALSE;
  EXPECT_FALSE(dialog.OpenDefault());
  EXPECT_FALSE(dialog.IsOpen());
  EXPECT_FALSE(sub.IsOpen());
  EXPECT_EQ(standin::FindOpenDialog(kPluginId), nullptr);
  // The sub-dialog that the failed layout attached is told that its window went.
  EXPECT_NE(std::find(log.begin(), log.end(), "sub:dsty"), log.end());
}

TEST_F(GuiDialog, MissingResourceFailsTheLayout) {
  Log log;
  MainDialog dialog(log);
  dialog.resourceId = 424242;
  EXPECT_FALSE(dialog.OpenDefault());
  ASSERT_FALSE(debug.empty());
  EXPECT_NE(debug.back().find("424242.res"), std::string::npos);
}

TEST_F(GuiDialog, ButtonPressReachesCommandUnlessDisabled) {
  Log log;
  MainDialog dialog(log);
  ASSERT_TRUE(dialog.OpenDefault());
  log.clear();
  EXPECT_TRUE(standin::PressButton(dialog, 10012));
  EXPECT_EQ(dialog.lastAction.GetId(), BFM_ACTION);
  EXPECT_EQ(dialog.lastAction.GetLong(BFM_ACTION_ID), 10012);
  EXPECT_TRUE(dialog.Enable(10012, FALSE));
  EXPECT_FALSE(dialog.IsEnabled(10012));
  EXPECT_FALSE(standin::PressButton(dialog, 10012));
  EXPECT_FALSE(standin::PressButton(dialog, 99999));
  EXPECT_FALSE(standin::PressButton(dialog, 10015));  // a status bar is no button
  EXPECT_EQ(log, (Log{"main:Command 10012"}));
  EXPECT_FALSE(dialog.Enable(99999, FALSE));
}

TEST_F(GuiDialog, EditsReachTheSubDialogThatOwnsTheGadget) {
  Log log;
  ParameterSub sub("sub", log);
  MainDialog dialog(log);
  dialog.sub = &sub;
  ASSERT_TRUE(dialog.OpenDefault());
  EXPECT_EQ(dialog.FindGadget(1003), nullptr);
  ASSERT_NE(standin::FindGadget(dialog, 1003), nullptr);
  EXPECT_EQ(standin::FindGadgetOwner(dialog, 1003), &sub);
  EXPECT_TRUE(standin::EditReal(dialog, 1003, 25.0));  // clamped into 0..10
  Real shown = 0.0;
  EXPECT_TRUE(sub.GetReal(1003, shown));
  EXPECT_EQ(shown, 10.0);
  EXPECT_EQ(sub.changedTo, std::vector<Real>{10.0});
  EXPECT_TRUE(standin::EditLong(dialog, 1004, 2));
  EXPECT_FALSE(standin::EditLong(dialog, 1004, 1));  // no entry has the value 1
  EXPECT_EQ(standin::FindGadget(dialog, 1004)->GetChildText().ToUtf8(), "two");
}

TEST_F(GuiDialog, AmbiguousFieldGivesNoValueUntilEdited) {
  Log log;
  ParameterSub sub("sub", log);
  sub.precisions = {0.5, 0.25};
  MainDialog dialog(log);
  dialog.sub = &sub;
  ASSERT_TRUE(dialog.OpenDefault());
  EXPECT_TRUE(standin::FindGadget(dialog, 1003)->IsAmbiguous());
  EXPECT_TRUE(standin::SendCommand(dialog, 1003));
  EXPECT_TRUE(sub.changedTo.empty());
  EXPECT_TRUE(standin::EditReal(dialog, 1003, 0.75));
  EXPECT_FALSE(standin::FindGadget(dialog, 1003)->IsAmbiguous());
  EXPECT_EQ(sub.changedTo, std::vector<Real>{0.75});
}

TEST_F(GuiDialog, CheckBoxShowsMergedStateAndTogglesOnClick) {
  Log log;
  ParameterSub sub("sub", log);
  sub.holds = {TRUE, FALSE};
  MainDialog dialog(log);
  dialog.sub = &sub;
  ASSERT_TRUE(dialog.OpenDefault());
  EXPECT_TRUE(standin::FindGadget(dialog, 1006)->IsAmbiguous());
  EXPECT_TRUE(standin::SendCommand(dialog, 1006));
  EXPECT_TRUE(sub.heldTo.empty());
  // Ambiguous, then checked, then unchecked.
  EXPECT_TRUE(standin::ClickCheckbox(dialog, 1006));
  EXPECT_TRUE(standin::ClickCheckbox(dialog, 1006));
  EXPECT_EQ(sub.heldTo, (std::vector<Bool>{TRUE, FALSE}));
  Bool checked = TRUE;
  EXPECT_TRUE(sub.GetBool(1006, checked));
  EXPECT_FALSE(checked);
  EXPECT_FALSE(standin::FindGadget(dialog, 1006)->IsAmbiguous());
  // Check boxes and number gadgets do not take each other's values.
  EXPECT_FALSE(standin::ClickCheckbox(dialog, 1003));
  EXPECT_FALSE(standin::EditLong(dialog, 1006, 1));
  EXPECT_FALSE(sub.GetBool(1003, checked));
  EXPECT_FALSE(sub.SetBool(1003, TRUE));
  LONG number = 0;
  EXPECT_FALSE(sub.GetLong(1006, number));
  EXPECT_TRUE(sub.Enable(1006, FALSE));
  EXPECT_FALSE(standin::ClickCheckbox(dialog, 1006));
  EXPECT_EQ(sub.heldTo.size(), 2u);
}

TEST(GuiTriState, MergesValues) {
  TriState<LONG> merged;
  EXPECT_TRUE(merged.IsEmpty());
  merged.Add(3);
  merged.Add(3);
  EXPECT_FALSE(merged.GetTri());
  EXPECT_EQ(merged.GetValue(), 3);
  merged.Add(4);
  EXPECT_TRUE(merged.GetTri());
  EXPECT_FALSE(merged.HasChanged());
}

TEST_F(GuiDialog, CoreMessagesReachOpenDialogsAndTheirSubDialogs) {
  Log log;
  ParameterSub sub("sub", log);
  MainDialog dialog(log);
  dialog.sub = &sub;
  ASSERT_TRUE(dialog.OpenDefault());
  log.clear();
  SpecialEventAdd(kPluginId, 1000, 2);
  EXPECT_EQ(standin::ProcessEvents(), 1);
  EXPECT_EQ(log, (Log{"main:Core 1031250 1000 2", "sub:Core 1031250"}));
  EXPECT_TRUE(dialog.CheckCoreMessage(BaseContainer(EVMSG_CHANGE)));
  ASSERT_TRUE(dialog.Close());
  log.clear();
  SpecialEventAdd(kPluginId, 1000, 1);
  standin::ProcessEvents();
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(dialog.CheckCoreMessage(BaseContainer(EVMSG_CHANGE)));
}

TEST_F(GuiDialog, CloseAsksThenDestroysTheWindow) {
  Log log;
  ParameterSub sub("sub", log);
  MainDialog dialog(log);
  dialog.sub = &sub;
  ASSERT_TRUE(dialog.OpenDefault());
  dialog.refuseClose = TRUE;
  log.clear();
  EXPECT_FALSE(dialog.Close());
  EXPECT_TRUE(dialog.IsOpen());
  EXPECT_TRUE(dialog.CheckClose());
  dialog.refuseClose = FALSE;
  EXPECT_TRUE(dialog.Close());
  EXPECT_FALSE(dialog.IsOpen());
  EXPECT_FALSE(sub.IsOpen());
  EXPECT_EQ(log, (Log{"main:chkc", "main:chkc", "main:chkc", "main:dsty", "sub:dsty",
                      "main:DestroyWindow"}));
  EXPECT_EQ(dialog.FindGadget(10010), nullptr);
  EXPECT_EQ(standin::FindOpenDialog(kPluginId), nullptr);
  EXPECT_FALSE(dialog.Close());
}

TEST_F(GuiDialog, AttachingReplacesTheShownSubDialog) {
  Log log;
  ParameterSub first("first", log), second("second", log);
  MainDialog dialog(log);
  dialog.sub = &first;
  ASSERT_TRUE(dialog.OpenDefault());
  log.clear();
  EXPECT_TRUE(dialog.AttachSubDialog(&second, 10008));
  EXPECT_EQ(log, (Log{"first:dsty", "second:CreateLayout", "second:InitValues"}));
  EXPECT_FALSE(first.IsOpen());
  EXPECT_TRUE(second.IsOpen());
  EXPECT_EQ(dialog.FindGadget(10008)->GetState().subDialog, &second);
  EXPECT_FALSE(dialog.AttachSubDialog(&first, 10010));  // not a sub-dialog area
  EXPECT_FALSE(dialog.AttachSubDialog(nullptr, 10008));
  second.layoutResult = FALSE;
  EXPECT_FALSE(dialog.AttachSubDialog(&second, 10008));
  EXPECT_EQ(dialog.FindGadget(10008)->GetState().subDialog, nullptr);
  EXPECT_TRUE(dialog.LayoutChanged(10008));
  EXPECT_FALSE(dialog.LayoutChanged(4711));
}

TEST_F(GuiDialog, SubDialogDestroyedWhileShownLeavesItsAreaEmpty) {
  Log log;
  MainDialog dialog(log);
  auto* sub = new ParameterSub("sub", log);
  dialog.sub = sub;
  ASSERT_TRUE(dialog.OpenDefault());
  delete sub;
  EXPECT_EQ(dialog.FindGadget(10008)->GetState().subDialog, nullptr);
  BaseBitmap* picture = BaseBitmap::Alloc();
  EXPECT_TRUE(standin::RenderDialog(dialog, *picture));
  BaseBitmap::Free(picture);
}

TEST_F(GuiDialog, StatusBarKeepsTheEntriesItWasSent) {
  Log log;
  MainDialog dialog(log);
  ASSERT_TRUE(dialog.OpenDefault());
  BaseContainer message(BFM_SETSTATUSBAR);
  message.SetBool(BFM_STATUSBAR_PROGRESSON, TRUE);
  message.SetString(BFM_STATUSBAR_TXT, String("3/12"));
  EXPECT_TRUE(dialog.SendMessage(10015, message));
  BaseContainer percent(BFM_SETSTATUSBAR);
  percent.SetReal(BFM_STATUSBAR_PROGRESS, 0.25);
  EXPECT_TRUE(dialog.SendMessage(10015, percent));
  const BaseContainer& kept = dialog.FindGadget(10015)->GetState().message;
  EXPECT_EQ(kept.GetString(BFM_STATUSBAR_TXT).ToUtf8(), "3/12");
  EXPECT_EQ(kept.GetReal(BFM_STATUSBAR_PROGRESS), 0.25);
  EXPECT_FALSE(dialog.SendMessage(10010, message));
  EXPECT_FALSE(dialog.SendMessage(10015, BaseContainer(4711)));
}

TEST_F(GuiDialog, QuickTabShowsTheLatestTextOfAnId) {
  Log log;
  MainDialog dialog(log);
  ASSERT_TRUE(dialog.OpenDefault());
  auto* title = static_cast<QuickTabCustomGui*>(dialog.FindCustomGui(10004, CUSTOMGUI_QUICKTAB));
  ASSERT_NE(title, nullptr);
  const LONG btit = FourCharId('b', 't', 'i', 't');
  title->AppendString(btit, String("Track A"), FALSE);
  title->AppendString(btit, String("2 tracks [A,B]"), FALSE);
  title->DoLayoutChange();
  EXPECT_EQ(title->GetEntryCount(), 1);
  EXPECT_EQ(title->GetEntryText(btit).ToUtf8(), "2 tracks [A,B]");
  EXPECT_EQ(standin::GetDialogInfo(dialog).layoutChangedCount, 1);
}

TEST_F(GuiDialog, RestoreLayoutOpensOnlyForItsOwnSlot) {
  Log log;
  MainDialog dialog(log);
  standin::LayoutSlot foreign{kPluginId + 1, 0, 640, 480};
  EXPECT_FALSE(dialog.RestoreLayout(kPluginId, 0, &foreign));
  EXPECT_FALSE(dialog.RestoreLayout(kPluginId, 0, nullptr));
  standin::LayoutSlot own{kPluginId, 0, 640, 480};
  EXPECT_TRUE(dialog.RestoreLayout(kPluginId, 0, &own));
  EXPECT_GE(standin::GetDialogInfo(dialog).width, 640);
}

TEST_F(GuiDialog, CloseAllDialogsEndsEveryWindowWithoutAsking) {
  Log log;
  MainDialog dialog(log);
  dialog.refuseClose = TRUE;
  ASSERT_TRUE(dialog.OpenDefault());
  standin::CloseAllDialogs();
  EXPECT_FALSE(dialog.IsOpen());
  EXPECT_EQ(log.back(), "main:DestroyWindow");
  EXPECT_TRUE(standin::GetOpenDialogs().empty());
}

TEST(GuiMousePointer, KeepsTheLastPointerAndItsHistory) {
  standin::ClearMousePointerHistory();
  SetMousePointer(MOUSE_BUSY);
  SetMousePointer(MOUSE_NORMAL);
  EXPECT_EQ(standin::GetMousePointer(), MOUSE_NORMAL);
  EXPECT_EQ(standin::GetMousePointerHistory(), (std::vector<LONG>{MOUSE_BUSY, MOUSE_NORMAL}));
}

// A dialog whose layout is a group of two cells, one of them scaling.
class RowDialog : public GeDialog {
 public:
  Bool CreateLayout() override {
    GroupBegin(0, BFH_SCALEFIT, 2, 0, String(), 0);
    AddButton(1, BFH_LEFT, 0, 0, String("Fixed"));
    AddButton(2, BFH_SCALEFIT, 0, 0, String("Grows"));
    GroupEnd();
    return TRUE;
  }
};

TEST(GuiLayout, ScalingCellTakesTheRestOfTheRow) {
  RowDialog dialog;
  ASSERT_TRUE(dialog.Open(DLG_TYPE_ASYNC, 1, -1, -1, 400, 100, 0));
  const standin::DialogInfo info = standin::GetDialogInfo(dialog);
  const GadgetRect fixed = dialog.FindGadget(1)->GetState().rect;
  const GadgetRect grows = dialog.FindGadget(2)->GetState().rect;
  EXPECT_GT(fixed.width, 0);
  EXPECT_EQ(grows.x, fixed.x + fixed.width + 4);
  EXPECT_EQ(grows.x + grows.width, info.width - 4);
  EXPECT_EQ(grows.y, fixed.y);
}

TEST(GuiLayout, GadgetsNeedAWindowBeingBuilt) {
  GeDialog dialog;
  EXPECT_EQ(dialog.AddButton(1, 0, 0, 0, String("x")), nullptr);
  EXPECT_FALSE(dialog.GroupBegin(0, 0, 1, 0, String(), 0));
  EXPECT_FALSE(dialog.GroupEnd());
}

// Malformed resources are refused whole, with the file and line on the debug output.
class ResourceDialog : public GeDialog {
 public:
  Bool CreateLayout() override {
    loaded = LoadDialogResource(30000, nullptr, 0);
    return TRUE;
  }
  Bool loaded = FALSE;
};

TEST_F(GuiDialog, MalformedResourcesAreRefusedWhole) {
  struct Row {
    const char* name;
    const char* text;
    const char* reason;
  };
  const Row rows[] = {
      {"unknown statement", "DIALOG 30000\nSLIDER 5\n", "(2): unknown statement"},
      {"group left open", "DIALOG 30000\nGROUP 0\nBUTTON 1\n", "GROUP without END"},
      {"end without group", "DIALOG 30000\nEND\n", "(2): END without GROUP"},
      {"child without combo", "DIALOG 30000\nBUTTON 1\nCHILD 0 text=\"a\"\n", "(3): CHILD"},
      {"bad number", "DIALOG 30000\nBUTTON 1 flags=x8\n", "(2): \"flags\" needs a number"},
      {"open quote", "DIALOG 30000\nBUTTON 1 text=\"abc\n", "(2): unterminated"},
      {"wrong dialog id", "DIALOG 30001\n", "(1): the file must start with DIALOG 30000"},
      {"unknown custom gui", "DIALOG 30000\nCUSTOMGUI 4 type=7\n", "(2): unknown custom GUI"},
      {"unknown attribute", "DIALOG 30000\nBUTTON 1 colour=3\n", "(2): unknown attribute"},
  };
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("gui_resource_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder / "res" / "dialogs");
  standin::SetPluginPath(Filename(folder.string().c_str()));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::ofstream(folder / "res" / "dialogs" / "30000.res") << row.text;
    debug.clear();
    ResourceDialog dialog;
    ASSERT_TRUE(dialog.Open(DLG_TYPE_ASYNC, 1, -1, -1, 0, 0, 0));
    EXPECT_FALSE(dialog.loaded);
    EXPECT_EQ(dialog.FindGadget(1), nullptr);
    ASSERT_EQ(debug.size(), 1u);
    EXPECT_NE(debug[0].find(row.reason), std::string::npos) << debug[0];
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
