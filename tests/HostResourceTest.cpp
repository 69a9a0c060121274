// The string table, the console and debug outputs, and the host's version.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "c4d.h"
#include "c4d_standin.h"

namespace {

namespace fs = std::filesystem;

// A plug-in folder with res/strings.txt holding text; removed at the end of the test.
class PluginFolder {
 public:
  explicit PluginFolder(const std::string& text) {
    _path = fs::temp_directory_path() /
            ("thinfold-res-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(_path / "res");
    std::ofstream(_path / "res" / "strings.txt") << text;
  }
  ~PluginFolder() { fs::remove_all(_path); }
  Filename Path() const { return Filename(_path.string().c_str()); }

 private:
  fs::path _path;
};

// Collects the lines of one output while it lives.
class CapturedLines {
 public:
  explicit CapturedLines(bool debug) : _debug(debug) {
    auto sink = [this](const std::string& line) { lines.push_back(line); };
    _previous = debug ? standin::SetDebugSink(sink) : standin::SetConsoleSink(sink);
  }
  ~CapturedLines() {
    if (_debug)
      standin::SetDebugSink(_previous);
    else
      standin::SetConsoleSink(_previous);
  }
  std::vector<std::string> lines;

 private:
  bool _debug;
  standin::LineSink _previous;
};

TEST(GeResource, LoadsTableAndFillsParameter) {
  PluginFolder folder(
      "// comment line\n"
      "\n"
      "10036 \"Reducing keys...\"\n"
      "  10042 \"tracks\"   \n"
      "10050 \"Say \\\"#\\\" to C:\\\\temp # \"\r\n");
  ASSERT_TRUE(resource.Init(folder.Path()));
  EXPECT_EQ(GeLoadString(10036), String("Reducing keys..."));
  EXPECT_EQ(GeLoadString(10042), String("tracks"));
  EXPECT_EQ(GeLoadString(10050, "hi"), String("Say \"hi\" to C:\\temp # "));
  EXPECT_EQ(GeLoadString(10036, "unused"), String("Reducing keys..."));
  CapturedLines debug(true);
  EXPECT_EQ(GeLoadString(77777), String());
  EXPECT_EQ(debug.lines.size(), 1u);
}

TEST(GeResource, InitWithoutPathUsesPluginPath) {
  PluginFolder folder("1 \"one\"\n");
  standin::SetPluginPath(folder.Path());
  EXPECT_TRUE(resource.Init());
  EXPECT_EQ(GeLoadString(1), String("one"));
}

TEST(GeResource, MalformedTablesAreRefusedAndKeepTheOldTable) {
  PluginFolder good("5 \"five\"\n");
  ASSERT_TRUE(resource.Init(good.Path()));
  const char* bad[] = {
      "5 five\n",          "5 \"open\n", "\"no id\"\n", "5 \"a\" x\n", "5 \"bad \\n escape\"\n",
      "5 \"a\"\n5 \"b\"\n"};
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    PluginFolder folder(text);
    CapturedLines debug(true);
    EXPECT_FALSE(resource.Init(folder.Path()));
    EXPECT_EQ(debug.lines.size(), 1u);
  }
  CapturedLines debug(true);
  EXPECT_FALSE(resource.Init(Filename("/nonexistent/thinfold")));
  EXPECT_EQ(GeLoadString(5), String("five"));
}

TEST(GeResource, ReadsFromSeveralThreads) {
  PluginFolder folder("7 \"seven #\"\n");
  ASSERT_TRUE(resource.Init(folder.Path()));
  std::vector<std::thread> readers;
  std::vector<int> matches(4, 0);
  for (int t = 0; t < 4; ++t)
    readers.emplace_back([t, &matches] {
      for (int i = 0; i < 1000; ++i) matches[t] += GeLoadString(7, "up") == String("seven up");
    });
  for (std::thread& reader : readers) reader.join();
  EXPECT_EQ(matches, (std::vector<int>{1000, 1000, 1000, 1000}));
}

TEST(Console, LinesReachTheSink) {
  CapturedLines console(false);
  GePrint("Loaded Thinfold R1.00.03");
  GeOutString("This plug-in needs a newer host", 0);
  EXPECT_EQ(console.lines, (std::vector<std::string>{"Loaded Thinfold R1.00.03",
                                                     "This plug-in needs a newer host"}));
}

TEST(Debug, AssertionsReportFileLineAndExpression) {
  CapturedLines debug(true);
  const int* missing = NULL;
  (void)missing;
  const int line = __LINE__ + 1;
  DebugAssert((missing) != NULL);
  ASSERT_EQ(debug.lines.size(), 1u);
  EXPECT_EQ(debug.lines[0],
            std::string(__FILE__) + "(" + std::to_string(line) + "): (missing) != __null");
  GeDebugOut("value %d", 3);
  EXPECT_EQ(debug.lines[1], "value 3");
}

void SetVersionVariable(const char* value) {
#ifdef _WIN32
  _putenv_s("THINFOLD_HOST_VERSION", value);
#else
  setenv("THINFOLD_HOST_VERSION", value, 1);
#endif
}

TEST(Host, VersionFromEnvironmentThenSetter) {
  // A fresh process, so the variable is read before anything else asks for the version.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        SetVersionVariable("11500");
        std::exit(GetC4DVersion() == 11500 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  standin::SetHostVersion(13000);
  EXPECT_EQ(GetC4DVersion(), 13000);
}

TEST(Host, EventAddCounts) {
  const LONG before = standin::GetEventAddCount();
  EventAdd(EVENT_FORCEREDRAW);
  EventAdd();
  EXPECT_EQ(standin::GetEventAddCount(), before + 2);
  StopAllThreads();
}

}  // namespace
