// Typed values (GeData), file names and the host's containers of typed entries by id.
#ifndef C4D_CONTAINER_H
#define C4D_CONTAINER_H

#include <memory>
#include <vector>

#include "c4d_string.h"
#include "c4d_time.h"
#include "c4d_types.h"
#include "c4d_vector.h"

class BaseContainer;

// Type numbers of GeData::GetType.
enum {
  DA_NIL = 0,
  DA_LONG = 15,
  DA_REAL = 19,
  DA_TIME = 22,
  DA_VECTOR = 23,
  DA_STRING = 130,
  DA_FILENAME = 131,
  DA_CONTAINER = 132,
};

// A path as the host keeps it. Joining with + puts one '/' between the parts.
class Filename {
 public:
  Filename() = default;
  Filename(const String& path) : _path(path) {}
  Filename(const char* path) : _path(path) {}

  const String& GetString() const { return _path; }
  // The last part of the path (after the last '/').
  Filename GetFile() const;
  // The path without its last part.
  Filename GetDirectory() const;
  Bool Content() const { return _path.Content(); }

  Filename operator+(const Filename& part) const;
  Filename& operator+=(const Filename& part) { return *this = *this + part; }
  Bool operator==(const Filename& other) const { return _path == other._path; }
  Bool operator!=(const Filename& other) const { return _path != other._path; }

 private:
  String _path;
};

// One typed value. A truth value is a DA_LONG to the host; the stand-in remembers that it was
// given as a truth value (IsBool) so that scene files keep the distinction.
class GeData {
 public:
  GeData();
  GeData(bool value);
  GeData(LONG value);
  GeData(Real value);
  GeData(const BaseTime& value);
  GeData(const Vector& value);
  GeData(const String& value);
  GeData(const char* value);
  GeData(const Filename& value);
  GeData(const BaseContainer& value);
  GeData(const GeData& other);
  GeData& operator=(const GeData& other);
  ~GeData();

  // One of the DA_ numbers above.
  LONG GetType() const;
  Bool IsBool() const { return _kind == Kind::Bool; }

  // Readers convert between the numeric kinds (bool, long, real); any other mismatch gives the
  // neutral value of the asked type.
  Bool GetBool() const;
  LONG GetLong() const;
  Real GetReal() const;
  BaseTime GetTime() const;
  Vector GetVector() const;
  String GetString() const;
  Filename GetFilename() const;
  // Null unless the value is a container.
  const BaseContainer* GetContainer() const;
  BaseContainer* GetContainer();

  // Equal when the type numbers and the values are equal.
  Bool operator==(const GeData& other) const;
  Bool operator!=(const GeData& other) const { return !(*this == other); }

 private:
  enum class Kind { Nil, Bool, Long, Real, Time, Vector, String, Filename, Container };
  Kind _kind = Kind::Nil;
  LONG _long = 0;
  Real _real = 0.0;
  BaseTime _time;
  Vector _vector;
  String _string;
  std::unique_ptr<BaseContainer> _container;
};

// Entries keep the order in which their ids were first set.
class BaseContainer {
 public:
  BaseContainer() = default;
  explicit BaseContainer(LONG id) : _id(id) {}
  BaseContainer(const BaseContainer& other) = default;
  BaseContainer& operator=(const BaseContainer& other) = default;

  LONG GetId() const { return _id; }
  void SetId(LONG id) { _id = id; }

  // Getters give preset when the id is missing (numeric kinds convert, as GeData's readers).
  Bool GetBool(LONG id, Bool preset = FALSE) const;
  LONG GetLong(LONG id, LONG preset = 0) const;
  Real GetReal(LONG id, Real preset = 0.0) const;
  BaseTime GetTime(LONG id, const BaseTime& preset = BaseTime()) const;
  Vector GetVector(LONG id, const Vector& preset = Vector()) const;
  String GetString(LONG id, const String& preset = String()) const;
  Filename GetFilename(LONG id, const Filename& preset = Filename()) const;
  // A copy of the sub-container, or an empty one.
  BaseContainer GetContainer(LONG id) const;
  // The sub-container stored under id, or null when there is none.
  BaseContainer* GetContainerInstance(LONG id);
  const BaseContainer* GetContainerInstance(LONG id) const;
  // The entry, or null.
  const GeData* GetDataPointer(LONG id) const;
  // The entry, or a DA_NIL value.
  const GeData& GetData(LONG id) const;

  void SetBool(LONG id, Bool value);
  void SetLong(LONG id, LONG value);
  void SetReal(LONG id, Real value);
  void SetTime(LONG id, const BaseTime& value);
  void SetVector(LONG id, const Vector& value);
  void SetString(LONG id, const String& value);
  void SetFilename(LONG id, const Filename& value);
  void SetContainer(LONG id, const BaseContainer& value);
  void SetData(LONG id, const GeData& value);

  Bool RemoveData(LONG id);
  void FlushAll() { _entries.clear(); }
  LONG GetEntryCount() const { return static_cast<LONG>(_entries.size()); }
  // Id of the entry at position index in entry order, or NOTOK past the end.
  LONG GetIndexId(LONG index) const;

  // Same id, same entries in the same order.
  Bool operator==(const BaseContainer& other) const;
  Bool operator!=(const BaseContainer& other) const { return !(*this == other); }

 private:
  struct Entry {
    LONG id;
    GeData data;
  };
  Entry* Find(LONG id);
  const Entry* Find(LONG id) const;

  LONG _id = 0;
  std::vector<Entry> _entries;
};

#endif
