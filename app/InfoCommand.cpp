// `thinfold info INPUT`.
#include "InfoCommand.h"

#include <cstdio>
#include <iostream>

#include "BvhOptions.h"
#include "BvhSkeleton.h"
#include "ExitCodes.h"
#include "PathOption.h"
#include "PluginIds.h"
#include "PrintableText.h"
#include "SceneInput.h"
#include "SceneNames.h"
#include "ScenePaths.h"
#include "TextTable.h"
#include "TrackNames.h"

namespace {

struct Totals {
  long long tracks = 0, valueTracks = 0, dataTracks = 0, keys = 0;
};

std::string CategoryText(LONG category) {
  if (category == CTRACK_CATEGORY_VALUE) return "value";
  if (category == CTRACK_CATEGORY_DATA) return "data";
  return std::to_string(category);
}

std::string UnitText(const CTrack& track) {
  if (track.GetTrackCategory() != CTRACK_CATEGORY_VALUE) return "-";
  const LONG unit = track.GetUnit(nullptr);
  return UnitName(unit) ? UnitName(unit) : std::to_string(unit);
}

std::string RealText(Real value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// Active, precision, method, quality and hold; "-" where the track has no such entry.
std::vector<std::string> SettingsCells(const CTrack& track) {
  const BaseContainer* settings =
      track.GetDataInstance()->GetContainerInstance(plugin_ids::kSettings);
  auto cell = [settings](LONG id, auto format) -> std::string {
    const GeData* data = settings ? settings->GetDataPointer(id) : nullptr;
    return data ? format(*data) : "-";
  };
  auto yesNo = [](const GeData& d) { return std::string(d.GetBool() ? "yes" : "no"); };
  auto whole = [](const GeData& d) { return std::to_string(d.GetLong()); };
  return {cell(plugin_ids::kActive, yesNo),
          cell(plugin_ids::kPrecisionEntry, [](const GeData& d) { return RealText(d.GetReal()); }),
          cell(plugin_ids::kMethodEntry, whole), cell(plugin_ids::kQualityEntry, whole),
          cell(plugin_ids::kHoldEntry, yesNo)};
}

void AddTrackRow(const std::string& name, CTrack& track, TextTable& table, Totals& totals) {
  const CCurve* curve = track.GetCurve(CC_CURVE_CURVE, FALSE);
  const LONG keyCount = curve ? curve->GetKeyCount() : 0;
  std::vector<std::string> row = {name, CategoryText(track.GetTrackCategory()), UnitText(track),
                                  std::to_string(keyCount)};
  for (std::string& cell : SettingsCells(track)) row.push_back(std::move(cell));
  table.AddRow(std::move(row));
  ++totals.tracks;
  totals.valueTracks += track.GetTrackCategory() == CTRACK_CATEGORY_VALUE;
  totals.dataTracks += track.GetTrackCategory() == CTRACK_CATEGORY_DATA;
  totals.keys += keyCount;
}

std::string TotalsLine(const Totals& totals, std::size_t elementCount) {
  const long long otherTracks = totals.tracks - totals.valueTracks - totals.dataTracks;
  return "total: " + std::to_string(elementCount) + " elements, " + std::to_string(totals.tracks) +
         " tracks (" + std::to_string(totals.valueTracks) + " value, " +
         std::to_string(totals.dataTracks) + " data, " + std::to_string(otherTracks) + " other), " +
         std::to_string(totals.keys) + " keys\n";
}

std::string VectorText(const Vector& vector) {
  return RealText(vector.x) + " " + RealText(vector.y) + " " + RealText(vector.z);
}

// The object's name indented two spaces for each parent, so that the table reads as the tree.
std::string IndentedName(const BaseObject& object) {
  std::string indent;
  for (const BaseObject* parent = object.GetUp(); parent; parent = parent->GetUp()) indent += "  ";
  return indent + object.GetName().ToUtf8();
}

// The skeletons of the objects read from BVH; empty when no object has one.
std::string JointTable(const std::vector<SceneElement>& elements) {
  TextTable table({{"JOINT", TextTable::Align::kLeft},
                   {"OFFSET", TextTable::Align::kLeft},
                   {"CHANNELS", TextTable::Align::kLeft},
                   {"END SITE", TextTable::Align::kLeft}});
  bool any = false;
  for (const SceneElement& element : elements) {
    if (!element.element->IsInstanceOf(Obase)) continue;
    const BaseObject& object = *static_cast<const BaseObject*>(element.element);
    const std::optional<JointSkeleton> skeleton = GetJointSkeleton(object);
    if (!skeleton) continue;
    std::string channels;
    for (const std::string& channel : skeleton->channels)
      channels += (channels.empty() ? "" : " ") + channel;
    table.AddRow({IndentedName(object), VectorText(skeleton->offset),
                  channels.empty() ? "-" : channels,
                  skeleton->endSite ? VectorText(*skeleton->endSite) : "-"});
    any = true;
  }
  return any ? table.Render() : std::string();
}

}  // namespace

void InfoCommand::Register(CLI::App& app) {
  _command = app.add_subcommand("info", "List the tracks of a scene or BVH file");
  _command->add_option("INPUT", _input, "Scene (.json) or BVH (.bvh) file")
      ->required()
      ->check(kNonEmptyPath);
  AddBvhImportOptions(*_command, _bvh);
}

int InfoCommand::Run() const {
  const Status usage = CheckBvhImportOptions(_bvh, {_input});
  if (!usage.Ok()) {
    std::cerr << "thinfold: " << usage.error << "\n";
    return kExitBadUsage;
  }
  const SceneReadResult read = ReadInputFile(_input, _bvh);
  if (!read.document) {
    std::cerr << "thinfold: " << read.error << "\n";
    return ReadFailureExitCode(read);
  }
  TextTable table({{"TRACK", TextTable::Align::kLeft},
                   {"CATEGORY", TextTable::Align::kLeft},
                   {"UNIT", TextTable::Align::kLeft},
                   {"KEYS", TextTable::Align::kRight},
                   {"ACTIVE", TextTable::Align::kLeft},
                   {"PRECISION", TextTable::Align::kRight},
                   {"METHOD", TextTable::Align::kRight},
                   {"QUALITY", TextTable::Align::kRight},
                   {"HOLD", TextTable::Align::kLeft}});
  Totals totals;
  const std::vector<SceneElement> elements = ListSceneElements(*read.document);
  const TrackNames names(*read.document);
  for (const SceneElement& element : elements)
    for (CTrack* track = element.element->GetFirstCTrack(); track; track = track->GetNext())
      AddTrackRow(names.NameOf(*track), *track, table, totals);
  std::cout << Printable(_input) << ": " << read.document->GetFps() << " fps\n"
            << table.Render() << TotalsLine(totals, elements.size());
  const std::string joints = JointTable(elements);
  if (!joints.empty()) std::cout << "\n" << joints;
  return kExitSuccess;
}
