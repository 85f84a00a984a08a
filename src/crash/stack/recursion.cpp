#include "crash/stack/recursion.h"

namespace palvetta {
namespace {

// The nearest valid candidate outside (lower index than) index, -1 when none.
long OuterValid(const IEchoCandidates& c, long index) {
  for (long i = index - 1; i >= 0; --i)
    if (c.IsValid(static_cast<size_t>(i))) return i;
  return -1;
}

uint64_t AddressOf(const IEchoCandidates& c, long index) { return c.ReturnAddress(static_cast<size_t>(index)); }

// Removes the inner copy of a repeated block whose innermost frame is x; false when x
// ends no echo.
bool RemoveEchoAt(IEchoCandidates& c, long x) {
  const uint64_t address = AddressOf(c, x);
  long between = 0;
  long y = OuterValid(c, x);
  while (y >= 0 && AddressOf(c, y) != address) {
    ++between;
    y = OuterValid(c, y);
  }
  if (y < 0) return false;
  // Walk the block between Y and X (inner to outer) alongside the block outside Y.
  long inner = OuterValid(c, x), outer = OuterValid(c, y);
  for (long k = 0; k < between; ++k) {
    if (outer < 0 || AddressOf(c, inner) != AddressOf(c, outer)) return false;
    inner = OuterValid(c, inner);
    outer = OuterValid(c, outer);
  }
  long index = x;
  for (long k = 0; k <= between; ++k) {
    const long next = OuterValid(c, index);
    c.Remove(static_cast<size_t>(index));
    index = next;
  }
  return true;
}

class TCapturedEchoes final : public IEchoCandidates {
 public:
  explicit TCapturedEchoes(std::span<TStackCandidate> candidates) noexcept : FCandidates(candidates) {}
  size_t Count() const noexcept override { return FCandidates.size(); }
  bool IsValid(size_t index) const noexcept override { return FCandidates[index].Valid; }
  uint64_t ReturnAddress(size_t index) const noexcept override { return FCandidates[index].AfterInstr; }
  void Remove(size_t index) noexcept override {
    FCandidates[index].Valid = false;
    FCandidates[index].Anchor = false;
  }

 private:
  std::span<TStackCandidate> FCandidates;
};

}  // namespace

size_t RemoveRecursionEchoes(IEchoCandidates& candidates) noexcept {
  size_t removed = 0;
  for (bool changed = true; changed;) {
    changed = false;
    for (long x = static_cast<long>(candidates.Count()) - 1; x >= 0; --x) {
      if (!candidates.IsValid(static_cast<size_t>(x)) || !RemoveEchoAt(candidates, x)) continue;
      changed = true;
      ++removed;
    }
  }
  return removed;
}

size_t RemoveRecursionEchoes(std::span<TStackCandidate> candidates) noexcept {
  TCapturedEchoes echoes(candidates);
  return RemoveRecursionEchoes(echoes);
}

}  // namespace palvetta
