#pragma once
// Recursion echoes: a block of frames that repeats right outside an identical block is
// shown once. Works in place on the candidates' validity, outermost first.

#include <cstddef>
#include <cstdint>
#include <span>

#include "crash/stack/stack_scan.h"

namespace palvetta {

// The candidates as the echo removal sees them, index 0 outermost.
class IEchoCandidates {
 public:
  virtual ~IEchoCandidates() = default;
  virtual size_t Count() const noexcept = 0;
  virtual bool IsValid(size_t index) const noexcept = 0;
  virtual uint64_t ReturnAddress(size_t index) const noexcept = 0;
  // Takes the candidate out of the result (and any protection it had).
  virtual void Remove(size_t index) noexcept = 0;
};

// Repeats passes from the innermost candidate outwards until one removes nothing; for a
// candidate X and the nearest valid Y outside it with the same return address, the j
// valid candidates between them are compared with the j valid ones just outside Y, and
// when they match, X and the j between are removed (the inner copy). Returns the number
// of echoes removed.
size_t RemoveRecursionEchoes(IEchoCandidates& candidates) noexcept;

// The same over captured candidates: echoes lose their Valid and Anchor flags.
size_t RemoveRecursionEchoes(std::span<TStackCandidate> candidates) noexcept;

}  // namespace palvetta
