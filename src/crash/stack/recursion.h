#pragma once
// Recursion echoes: a block of frames that repeats right outside an identical block is
// shown once. Works in place on the candidates' Valid flags, outermost first.

#include <span>

#include "crash/stack/stack_scan.h"

namespace palvetta {

// Repeats passes from the innermost candidate outwards until one removes nothing; for a
// candidate X and the nearest valid Y outside it with the same return address, the j
// valid candidates between them are compared with the j valid ones just outside Y, and
// when they match, X and the j between are marked invalid (the inner copy). Anchors
// lose their protection when they are part of an echo. Returns the number of echoes removed.
size_t RemoveRecursionEchoes(std::span<TStackCandidate> candidates) noexcept;

}  // namespace palvetta
