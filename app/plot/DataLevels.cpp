// Step charts of data tracks.
#include "DataLevels.h"

#include <algorithm>
#include <cstdio>

namespace {

// Level names longer than this are cut, so that the value axis keeps its room.
constexpr size_t kMaxLevelNameLength = 18;

bool IsNumber(const GeData& data) { return data.GetType() == DA_LONG || data.GetType() == DA_REAL; }

std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string DataText(const GeData& data) {
  switch (data.GetType()) {
    case DA_LONG:
    case DA_REAL:
      return NumberText(data.GetReal());
    case DA_STRING:
      return "\"" + data.GetString().ToUtf8() + "\"";
    case DA_FILENAME:
      return data.GetFilename().GetString().ToUtf8();
    case DA_VECTOR: {
      const Vector v = data.GetVector();
      return "(" + NumberText(v.x) + ", " + NumberText(v.y) + ", " + NumberText(v.z) + ")";
    }
    case DA_NIL:
      return "none";
    default:
      return "type " + std::to_string(data.GetType());
  }
}

std::string ShortText(std::string text) {
  if (text.size() <= kMaxLevelNameLength) return text;
  size_t cut = kMaxLevelNameLength - 1;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // whole UTF-8
  return text.substr(0, cut) + "…";
}

std::vector<const CKey*> KeysOf(const CCurve* curve) {
  std::vector<const CKey*> keys;
  for (LONG i = 0; curve && i < curve->GetKeyCount(); ++i) keys.push_back(curve->GetKey(i));
  return keys;
}

// Numbers stand for themselves when every key holds one; otherwise each distinct value is a
// level, numbered in order of first appearance.
class LevelMap {
 public:
  explicit LevelMap(const std::vector<const CKey*>& keys)
      : _numbers(std::all_of(keys.begin(), keys.end(),
                             [](const CKey* key) { return IsNumber(key->GetGeData()); })) {}
  double ValueOf(const GeData& data) {
    if (_numbers) return data.GetReal();
    const auto found = std::find(_levels.begin(), _levels.end(), data);
    if (found != _levels.end()) return static_cast<double>(found - _levels.begin());
    _levels.push_back(data);
    return static_cast<double>(_levels.size() - 1);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const GeData& level : _levels) names.push_back(ShortText(DataText(level)));
    return names;
  }

 private:
  bool _numbers;
  std::vector<GeData> _levels;
};

struct Steps {
  std::vector<PlotPoint> line, keys;
};

Steps StepsOf(const std::vector<const CKey*>& keys, double firstFrame, double lastFrame, LONG fps,
              LevelMap& levels) {
  Steps steps;
  for (const CKey* key : keys)
    steps.keys.push_back({key->GetTime().Get() * fps, levels.ValueOf(key->GetGeData())});
  if (steps.keys.empty()) return steps;
  steps.line.push_back({firstFrame, steps.keys.front().value});
  for (size_t i = 0; i < steps.keys.size(); ++i) {
    if (i > 0) steps.line.push_back({steps.keys[i].frame, steps.keys[i - 1].value});
    steps.line.push_back(steps.keys[i]);
  }
  steps.line.push_back({lastFrame, steps.keys.back().value});
  return steps;
}

}  // namespace

void AddDataSteps(const CCurve* before, const CCurve* after, LONG fps, CurvePlot& plot) {
  plot.stepChart = true;
  plot.unitName = "data";
  const std::vector<const CKey*> beforeKeys = KeysOf(before), afterKeys = KeysOf(after);
  std::vector<const CKey*> allKeys = beforeKeys;
  allKeys.insert(allKeys.end(), afterKeys.begin(), afterKeys.end());
  if (allKeys.empty()) return;
  const auto [first, last] =
      std::minmax_element(allKeys.begin(), allKeys.end(),
                          [](const CKey* a, const CKey* b) { return a->GetTime() < b->GetTime(); });
  const double firstFrame = (*first)->GetTime().Get() * fps;
  const double lastFrame = (*last)->GetTime().Get() * fps;
  LevelMap levels(allKeys);
  const Steps beforeSteps = StepsOf(beforeKeys, firstFrame, lastFrame, fps, levels);
  const Steps afterSteps = StepsOf(afterKeys, firstFrame, lastFrame, fps, levels);
  plot.before = beforeSteps.line;
  plot.beforeKeys = beforeSteps.keys;
  plot.after = afterSteps.line;
  plot.afterKeys = afterSteps.keys;
  plot.levelNames = levels.Names();
}
