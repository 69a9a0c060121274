// Plug-in modules and commands of the headless host: a module is loaded with dlopen and
// started through c4d_main as a host does; its command is registered, used and destroyed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "c4d.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

namespace {

constexpr LONG kModuleCommand = 1099001;
const std::string kDataFolder = std::string(THINFOLD_ROOT) + "/tests/data/gui";

using Lines = std::vector<std::string>;

// Collects console and debug lines; unloads every module and command at the end.
class GuiPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    previousConsole =
        standin::SetConsoleSink([this](const std::string& l) { console.push_back(l); });
    previousDebug = standin::SetDebugSink([this](const std::string& l) { debug.push_back(l); });
  }
  void TearDown() override {
    standin::UnloadPluginModules();
    standin::SetConsoleSink(previousConsole);
    standin::SetDebugSink(previousDebug);
    standin::SetHostVersion(12000);
    standin::SetPluginPath(Filename());
  }
  standin::LineSink previousConsole, previousDebug;
  Lines console, debug;
};

TEST_F(GuiPlugin, LoadingRunsTheStartSequenceAndRegisters) {
  ASSERT_EQ(standin::LoadPluginModule(Filename(GUI_TEST_MODULE), Filename(kDataFolder.c_str())),
            standin::ModuleLoad::Started);
  EXPECT_EQ(console, (Lines{"module: init folder", "module: message 1", "module: start"}));
  EXPECT_EQ(GeGetPluginPath().GetString().ToUtf8(), kDataFolder);
  const standin::CommandPluginInfo* command = standin::FindCommandPlugin(kModuleCommand);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->name.ToUtf8(), "#$1 Test command");
  EXPECT_EQ(command->help.ToUtf8(), "Help text");
  // The module freed its icon after registering: the host's copy stays.
  ASSERT_NE(command->icon, nullptr);
  ASSERT_EQ(command->icon->GetBw(), 4);
  UCHAR r = 0, g = 0, b = 0;
  command->icon->GetPixel(1, 2, &r, &g, &b);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{10, 20, 30}));
}

TEST_F(GuiPlugin, HostUsesTheCommandUntilTheEnd) {
  ASSERT_EQ(standin::LoadPluginModule(Filename(GUI_TEST_MODULE), Filename(kDataFolder.c_str())),
            standin::ModuleLoad::Started);
  console.clear();
  EXPECT_EQ(standin::GetCommandState(kModuleCommand), CMD_ENABLED);
  EXPECT_TRUE(standin::ExecuteCommand(kModuleCommand));
  EXPECT_TRUE(standin::RestoreCommandLayout(kModuleCommand, 0, 500, 300));
  EXPECT_TRUE(standin::SendPluginMessage(0, nullptr));
  EXPECT_FALSE(standin::SendPluginMessage(4711, nullptr));
  standin::UnloadPluginModules();
  EXPECT_EQ(console, (Lines{"module: execute", "module: message 0", "module: message 4711",
                            "module: end", "module: command destroyed"}));
  EXPECT_EQ(standin::FindCommandPlugin(kModuleCommand), nullptr);
  EXPECT_FALSE(standin::ExecuteCommand(kModuleCommand));
  EXPECT_EQ(standin::GetCommandState(kModuleCommand), 0);
  EXPECT_FALSE(standin::SendPluginMessage(0, nullptr));
}

TEST_F(GuiPlugin, OlderHostIsRefused) {
  standin::SetHostVersion(11999);
  EXPECT_EQ(standin::LoadPluginModule(Filename(GUI_TEST_MODULE), Filename(kDataFolder.c_str())),
            standin::ModuleLoad::Refused);
  EXPECT_EQ(console, Lines{"module: init folder"});
  EXPECT_EQ(standin::FindCommandPlugin(kModuleCommand), nullptr);
}

TEST_F(GuiPlugin, MissingResourcesEndTheModuleAgain) {
  const std::filesystem::path empty =
      std::filesystem::temp_directory_path() / ("gui_plugin_" + std::to_string(::getpid()));
  std::filesystem::create_directories(empty);
  EXPECT_EQ(standin::LoadPluginModule(Filename(GUI_TEST_MODULE), Filename(empty.string().c_str())),
            standin::ModuleLoad::Refused);
  EXPECT_EQ(console, (Lines{"module: init folder", "module: message 1", "module: end"}));
  std::filesystem::remove_all(empty);
}

TEST_F(GuiPlugin, FilesThatAreNoModulesAreNotLoaded) {
  const std::string notAModule = kDataFolder + "/res/strings.txt";
  for (const std::string& path : {std::string("/nonexistent/module.so"), notAModule}) {
    SCOPED_TRACE(path);
    debug.clear();
    EXPECT_EQ(standin::LoadPluginModule(Filename(path.c_str())), standin::ModuleLoad::NotLoaded);
    ASSERT_EQ(debug.size(), 1u);
    EXPECT_NE(debug[0].find(path), std::string::npos);
  }
  EXPECT_TRUE(console.empty());
}

// Counts its own destruction, to see who owns a command.
class CountedCommand : public CommandData {
 public:
  explicit CountedCommand(int& destroyed) : _destroyed(destroyed) {}
  ~CountedCommand() override { ++_destroyed; }

 private:
  int& _destroyed;
};

TEST_F(GuiPlugin, HostOwnsCommandsEvenWhenRegistrationFails) {
  int destroyed = 0;
  EXPECT_TRUE(RegisterCommandPlugin(5001, String("One"), 0, nullptr, String(),
                                    new CountedCommand(destroyed)));
  EXPECT_FALSE(RegisterCommandPlugin(5001, String("Two"), 0, nullptr, String(),
                                     new CountedCommand(destroyed)));
  EXPECT_FALSE(RegisterCommandPlugin(0, String("Zero"), 0, nullptr, String(),
                                     new CountedCommand(destroyed)));
  EXPECT_FALSE(RegisterCommandPlugin(5002, String("None"), 0, nullptr, String(), nullptr));
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(standin::FindCommandPlugin(5001)->name.ToUtf8(), "One");
  EXPECT_EQ(standin::FindCommandPlugin(5001)->icon, nullptr);
  // The base command does nothing but answers that it can be chosen.
  EXPECT_FALSE(standin::ExecuteCommand(5001));
  EXPECT_EQ(standin::GetCommandState(5001), CMD_ENABLED);
  EXPECT_FALSE(standin::RestoreCommandLayout(5001, 0, 0, 0));
  standin::UnloadPluginModules();
  EXPECT_EQ(destroyed, 3);
}

}  // namespace
