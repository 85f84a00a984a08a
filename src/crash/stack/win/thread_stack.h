#pragma once
// The stack of a thread of this process: captured into a fixed buffer (the calling
// thread's own, another thread's while it is suspended, or from a context such as a
// crash's), then resolved to modules, functions and lines and laid out as stack lines.

#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "crash/stack/stack_lines.h"
#include "crash/stack/stack_scan.h"

namespace palvetta {

// The thread's stack base from its thread information block; 0 when unknown.
uint64_t ThreadStackBase(HANDLE thread) noexcept;

// From a context of a thread whose stack base is known (a crash: the faulting thread's
// own context). No heap, no exceptions. Without unwind only the scan runs.
size_t CaptureStackFromContext(const CONTEXT& context, uint64_t stackBase, std::span<TStackCandidate> out,
                               bool unwind = true) noexcept;

// The calling thread's stack from the caller of this function.
size_t CaptureCurrentStack(std::span<TStackCandidate> out) noexcept;

// Another thread of this process, suspended while its stack is read (only scanned when
// it holds the loader lock). 0 when it cannot be suspended or its context cannot be read.
size_t CaptureThreadStack(HANDLE thread, std::span<TStackCandidate> out) noexcept;

// Module, function and line of each valid candidate, innermost first.
std::vector<TStackFrame> ResolveFrames(std::span<const TStackCandidate> candidates, bool relativeLines);

// The stack lines of a thread of this process ("" when it cannot be traced).
TStackText TraceThreadStack(DWORD threadId, const TStackLineOptions& options);

}  // namespace palvetta
