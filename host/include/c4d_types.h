// Basic scalar types, truth values and memory helpers of the host API.
#ifndef C4D_TYPES_H
#define C4D_TYPES_H

#include <cstdint>
#include <new>

typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int64_t LLONG;
typedef int64_t VLONG;
typedef double Real;
typedef float SReal;
typedef int32_t Bool;
typedef unsigned char UCHAR;
typedef char CHAR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define NOTOK (-1)

// The host's allocator never throws: a failed allocation gives null.
#define gNew new (std::nothrow)

template <class T>
inline void gDelete(T*& p) {
  delete p;
  p = nullptr;
}

// Owns one object made by T::Alloc() and released with T::Free(T*&).
template <class T>
class AutoAlloc {
 public:
  AutoAlloc() : _ptr(T::Alloc()) {}
  ~AutoAlloc() { T::Free(_ptr); }
  AutoAlloc(const AutoAlloc&) = delete;
  AutoAlloc& operator=(const AutoAlloc&) = delete;

  T* operator->() const { return _ptr; }
  T& operator*() const { return *_ptr; }
  operator T*() const { return _ptr; }
  T* Release() {
    T* p = _ptr;
    _ptr = nullptr;
    return p;
  }

 private:
  T* _ptr;
};

#endif
