#pragma once
// What the report lists share: their growth rule and a scoped lock.

#include <vector>

namespace palvetta {

// Room for 16 items first, then half as much again, when an insertion finds the list full.
template <class T>
void GrowWhenFull(std::vector<T>& items) {
  if (items.size() < items.capacity()) return;
  items.reserve(items.capacity() == 0 ? 16 : items.capacity() + items.capacity() / 2);
}

// Holds a list's Lock (with whatever the list's owner does around it) until it goes.
template <class TList>
class TListLock {
 public:
  explicit TListLock(TList& list) : FList(list) { FList.Lock(); }
  ~TListLock() { FList.Unlock(); }
  TListLock(const TListLock&) = delete;
  TListLock& operator=(const TListLock&) = delete;

 private:
  TList& FList;
};

}  // namespace palvetta
