#include "ReductionTypes.h"

#include <cstdint>

CKeyValue::CKeyValue(const BaseTime& t, Real v) : time(SecondsToMilliseconds(t.Get())), value(v) {}

Bool SampleTimeInRange(const BaseTime& time) {
  const Real milliseconds = time.Get() * 1000.0;
  // Truncation toward zero keeps anything strictly between the LONG minimum - 1 and maximum + 1.
  return milliseconds > double(INT32_MIN) - 1.0 && milliseconds < double(INT32_MAX) + 1.0;
}

LONG SecondsToMilliseconds(Real seconds) {
  const Real milliseconds = seconds * 1000.0;
  if (milliseconds != milliseconds) return 0;
  if (milliseconds <= double(INT32_MIN)) return INT32_MIN;
  if (milliseconds >= double(INT32_MAX)) return INT32_MAX;
  return static_cast<LONG>(milliseconds);
}
