// One typed value of a container.
#include <cmath>
#include <limits>

#include "c4d_container.h"

GeData::GeData() = default;
GeData::GeData(bool value) : _kind(Kind::Bool), _long(value ? 1 : 0) {}
GeData::GeData(LONG value) : _kind(Kind::Long), _long(value) {}
GeData::GeData(Real value) : _kind(Kind::Real), _real(value) {}
GeData::GeData(const BaseTime& value) : _kind(Kind::Time), _time(value) {}
GeData::GeData(const Vector& value) : _kind(Kind::Vector), _vector(value) {}
GeData::GeData(const String& value) : _kind(Kind::String), _string(value) {}
GeData::GeData(const char* value) : _kind(Kind::String), _string(value) {}
GeData::GeData(const Filename& value) : _kind(Kind::Filename), _string(value.GetString()) {}
GeData::GeData(const BaseContainer& value)
    : _kind(Kind::Container), _container(new (std::nothrow) BaseContainer(value)) {
  if (!_container) _kind = Kind::Nil;
}
GeData::GeData(const GeData& other) { *this = other; }
GeData::~GeData() = default;

GeData& GeData::operator=(const GeData& other) {
  if (this == &other) return *this;
  _kind = other._kind;
  _long = other._long;
  _real = other._real;
  _time = other._time;
  _vector = other._vector;
  _string = other._string;
  _container.reset();
  if (other._container) {
    _container.reset(new (std::nothrow) BaseContainer(*other._container));
    if (!_container) _kind = Kind::Nil;
  }
  return *this;
}

LONG GeData::GetType() const {
  switch (_kind) {
    case Kind::Bool:
    case Kind::Long:
      return DA_LONG;
    case Kind::Real:
      return DA_REAL;
    case Kind::Time:
      return DA_TIME;
    case Kind::Vector:
      return DA_VECTOR;
    case Kind::String:
      return DA_STRING;
    case Kind::Filename:
      return DA_FILENAME;
    case Kind::Container:
      return DA_CONTAINER;
    case Kind::Nil:
      break;
  }
  return DA_NIL;
}

Bool GeData::GetBool() const {
  if (_kind == Kind::Bool || _kind == Kind::Long) return _long != 0;
  if (_kind == Kind::Real) return _real != 0.0;
  return FALSE;
}

LONG GeData::GetLong() const {
  if (_kind == Kind::Bool || _kind == Kind::Long) return _long;
  if (_kind != Kind::Real || std::isnan(_real)) return 0;
  // Truncates toward zero like a cast, clamped so that the conversion is defined.
  const double limit = std::numeric_limits<LONG>::max();
  if (_real >= limit) return std::numeric_limits<LONG>::max();
  if (_real <= -limit - 1.0) return std::numeric_limits<LONG>::min();
  return static_cast<LONG>(_real);
}

Real GeData::GetReal() const {
  if (_kind == Kind::Bool || _kind == Kind::Long) return static_cast<Real>(_long);
  return _kind == Kind::Real ? _real : 0.0;
}

BaseTime GeData::GetTime() const { return _kind == Kind::Time ? _time : BaseTime(); }

Vector GeData::GetVector() const { return _kind == Kind::Vector ? _vector : Vector(); }

String GeData::GetString() const { return _kind == Kind::String ? _string : String(); }

Filename GeData::GetFilename() const {
  return _kind == Kind::Filename ? Filename(_string) : Filename();
}

const BaseContainer* GeData::GetContainer() const {
  return _kind == Kind::Container ? _container.get() : nullptr;
}

BaseContainer* GeData::GetContainer() {
  return _kind == Kind::Container ? _container.get() : nullptr;
}

Bool GeData::operator==(const GeData& other) const {
  if (GetType() != other.GetType()) return FALSE;
  switch (_kind) {
    case Kind::Bool:
    case Kind::Long:
      return _long == other._long;
    case Kind::Real:
      return _real == other._real;
    case Kind::Time:
      return _time == other._time;
    case Kind::Vector:
      return _vector == other._vector;
    case Kind::String:
    case Kind::Filename:
      return _string == other._string;
    case Kind::Container:
      return *_container == *other._container;
    case Kind::Nil:
      break;
  }
  return TRUE;
}
