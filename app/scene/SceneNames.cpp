// The names scene files give to units and interpolations.
#include "SceneNames.h"

namespace {

struct UnitEntry {
  LONG unit;
  const char* name;
};
constexpr UnitEntry kUnits[] = {{DESC_UNIT_REAL, "real"},
                                {DESC_UNIT_METER, "distance"},
                                {DESC_UNIT_DEGREE, "degree"},
                                {DESC_UNIT_PERCENT, "percent"}};

struct InterpolationEntry {
  CINTERPOLATION interpolation;
  const char* name;
};
constexpr InterpolationEntry kInterpolations[] = {{CINTERPOLATION_SPLINE, "spline"},
                                                  {CINTERPOLATION_LINEAR, "linear"},
                                                  {CINTERPOLATION_STEP, "step"}};

}  // namespace

const char* UnitName(LONG unit) {
  for (const UnitEntry& entry : kUnits)
    if (entry.unit == unit) return entry.name;
  return nullptr;
}

bool UnitFromName(const std::string& name, LONG& unit) {
  for (const UnitEntry& entry : kUnits)
    if (name == entry.name) {
      unit = entry.unit;
      return true;
    }
  return false;
}

const char* InterpolationName(CINTERPOLATION interpolation) {
  for (const InterpolationEntry& entry : kInterpolations)
    if (entry.interpolation == interpolation) return entry.name;
  return nullptr;
}

bool InterpolationFromName(const std::string& name, CINTERPOLATION& interpolation) {
  for (const InterpolationEntry& entry : kInterpolations)
    if (name == entry.name) {
      interpolation = entry.interpolation;
      return true;
    }
  return false;
}
