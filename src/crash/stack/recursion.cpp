#include "crash/stack/recursion.h"

namespace palvetta {
namespace {

// The nearest valid candidate outside (lower index than) index, -1 when none.
long OuterValid(std::span<const TStackCandidate> c, long index) {
  for (long i = index - 1; i >= 0; --i)
    if (c[static_cast<size_t>(i)].Valid) return i;
  return -1;
}

// Removes the inner copy of a repeated block whose innermost frame is x; false when x
// ends no echo.
bool RemoveEchoAt(std::span<TStackCandidate> c, long x) {
  const uint64_t address = c[static_cast<size_t>(x)].AfterInstr;
  long between = 0;
  long y = OuterValid(c, x);
  while (y >= 0 && c[static_cast<size_t>(y)].AfterInstr != address) {
    ++between;
    y = OuterValid(c, y);
  }
  if (y < 0) return false;
  // Walk the block between Y and X (inner to outer) alongside the block outside Y.
  long inner = OuterValid(c, x), outer = OuterValid(c, y);
  for (long k = 0; k < between; ++k) {
    if (outer < 0 || c[static_cast<size_t>(inner)].AfterInstr != c[static_cast<size_t>(outer)].AfterInstr)
      return false;
    inner = OuterValid(c, inner);
    outer = OuterValid(c, outer);
  }
  long index = x;
  for (long k = 0; k <= between; ++k) {
    const long next = OuterValid(c, index);
    c[static_cast<size_t>(index)].Valid = false;
    c[static_cast<size_t>(index)].Anchor = false;
    index = next;
  }
  return true;
}

}  // namespace

size_t RemoveRecursionEchoes(std::span<TStackCandidate> candidates) noexcept {
  size_t removed = 0;
  for (bool changed = true; changed;) {
    changed = false;
    for (long x = static_cast<long>(candidates.size()) - 1; x >= 0; --x) {
      if (!candidates[static_cast<size_t>(x)].Valid || !RemoveEchoAt(candidates, x)) continue;
      changed = true;
      ++removed;
    }
  }
  return removed;
}

}  // namespace palvetta
