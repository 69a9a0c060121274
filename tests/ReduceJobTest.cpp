// The program's reduce job on the plug-in's dialog, in one process, where the work the host's
// tree view does can be counted.
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <vector>

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
    ASSERT_EQ(job.Gather(false).error, "");
    const LLONG walkedBefore = Tree().GetWalkedLineCount();
    SettingsChoice choice;
    choice.precision = 0.125;
    ASSERT_EQ(job.ApplySettings(choice).error, "");
    EXPECT_LE(Tree().GetWalkedLineCount() - walkedBefore, 10 * trackCount);
    const ReduceSummary summary = job.Finish();
    ASSERT_EQ(summary.tracks.size(), static_cast<std::size_t>(trackCount));
    for (const TrackResult& track : summary.tracks) EXPECT_EQ(track.precision, 0.125) << track.name;
  }
}

// The work of a whole job: the tree lines the host's tree view walked, the links resolved and the
// list places searched.
struct JobWork {
  const char* name;
  LLONG small, large;  // for kFewTracks and ten times as many
};

constexpr int kFewTracks = 100;

// Gathering, selecting, running, reading the tree and measuring do work linear in the tracks:
// ten times the tracks, at most about ten times the work of each kind.
TEST_F(ReduceJobOnDialog, ReducesWithWorkLinearInTheTracks) {
  const auto counts = [this] {
    const TreeViewCustomGui* tree = DialogTree(*dialog);  // none before the dialog's first layout
    return std::vector<LLONG>{tree ? tree->GetWalkedLineCount() : 0, standin::GetLinkResolveCount(),
                              standin::GetListStepCount()};
  };
  const auto reduce = [&](int trackCount) {
    OpenOn(MakeSlowScene(trackCount, 4));
    const std::vector<LLONG> before = counts();
    DialogDriver driver(*dialog);
    ReduceJob job(driver, *doc);
    EXPECT_EQ(job.Gather(false).error, "");
    EXPECT_EQ(job.ApplySettings(SettingsChoice()).error, "");
    std::ostringstream text;
    ProgressDisplay progress(ProgressDisplay::Mode::kQuiet, text);
    job.Run(progress);
    EXPECT_EQ(job.End(), RunEnd::kDone);
    EXPECT_EQ(job.Finish().tracks.size(), static_cast<std::size_t>(trackCount));
    std::vector<LLONG> work = counts();
    for (std::size_t i = 0; i < work.size(); ++i) work[i] -= before[i];
    return work;
  };
  const std::vector<LLONG> small = reduce(kFewTracks), large = reduce(10 * kFewTracks);
  const JobWork rows[] = {{"tree lines walked", small[0], large[0]},
                          {"links resolved", small[1], large[1]},
                          {"list places searched", small[2], large[2]}};
  for (const JobWork& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_LE(row.large, 12 * row.small + 10 * kFewTracks) << row.small;
  }
}

// A Ctrl-C after a run that ended by itself stops what follows: nothing more is measured (and
// the program saves nothing). One during the run is the run's own stop.
TEST_F(ReduceJobOnDialog, CtrlCAfterTheRunStopsTheMeasuring) {
  InstallInterruptHandler();
  DialogDriver driver(*dialog);
  ReduceJob job(driver, *doc);
  ASSERT_EQ(job.Gather(false).error, "");
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
