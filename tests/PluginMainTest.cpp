// The plug-in's entry: its answers to the host's messages, its start in hosts of different
// versions, and the built module loaded and used as a host does.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Main.h"
#include "ProgramRun.h"
#include "ThinfoldDlg.h"
#include "UiDialog.h"
#include "UiScene.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kLoaded = "Loaded Thinfold R1.00.03";

// Collects the console; unloads every module and command and resets the host afterwards.
class PluginMain : public ::testing::Test {
 protected:
  void SetUp() override {
    InitModelResources();
    previous = standin::SetConsoleSink([this](const std::string& l) { console.push_back(l); });
  }
  void TearDown() override {
    standin::UnloadPluginModules();
    standin::ProcessEvents();
    standin::SetConsoleSink(previous);
    standin::SetHostVersion(12000);
    SetActiveDocument(nullptr);
    InitModelResources();
  }
  standin::LineSink previous;
  Lines console;
};

TEST_F(PluginMain, AnswersTheHostsMessages) {
  struct Row {
    LONG id;
    Bool answer;
  };
  for (const Row& row : {Row{0, TRUE}, Row{3, TRUE}, Row{1001, TRUE}, Row{1001084, TRUE},
                         Row{2, FALSE}, Row{6, FALSE}, Row{1001083, FALSE}, Row{-1, FALSE}}) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(PluginMessage(row.id, nullptr), row.answer);
  }
  // Message 1 loads the string table of the plug-in folder.
  EXPECT_TRUE(PluginMessage(C4DPL_INIT_SYS, nullptr));
  const std::filesystem::path empty = FreshTestFolder("plugin_main");
  standin::SetPluginPath(Filename(empty.string().c_str()));
  standin::SetDebugSink([](const std::string&) {});
  EXPECT_FALSE(PluginMessage(C4DPL_INIT_SYS, nullptr));
  standin::SetDebugSink(nullptr);
  std::filesystem::remove_all(empty);
}

TEST_F(PluginMain, OlderHostShowsWhyAndRegistersNothing) {
  standin::SetHostVersion(11999);
  EXPECT_FALSE(PluginStart());
  EXPECT_EQ(console, Lines{"Thinfold needs Cinema 4D 12.0 or newer and stays inactive."});
  EXPECT_EQ(standin::FindCommandPlugin(ID_THINFOLD), nullptr);

  console.clear();
  standin::SetHostVersion(12000);
  EXPECT_TRUE(PluginStart());
  EXPECT_EQ(console, Lines{kLoaded});
  const standin::CommandPluginInfo* command = standin::FindCommandPlugin(ID_THINFOLD);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->name.ToUtf8(), "#$1 Thinfold");
  EXPECT_EQ(command->help, GeLoadString(10002));
  ASSERT_NE(command->icon, nullptr);
  EXPECT_EQ(command->icon->GetBw(), 32);
  // Enabled even without a document.
  EXPECT_EQ(standin::GetCommandState(ID_THINFOLD), CMD_ENABLED);
}

TEST_F(PluginMain, FailedRegistrationIsReported) {
  ASSERT_TRUE(RegisterThinfoldDialog());
  console.clear();
  LineCapture debug(LineCapture::DEBUG);
  EXPECT_FALSE(RegisterThinfoldDialog());
  EXPECT_EQ(console, Lines{"Error loading Thinfold R1.00.03"});
  EXPECT_TRUE(debug.Contains("1031250"));
}

TEST_F(PluginMain, ModuleLoadsAndWorksAsAHostUsesIt) {
  ModelDoc doc = MakeUiScene();
  SetActiveDocument(doc.get());
  ASSERT_EQ(standin::LoadPluginModule(Filename(THINFOLD_MODULE)), standin::ModuleLoad::Started);
  EXPECT_EQ(console, Lines{kLoaded});
  EXPECT_EQ(standin::GetCommandState(ID_THINFOLD), CMD_ENABLED);

  ASSERT_TRUE(standin::ExecuteCommand(ID_THINFOLD));
  GeDialog* dialog = standin::FindOpenDialog(ID_THINFOLD);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(standin::GetDialogInfo(*dialog).title.ToUtf8(), "Thinfold");
  ASSERT_TRUE(standin::PressButton(*dialog, IDC_GATHER_ALL));
  EXPECT_EQ(TreeLineNames(*DialogTree(*dialog)), UiSceneTrackNames());
  PluginMessageLog log(*dialog);
  ASSERT_TRUE(standin::PressButton(*dialog, IDC_START));
  ASSERT_TRUE(standin::PumpUntil([&] { return log.runEnds > 0; }, kUiTimeoutMs));
  EXPECT_EQ(StatusText(*dialog), GeLoadString(10048).ToUtf8());
  EXPECT_LT(KeyCount(UiTrack(doc.get(), 0)), 90);

  ASSERT_TRUE(dialog->Close());
  EXPECT_TRUE(standin::RestoreCommandLayout(ID_THINFOLD, 0, 500, 300));
  EXPECT_NE(standin::FindOpenDialog(ID_THINFOLD), nullptr);
  EXPECT_TRUE(standin::SendPluginMessage(1001084, nullptr));
  EXPECT_FALSE(standin::SendPluginMessage(4711, nullptr));
  standin::UnloadPluginModules();
  EXPECT_EQ(standin::FindOpenDialog(ID_THINFOLD), nullptr);
  EXPECT_EQ(standin::FindCommandPlugin(ID_THINFOLD), nullptr);
  EXPECT_EQ(console, Lines{kLoaded});
}

TEST_F(PluginMain, ModuleStaysInactiveInAnOlderHost) {
  standin::SetHostVersion(11999);
  EXPECT_EQ(standin::LoadPluginModule(Filename(THINFOLD_MODULE)), standin::ModuleLoad::Inactive);
  EXPECT_EQ(console, Lines{"Thinfold needs Cinema 4D 12.0 or newer and stays inactive."});
  EXPECT_EQ(standin::FindCommandPlugin(ID_THINFOLD), nullptr);
}

TEST_F(PluginMain, ModuleExportsOnlyItsEntry) {
  EXPECT_TRUE(standin::ModuleExports(Filename(THINFOLD_MODULE), "c4d_main"));
  for (const char* hidden : {"_Z11PluginStartv", "_Z13PluginMessageiPv", "functable"})
    EXPECT_FALSE(standin::ModuleExports(Filename(THINFOLD_MODULE), hidden)) << hidden;
  // The module sits in its plug-in folder, with the resources next to it.
  const std::filesystem::path folder = std::filesystem::path(THINFOLD_MODULE).parent_path();
  EXPECT_EQ(folder.filename(), "Thinfold");
  EXPECT_TRUE(std::filesystem::exists(folder / "res" / "strings.txt"));
  EXPECT_TRUE(std::filesystem::exists(folder / "res" / "dialogs" / "10003.res"));
  EXPECT_TRUE(std::filesystem::exists(folder / "res" / "IconPalette.tif"));
}

}  // namespace
