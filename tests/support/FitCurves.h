// Seeded curves for the spline-fit and key-removal tests and benchmarks: channels like motion
// capture (a gait cycle plus noise), plateaus and spikes, as one key per frame on a curve of its
// own; and the exact state of a curve's keys, for bit-for-bit comparison. Header-only, so that
// the benchmarks can use it too.
#ifndef FIT_CURVES_H
#define FIT_CURVES_H

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "c4d.h"

// A value track of its own on a detached object, so curves are made the way the host makes them.
class FitTrack {
 public:
  FitTrack() : _object(BaseObject::Alloc()) {
    _track = CTrack::Alloc(_object, DescID(1));
    _object->InsertTrackSorted(_track);
    _curve = _track->GetCurve();
  }
  ~FitTrack() { BaseObject::Free(_object); }
  FitTrack(const FitTrack&) = delete;
  FitTrack& operator=(const FitTrack&) = delete;

  CCurve* Curve() const { return _curve; }

  CKey* Key(const BaseTime& time, double value,
            CINTERPOLATION interpolation = CINTERPOLATION_LINEAR) const {
    CKey* key = _curve->AddKey(time);
    key->SetValue(_curve, value);
    key->SetInterpolation(_curve, interpolation);
    return key;
  }

  // One key per frame, frame i at exactly i / fps, with values[i].
  void FrameKeys(LONG fps, const std::vector<double>& values,
                 CINTERPOLATION interpolation = CINTERPOLATION_LINEAR) const {
    for (size_t i = 0; i < values.size(); ++i)
      Key(BaseTime(LLONG(i), fps), values[i], interpolation);
  }

 private:
  BaseObject* _object;
  CTrack* _track;
  CCurve* _curve;
};

// Uniform in [0, 1), the same on every platform (the standard fixes mt19937, not distributions).
inline double FitUniform(std::mt19937& engine) { return engine() / 4294967296.0; }

enum class FitShape {
  kGait,      // a few harmonics of a step cycle, slow drift, white noise of the given amplitude
  kPlateaus,  // holds joined by quick ramps, with noise
  kSpikes,    // the gait with single-frame spikes of several tolerances
};

inline std::vector<double> FitChannel(FitShape shape, uint32_t seed, LONG frameCount, LONG fps,
                                      double amplitude, double noise) {
  std::mt19937 engine(seed);
  const double pi = 3.14159265358979323846;
  const double cycle = 0.8 + 0.5 * FitUniform(engine);  // seconds
  double weight[4], phase[4];
  for (int h = 0; h < 4; ++h) {
    weight[h] = amplitude * FitUniform(engine) / (h + 1);
    phase[h] = 2 * pi * FitUniform(engine);
  }
  const double offset = amplitude * (2 * FitUniform(engine) - 1);
  const double drift = 0.1 * amplitude * (2 * FitUniform(engine) - 1);
  std::vector<double> values(static_cast<size_t>(frameCount));
  double hold = offset;
  for (LONG i = 0; i < frameCount; ++i) {
    const double t = double(i) / fps;
    double value = offset + drift * t;
    for (int h = 0; h < 4; ++h)
      value += weight[h] * std::sin(2 * pi * (h + 1) * t / cycle + phase[h]);
    if (shape == FitShape::kPlateaus) {
      if (FitUniform(engine) < 2.0 / fps) hold = offset + amplitude * (2 * FitUniform(engine) - 1);
      value = hold;
    }
    if (shape == FitShape::kSpikes && FitUniform(engine) < 0.02) value += amplitude * 0.3;
    values[static_cast<size_t>(i)] = value + noise * (2 * FitUniform(engine) - 1);
  }
  return values;
}

// Everything the host keeps of a key, as bits: -0.0 and 0.0 differ, as do any two NaNs.
struct FitKeyBits {
  LLONG timeNumerator, timeDenominator;
  uint64_t value;
  LONG interpolation;
  LLONG leftNumerator, leftDenominator, rightNumerator, rightDenominator;
  uint64_t valueLeft, valueRight;
  bool operator==(const FitKeyBits& other) const = default;
};

inline std::vector<FitKeyBits> FitKeysOf(const CCurve* curve) {
  std::vector<FitKeyBits> keys;
  for (LONG i = 0; i < curve->GetKeyCount(); ++i) {
    const CKey* key = curve->GetKey(i);
    keys.push_back({key->GetTime().GetNumerator(), key->GetTime().GetDenominator(),
                    std::bit_cast<uint64_t>(key->GetValue()), LONG(key->GetInterpolation()),
                    key->GetTimeLeft().GetNumerator(), key->GetTimeLeft().GetDenominator(),
                    key->GetTimeRight().GetNumerator(), key->GetTimeRight().GetDenominator(),
                    std::bit_cast<uint64_t>(key->GetValueLeft()),
                    std::bit_cast<uint64_t>(key->GetValueRight())});
  }
  return keys;
}

#endif
