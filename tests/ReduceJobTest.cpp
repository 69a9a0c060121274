// The program's reduce job on the plug-in's dialog, in one process, where the work the host's
// tree view does can be counted.
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

#include "DialogDriver.h"
#include "InterruptSignal.h"
#include "ReduceJob.h"
#include "UiDialog.h"
#include "UiScene.h"

namespace {

using ReduceJobOnDialog = UiDialogTest;

// Selecting every track for the settings walks the tree a few times, not once per track.
TEST_F(ReduceJobOnDialog, SelectsEveryTrackWithWorkLinearInTheTracks) {
  for (const int trackCount : {10, 1000}) {
    SCOPED_TRACE(trackCount);
    OpenOn(MakeSlowScene(trackCount, 4));
    DialogDriver driver(*dialog);
    ReduceJob job(driver, *doc);
    ASSERT_EQ(job.Gather(false), "");
    const LLONG walkedBefore = Tree().GetWalkedLineCount();
    SettingsChoice choice;
    choice.precision = 0.125;
    std::string notes;
    ASSERT_EQ(job.ApplySettings(choice, notes), "");
    EXPECT_LE(Tree().GetWalkedLineCount() - walkedBefore, 10 * trackCount);
    const ReduceSummary summary = job.Finish();
    ASSERT_EQ(summary.tracks.size(), static_cast<std::size_t>(trackCount));
    for (const TrackResult& track : summary.tracks) EXPECT_EQ(track.precision, 0.125) << track.name;
  }
}

// A Ctrl-C after a run that ended by itself stops what follows: nothing more is measured (and
// the program saves nothing). One during the run is the run's own stop.
TEST_F(ReduceJobOnDialog, CtrlCAfterTheRunStopsTheMeasuring) {
  InstallInterruptHandler();
  DialogDriver driver(*dialog);
  ReduceJob job(driver, *doc);
  ASSERT_EQ(job.Gather(false), "");
  std::ostringstream progressText;
  ProgressDisplay progress(ProgressDisplay::Mode::kQuiet, progressText);
  job.Run(progress);
  ASSERT_EQ(job.End(), RunEnd::kDone);
  EXPECT_FALSE(job.StopAsked());
  std::raise(SIGINT);
  EXPECT_FALSE(job.Interrupted());
  EXPECT_TRUE(job.StopAsked());
  EXPECT_TRUE(job.Finish().tracks.empty());
  ConsumeInterrupt();
}

}  // namespace
