// Small documents for the model tests: objects, tags and materials with value and data tracks
// whose keys are given directly, plus readers that capture a curve's keys for exact comparison.
#ifndef MODEL_DOCUMENT_H
#define MODEL_DOCUMENT_H

#include <memory>
#include <string>
#include <vector>

#include "c4d.h"

struct ModelDocDeleter {
  void operator()(BaseDocument* doc) const { BaseDocument::Free(doc); }
};
// A document the test owns.
using ModelDoc = std::unique_ptr<BaseDocument, ModelDocDeleter>;

// A new empty document at fps frames per second.
ModelDoc MakeDocument(LONG fps = 30);

BaseObject* AddObject(BaseDocument* doc, const char* name, BaseObject* parent = nullptr);
BaseTag* AddTag(BaseObject* object, const char* name);
BaseMaterial* AddMaterial(BaseDocument* doc, const char* name);

// A track with an (empty) curve on owner; id orders tracks of one owner.
CTrack* AddTrack(BaseList2D* owner, const char* name, LONG category = CTRACK_CATEGORY_VALUE,
                 LONG id = 1000, LONG unit = DESC_UNIT_REAL);
// A track without a curve.
CTrack* AddTrackWithoutCurve(BaseList2D* owner, const char* name, LONG id = 1000);

// Keys at frames 0, 1, 2, ... with the given values.
void AddValueKeys(CTrack* track, LONG fps, const std::vector<double>& values,
                  CINTERPOLATION interpolation = CINTERPOLATION_LINEAR);
CKey* AddValueKey(CTrack* track, const BaseTime& time, double value,
                  CINTERPOLATION interpolation = CINTERPOLATION_LINEAR);
// Data keys at frames 0, 1, 2, ... with the given data.
void AddDataKeys(CTrack* track, LONG fps, const std::vector<GeData>& data,
                 CINTERPOLATION interpolation = CINTERPOLATION_LINEAR);

// Everything the host keeps of one key, for comparing curves exactly.
struct KeyState {
  LLONG timeNumerator, timeDenominator;
  double value;
  LONG dataType;
  LONG interpolation;
  LLONG leftTimeNumerator, leftTimeDenominator, rightTimeNumerator, rightTimeDenominator;
  double valueLeft, valueRight;
  bool operator==(const KeyState& other) const = default;
};
std::vector<KeyState> ReadKeys(CTrack* track);
std::vector<double> ReadValues(CTrack* track);
LONG KeyCount(CTrack* track);

// Names of the tracks in order, "Owner.Track".
std::vector<std::string> TrackNames(const GeDynamicArray<CTrack*>* tracks);

// Loads the string table and points the plug-in path at the repository.
void InitModelResources();

// Collects console lines (GePrint) or debug lines (assertions) while it lives.
class LineCapture {
 public:
  enum Channel { CONSOLE, DEBUG };
  explicit LineCapture(Channel channel);
  ~LineCapture();
  LineCapture(const LineCapture&) = delete;
  LineCapture& operator=(const LineCapture&) = delete;
  const std::vector<std::string>& Lines() const { return *_lines; }
  bool Contains(const std::string& part) const;

 private:
  Channel _channel;
  std::shared_ptr<std::vector<std::string>> _lines;
};

#endif
