// The status bar: what it sends to its gadget and when.
#include <gtest/gtest.h>

#include <string>

#include "CStatusBar.h"
#include "ModelDocument.h"
#include "c4d.h"
#include "c4d_standin_gui.h"

namespace {

constexpr LONG kStatusBar = 10015;

// A window with the plug-in's dialog layout, for its status bar gadget.
class StatusDialog : public GeDialog {
 public:
  Bool CreateLayout() override { return LoadDialogResource(10003, nullptr, 0); }
};

class StatusBar : public ::testing::Test {
 protected:
  void SetUp() override {
    InitModelResources();
    ASSERT_TRUE(dialog.Open(DLG_TYPE_ASYNC, 4711, -1, -1, 300, 100));
  }
  const GadgetState& Gadget() const { return dialog.FindGadget(kStatusBar)->GetState(); }
  LONG Sends() const { return Gadget().redrawCount; }
  std::string Progress() const {
    return Gadget().message.GetString(BFM_STATUSBAR_PROGRESSTXT).ToUtf8();
  }
  Real Fraction() const { return Gadget().message.GetReal(BFM_STATUSBAR_PROGRESS); }
  std::string Text() const { return Gadget().message.GetString(BFM_STATUSBAR_TXT).ToUtf8(); }

  StatusDialog dialog;
  CStatusBar bar{&dialog, kStatusBar};
};

TEST_F(StatusBar, SegmentsShareOneBar) {
  struct Row {
    const char* name;
    int segments;
    int nextSegments;
    int percent;
    const char* shown;
  };
  const Row rows[] = {
      {"one segment", 1, 0, 37, "37%"},
      {"half of the second of three", 3, 1, 50, "50%"},
      {"all of the last of three", 3, 2, 100, "100%"},
      {"floor, not rounding", 3, 0, 2, "0%"},
      {"no step beyond the last segment", 2, 5, 0, "100%"},
      {"above 100 shows 100", 1, 0, 250, "100%"},
      {"below 0 shows 0", 1, 0, -40, "0%"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    bar.StatusBarOpen(row.segments);
    for (int i = 0; i < row.nextSegments; ++i) bar.StatusBarNextSegment();
    bar.StatusBarSet(row.percent);
    EXPECT_EQ(Progress(), row.shown);
    EXPECT_DOUBLE_EQ(Fraction(), std::stoi(row.shown) / 100.0);
    EXPECT_TRUE(Gadget().message.GetBool(BFM_STATUSBAR_PROGRESSON));
    EXPECT_FALSE(Gadget().message.GetBool(BFM_STATUSBAR_PROGRESSSPIN, TRUE));
  }
}

TEST_F(StatusBar, SendsAPercentageOnlyWhenItChanges) {
  bar.StatusBarOpen(1);
  EXPECT_EQ(Sends(), 0);  // opening waits for the next message
  bar.StatusBarSet(10);
  bar.StatusBarSet(10);
  EXPECT_EQ(Sends(), 1);
  bar.StatusBarSet(11);
  EXPECT_EQ(Sends(), 2);
  // Texts are sent every time, and carry the percentage along.
  bar.StatusBarSetText(String("same"));
  bar.StatusBarSetText(String("same"));
  EXPECT_EQ(Sends(), 4);
  EXPECT_EQ(Text(), "same");
  EXPECT_EQ(Progress(), "11%");
}

TEST_F(StatusBar, ClearAndCloseForgetTheShownPercentage) {
  bar.StatusBarOpen(1);
  bar.StatusBarSet(40);
  bar.StatusBarSetText(String("busy"));
  bar.StatusBarClear();
  EXPECT_FALSE(Gadget().message.GetBool(BFM_STATUSBAR_PROGRESSON, TRUE));
  EXPECT_EQ(Progress(), "");
  EXPECT_EQ(Text(), "");
  const LONG afterClear = Sends();
  bar.StatusBarSet(40);
  EXPECT_EQ(Sends(), afterClear + 1);

  bar.StatusBarClose();
  EXPECT_EQ(Progress(), "100%");
  EXPECT_DOUBLE_EQ(Fraction(), 1.0);
  const LONG afterClose = Sends();
  bar.StatusBarSet(40);
  EXPECT_EQ(Sends(), afterClose + 1);
  EXPECT_EQ(Progress(), "40%");
}

TEST_F(StatusBar, NoSegmentsSendNothing) {
  bar.StatusBarSet(50);
  bar.StatusBarOpen(0);
  bar.StatusBarSet(50);
  EXPECT_EQ(Sends(), 0);
}

TEST(StatusBarFloor, RoundsDown) {
  EXPECT_EQ(LFloor(2.9), 2);
  EXPECT_EQ(LFloor(-0.5), -1);
  EXPECT_EQ(LFloor(3.0), 3);
}

}  // namespace
