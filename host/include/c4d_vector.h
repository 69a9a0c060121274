// Three reals, used for colours and vector entries.
#ifndef C4D_VECTOR_H
#define C4D_VECTOR_H

#include "c4d_types.h"

struct Vector {
  Real x = 0.0, y = 0.0, z = 0.0;
  Vector() = default;
  Vector(Real xValue, Real yValue, Real zValue) : x(xValue), y(yValue), z(zValue) {}
  Bool operator==(const Vector& o) const { return x == o.x && y == o.y && z == o.z; }
  Bool operator!=(const Vector& o) const { return !(*this == o); }
};

#endif
