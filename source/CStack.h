// The work of a reduction run: an item per key list, and the locked container that the control
// thread fills and the workers empty. Despite its name, the container is first in, first out, so
// tracks are processed in the order in which they were pushed; name and order are kept as the
// plug-in's interface has them, not by mistake.
#ifndef CSTACK_H
#define CSTACK_H

#include "c4d.h"
#include "listDblList.h"

class CKeyList;

// One work item. It does not own the key list (the curve list does).
class CNodeWrapper {
 public:
  CNodeWrapper() : _kl(nullptr) {}
  CNodeWrapper(CKeyList* keyList) : _kl(keyList) {}

  CKeyList* _kl;
};

// Push and Pop are atomic with respect to each other; the spin lock is held only for one node
// allocation or release and a few pointer updates.
template <class T>
class CStack {
 public:
  CStack() = default;
  CStack(const CStack&) = delete;
  CStack& operator=(const CStack&) = delete;

  // Appends item at the back; FALSE when no memory is left for its node.
  Bool Push(const T& item) {
    _lock.Lock();
    const Bool pushed = _list.push_back(item) != _list.end();
    _lock.Unlock();
    return pushed;
  }

  // Takes the front item into *item. FALSE, with *item unchanged, when the container is empty:
  // that is how a worker learns that the work is done.
  Bool Pop(T* item) {
    DebugAssert(item);
    if (!item) return FALSE;
    _lock.Lock();
    if (_list.size() == 0) {
      _lock.Unlock();
      return FALSE;
    }
    *item = *_list.begin();
    _list.pop_front();
    _lock.Unlock();
    return TRUE;
  }

  // The number of items; read under the lock, since workers pop while the control thread asks.
  int GetSize() const {
    _lock.Lock();
    const int size = static_cast<int>(_list.size());
    _lock.Unlock();
    return size;
  }

 private:
  List<T> _list;
  mutable GeSpinlock _lock;
};

#endif
