// Typed entries by id, in the order in which their ids were first set.
#include "c4d_container.h"

BaseContainer::Entry* BaseContainer::Find(LONG id) {
  for (Entry& entry : _entries)
    if (entry.id == id) return &entry;
  return nullptr;
}

const BaseContainer::Entry* BaseContainer::Find(LONG id) const {
  for (const Entry& entry : _entries)
    if (entry.id == id) return &entry;
  return nullptr;
}

Bool BaseContainer::GetBool(LONG id, Bool preset) const {
  const Entry* entry = Find(id);
  return entry ? entry->data.GetBool() : preset;
}

LONG BaseContainer::GetLong(LONG id, LONG preset) const {
  const Entry* entry = Find(id);
  return entry ? entry->data.GetLong() : preset;
}

Real BaseContainer::GetReal(LONG id, Real preset) const {
  const Entry* entry = Find(id);
  return entry ? entry->data.GetReal() : preset;
}

BaseTime BaseContainer::GetTime(LONG id, const BaseTime& preset) const {
  const Entry* entry = Find(id);
  return entry ? entry->data.GetTime() : preset;
}

Vector BaseContainer::GetVector(LONG id, const Vector& preset) const {
  const Entry* entry = Find(id);
  return entry ? entry->data.GetVector() : preset;
}

String BaseContainer::GetString(LONG id, const String& preset) const {
  const Entry* entry = Find(id);
  return entry ? entry->data.GetString() : preset;
}

Filename BaseContainer::GetFilename(LONG id, const Filename& preset) const {
  const Entry* entry = Find(id);
  return entry ? entry->data.GetFilename() : preset;
}

BaseContainer BaseContainer::GetContainer(LONG id) const {
  const BaseContainer* sub = GetContainerInstance(id);
  return sub ? *sub : BaseContainer();
}

BaseContainer* BaseContainer::GetContainerInstance(LONG id) {
  Entry* entry = Find(id);
  return entry ? entry->data.GetContainer() : nullptr;
}

const BaseContainer* BaseContainer::GetContainerInstance(LONG id) const {
  const Entry* entry = Find(id);
  return entry ? entry->data.GetContainer() : nullptr;
}

const GeData* BaseContainer::GetDataPointer(LONG id) const {
  const Entry* entry = Find(id);
  return entry ? &entry->data : nullptr;
}

const GeData& BaseContainer::GetData(LONG id) const {
  static const GeData nil;
  const Entry* entry = Find(id);
  return entry ? entry->data : nil;
}

void BaseContainer::SetBool(LONG id, Bool value) { SetData(id, GeData(value != FALSE)); }
void BaseContainer::SetLong(LONG id, LONG value) { SetData(id, GeData(value)); }
void BaseContainer::SetReal(LONG id, Real value) { SetData(id, GeData(value)); }
void BaseContainer::SetTime(LONG id, const BaseTime& value) { SetData(id, GeData(value)); }
void BaseContainer::SetVector(LONG id, const Vector& value) { SetData(id, GeData(value)); }
void BaseContainer::SetString(LONG id, const String& value) { SetData(id, GeData(value)); }
void BaseContainer::SetFilename(LONG id, const Filename& value) { SetData(id, GeData(value)); }
void BaseContainer::SetContainer(LONG id, const BaseContainer& value) {
  SetData(id, GeData(value));
}

void BaseContainer::SetData(LONG id, const GeData& value) {
  if (Entry* entry = Find(id)) {
    entry->data = value;
    return;
  }
  try {
    _entries.push_back(Entry{id, value});
  } catch (...) {
    // Out of memory: the entry is not stored; the host's containers never throw.
  }
}

Bool BaseContainer::RemoveData(LONG id) {
  for (auto it = _entries.begin(); it != _entries.end(); ++it) {
    if (it->id == id) {
      _entries.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

LONG BaseContainer::GetIndexId(LONG index) const {
  if (index < 0 || index >= GetEntryCount()) return NOTOK;
  return _entries[static_cast<size_t>(index)].id;
}

Bool BaseContainer::operator==(const BaseContainer& other) const {
  if (_id != other._id || _entries.size() != other._entries.size()) return FALSE;
  for (size_t i = 0; i < _entries.size(); ++i) {
    if (_entries[i].id != other._entries[i].id) return FALSE;
    if (_entries[i].data != other._entries[i].data) return FALSE;
  }
  return TRUE;
}
