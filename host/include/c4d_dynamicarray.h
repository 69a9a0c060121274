// The host's growable array. Counts and indices are signed 64-bit. It never throws: a failed
// allocation leaves the array as it was and gives FALSE. An index outside 0..count-1 is reported
// in debug builds and reads a spare element in release builds, so bad use never touches memory
// outside the array.
#ifndef C4D_DYNAMICARRAY_H
#define C4D_DYNAMICARRAY_H

#include <cstddef>

#include "c4d_debug.h"
#include "c4d_types.h"

template <class T>
class GeDynamicArray {
 public:
  GeDynamicArray() = default;
  ~GeDynamicArray() { Free(); }
  GeDynamicArray(const GeDynamicArray&) = delete;
  GeDynamicArray& operator=(const GeDynamicArray&) = delete;

  VLONG GetCount() const { return count; }

  // Appends a copy of value.
  Bool Push(const T& value) {
    if (!Reserve(count + 1)) return FALSE;
    data[count++] = value;
    return TRUE;
  }

  // Sets the count; entries added are left as T's default construction leaves them.
  Bool ReSizeNC(VLONG newCount) {
    if (newCount < 0 || !Reserve(newCount)) return FALSE;
    count = newCount;
    return TRUE;
  }

  // Removes the entry at index; later entries move down one place.
  Bool Remove(VLONG index) {
    if (index < 0 || index >= count) return FALSE;
    for (VLONG i = index; i + 1 < count; ++i) data[i] = data[i + 1];
    --count;
    return TRUE;
  }

  // Index of the first entry equal to value, or -1.
  VLONG Find(const T& value) const {
    for (VLONG i = 0; i < count; ++i)
      if (data[i] == value) return i;
    return -1;
  }

  // Frees the storage; the count becomes 0.
  void Free() {
    delete[] data;
    data = nullptr;
    count = 0;
    capacity = 0;
  }

  T& operator[](VLONG i) {
    DebugAssert(i >= 0 && i < count);
    return (i >= 0 && i < count) ? data[i] : spare;
  }
  const T& operator[](VLONG i) const {
    DebugAssert(i >= 0 && i < count);
    return (i >= 0 && i < count) ? data[i] : spare;
  }

 private:
  Bool Reserve(VLONG wanted) {
    if (wanted <= capacity) return TRUE;
    VLONG grown = capacity < 8 ? 8 : capacity * 2;
    if (grown < wanted) grown = wanted;
    T* bigger = new (std::nothrow) T[static_cast<std::size_t>(grown)];
    if (!bigger) return FALSE;
    for (VLONG i = 0; i < count; ++i) bigger[i] = data[i];
    delete[] data;
    data = bigger;
    capacity = grown;
    return TRUE;
  }

  T* data = nullptr;
  VLONG count = 0;
  VLONG capacity = 0;
  T spare{};
};

#endif
