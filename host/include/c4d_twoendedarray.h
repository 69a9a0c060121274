// The stand-in's storage for a curve's keys: one contiguous run of elements with free room before
// the first and after the last, so that keys arriving in ascending or in descending time go in
// without moving the others; in the middle the shorter side moves. Never throws: a failed
// allocation gives FALSE and leaves the array as it was.
#ifndef C4D_TWOENDEDARRAY_H
#define C4D_TWOENDEDARRAY_H

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <type_traits>

template <class T>
class TwoEndedArray {
  static_assert(std::is_trivially_copyable_v<T>, "elements are moved as bytes");

 public:
  TwoEndedArray() = default;
  ~TwoEndedArray() { std::free(_buffer); }
  TwoEndedArray(const TwoEndedArray&) = delete;
  TwoEndedArray& operator=(const TwoEndedArray&) = delete;

  std::size_t size() const { return _size; }
  bool empty() const { return _size == 0; }
  T* data() { return _buffer + _head; }
  const T* data() const { return _buffer + _head; }
  T* begin() { return data(); }
  T* end() { return data() + _size; }
  const T* begin() const { return data(); }
  const T* end() const { return data() + _size; }
  T& operator[](std::size_t index) { return data()[index]; }
  const T& operator[](std::size_t index) const { return data()[index]; }
  T& front() { return data()[0]; }
  T& back() { return data()[_size - 1]; }
  const T& front() const { return data()[0]; }
  const T& back() const { return data()[_size - 1]; }
  // Elements moved by insertions, deletions and growth in all: the work the array did.
  std::size_t MovedCount() const { return _moved; }

  // Puts value before the element at index (index == size() appends).
  bool Insert(std::size_t index, const T& value) {
    const bool atFront = index < _size - index;
    if (!HasRoom(atFront) && !MakeRoom(atFront)) return false;
    T* first = data();
    _moved += atFront ? index : _size - index;
    if (atFront) {
      std::memmove(static_cast<void*>(first - 1), first, index * sizeof(T));
      --_head;
    } else {
      std::memmove(static_cast<void*>(first + index + 1), first + index,
                   (_size - index) * sizeof(T));
    }
    data()[index] = value;
    ++_size;
    return true;
  }

  void Erase(std::size_t index) {
    T* first = data();
    const bool atFront = index < _size - 1 - index;
    _moved += atFront ? index : _size - 1 - index;
    if (atFront) {
      std::memmove(static_cast<void*>(first + 1), first, index * sizeof(T));
      ++_head;
    } else {
      std::memmove(static_cast<void*>(first + index), first + index + 1,
                   (_size - 1 - index) * sizeof(T));
    }
    --_size;
  }

  // Room for count elements, all after the first, so that count appends move nothing.
  bool Reserve(std::size_t count) {
    if (count <= _capacity - _head) return true;
    return Reallocate(count > _size ? count : _size, 0);
  }

  // Empties the array and gives its memory back.
  void Release() {
    std::free(_buffer);
    _buffer = nullptr;
    _capacity = _head = _size = 0;
  }

 private:
  bool HasRoom(bool atFront) const { return atFront ? _head > 0 : _head + _size < _capacity; }

  // When the other side holds at least half as much free room as there are elements, the
  // elements move to share the room evenly; otherwise the buffer doubles and the side that ran
  // out gets all the new room. Either way the moves are paid for by the insertions that follow.
  bool MakeRoom(bool atFront) {
    const std::size_t free = _capacity - _size;
    if (free > 1 && free >= _size / 2) {
      const std::size_t head = free / 2;
      _moved += _size;
      std::memmove(static_cast<void*>(_buffer + head), data(), _size * sizeof(T));
      _head = head;
      return true;
    }
    const std::size_t room = _size < 8 ? 8 : _size;
    return Reallocate(_size + room, atFront ? room : 0);
  }

  bool Reallocate(std::size_t capacity, std::size_t head) {
    T* buffer = static_cast<T*>(std::malloc(capacity * sizeof(T)));
    if (!buffer) return false;
    if (_size > 0) std::memcpy(static_cast<void*>(buffer + head), data(), _size * sizeof(T));
    _moved += _size;
    std::free(_buffer);
    _buffer = buffer;
    _capacity = capacity;
    _head = head;
    return true;
  }

  T* _buffer = nullptr;
  std::size_t _capacity = 0;
  std::size_t _head = 0;  // elements before the first are free room
  std::size_t _size = 0;
  std::size_t _moved = 0;
};

#endif
