// `thinfold reduce` through the dialog.
#include "ReduceJob.h"

#include <algorithm>
#include <chrono>
#include <iostream>

#include "InterruptSignal.h"
#include "PluginIds.h"
#include "TrackNames.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

namespace {

// The dialog's refusal (DialogDriver's error) of what an option asked.
Status Refused(const std::string& option, const std::string& gadget, const Status& refusal) {
  return {option + ": the dialog's " + gadget + " " + refusal.error};
}

// Without memory to rebuild the kept curve, the deviation stays unknown.
TrackResult MeasureAgainstKept(const KeptCurve& kept, CTrack& after, LONG fps) {
  CTrack* before = kept.Rebuild();
  if (!before) {
    TrackResult result = MeasureTrack(after, after, fps);
    result.keysBefore = kept.KeyCount();
    result.maxDeviation.reset();
    return result;
  }
  TrackResult result = MeasureTrack(*before, after, fps);
  CTrack::Free(before);
  return result;
}

}  // namespace

ReduceJob::ReduceJob(DialogDriver& driver, BaseDocument& doc) : _driver(driver), _doc(doc) {}

Status ReduceJob::Gather(bool selectedOnly) {
  _tracks = ListGatheredTracks(_doc, selectedOnly);
  _kept.resize(_tracks.size());
  for (std::size_t i = 0; i < _tracks.size(); ++i)
    if (!_kept[i].Keep(*_tracks[i].track)) return {"no memory to keep the tracks for measuring"};
  const TrackNames names(_doc);
  _names.clear();
  for (const GatheredTrack& track : _tracks) _names.push_back(names.NameOf(*track.track));
  const Status pressed =
      _driver.Press(selectedOnly ? plugin_ids::kGatherSelected : plugin_ids::kGatherAll);
  if (!pressed.Ok()) return {"the dialog's gather button " + pressed.error};
  const LONG lineCount = _driver.PaintTree();
  if (lineCount != static_cast<LONG>(_tracks.size()))
    return {"the dialog's tree lists " + std::to_string(lineCount) + " tracks, the document has " +
            std::to_string(_tracks.size())};
  for (LONG line = 0; line < lineCount; ++line) {
    const std::string name = _driver.CellText(line, plugin_ids::kNameColumn);
    if (name != _tracks[line].name)
      return {"line " + std::to_string(line + 1) + " of the dialog's tree shows '" + name +
              "' where the document has '" + _tracks[line].name + "'"};
  }
  return {};
}

SettingsResult ReduceJob::ApplySettings(const SettingsChoice& choice) {
  if (_tracks.empty()) return {};
  const auto valueTrack = std::find_if(_tracks.begin(), _tracks.end(), [](const GatheredTrack& t) {
    return t.track->GetTrackCategory() == CTRACK_CATEGORY_VALUE;
  });
  if (valueTrack == _tracks.end()) {
    SelectAllLines(0);
    if (!choice.Any()) return {};
    return {"no value track was gathered: the settings have nothing to change", ""};
  }
  SelectAllLines(static_cast<LONG>(valueTrack - _tracks.begin()));
  Status applied = ApplyPrecision(choice);
  if (applied.Ok()) applied = ApplyQualityAndMethod(choice);
  if (applied.Ok()) applied = ApplyHold(choice);
  return {"", applied.error};
}

Status ReduceJob::ApplyPrecision(const SettingsChoice& choice) {
  if (!choice.precision) return {};
  const Status edited = _driver.EditReal(plugin_ids::kPrecision, *choice.precision);
  return edited.Ok() ? edited : Refused("--precision", "precision field", edited);
}

// The first selected track decides what the sub-dialog shows; the context menu's "select all"
// adds the others in one step (a click per line would repaint the tree for each).
void ReduceJob::SelectAllLines(LONG firstLine) {
  TreeViewCustomGui* tree = _driver.Tree();
  if (!tree) return;
  standin::SelectTreeLine(*tree, firstLine, SELECTION_NEW);
  standin::ChooseTreeContextMenu(*tree, firstLine, plugin_ids::kNameColumn,
                                 plugin_ids::kMenuSelectAll);
  standin::ProcessEvents();
}

// The quality box is enabled only while the first selected track's method is 0, so the quality
// goes in before the method, with method 0 chosen first when a method is given anyway.
Status ReduceJob::ApplyQualityAndMethod(const SettingsChoice& choice) {
  if (choice.quality) {
    // A refused method 0 shows as the quality box's refusal.
    if (!_driver.IsEnabled(plugin_ids::kQuality) && choice.method)
      (void)_driver.EditLong(plugin_ids::kMethod, 0);
    Status edited = _driver.EditLong(plugin_ids::kQuality, *choice.quality);
    if (!edited.Ok()) {
      if (edited.error == "is disabled")
        edited.error += " while the first track's method is 1 (add --method 0)";
      return Refused("--quality " + std::to_string(*choice.quality), "quality box", edited);
    }
  }
  if (!choice.method) return {};
  const Status edited = _driver.EditLong(plugin_ids::kMethod, *choice.method);
  return edited.Ok() ? edited
                     : Refused("--method " + std::to_string(*choice.method), "method box", edited);
}

Status ReduceJob::ApplyHold(const SettingsChoice& choice) {
  if (!choice.hold) return {};
  const Status checked = _driver.SetCheck(plugin_ids::kHold, *choice.hold);
  return checked.Ok() ? checked
                      : Refused(std::string("--hold ") + (*choice.hold ? "on" : "off"),
                                "hold check box", checked);
}

void ReduceJob::Run(ProgressDisplay& progress) {
  const auto start = std::chrono::steady_clock::now();
  // A start the dialog refuses shows in LastRunEnd.
  (void)_driver.StartRun();
  _driver.WaitForRunEnd([&] { progress.Show(_driver.StatusBar()); },
                        [&] {
                          if (!InterruptRequested()) return false;
                          progress.Finish();
                          std::cerr << "thinfold: stopping the run (Ctrl-C again quits at once)\n";
                          return true;
                        });
  progress.Finish();
  _seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  _interrupted = InterruptRequested();
  _end = _driver.LastRunEnd();
}

bool ReduceJob::StopAsked() const { return !_interrupted && InterruptRequested(); }

ReduceSummary ReduceJob::Finish() {
  ReduceSummary summary;
  summary.seconds = _seconds;
  const LONG lineCount = _driver.PaintTree();
  std::vector<std::string> texts;
  for (LONG line = 0; line < lineCount; ++line)
    texts.push_back(_driver.CellText(line, plugin_ids::kInfoColumn));
  // The run is over, so the dialog closes.
  (void)_driver.Close();
  for (std::size_t i = 0; i < _tracks.size() && !StopAsked(); ++i) {
    TrackResult result = MeasureAgainstKept(_kept[i], *_tracks[i].track, _doc.GetFps());
    result.name = _names[i];
    result.text = i < texts.size() ? texts[i] : std::string();
    result.status = StatusOfText(result.text);
    summary.tracks.push_back(std::move(result));
  }
  return summary;
}
