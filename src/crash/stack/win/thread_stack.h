#pragma once
// The stack of a thread of this process: captured into a fixed buffer (the calling
// thread's own, another thread's while it is suspended, or from a context such as a
// crash's), then analysed, named and laid out as stack lines by the process's one tracer.

#include <windows.h>

#include <cstddef>
#include <span>

#include "crash/stack/prepared_stack.h"
#include "crash/stack/stack_lines.h"
#include "crash/stack/stack_scan.h"
#include "crash/stack/stack_tracer.h"

namespace palvetta {

// The thread's stack base from its thread information block; 0 when unknown.
uint64_t ThreadStackBase(HANDLE thread) noexcept;

// From a context of a thread whose stack base is known (a crash: the faulting thread's
// own context). No heap, no exceptions. Without unwind only the scan runs. The last
// candidate is the context's current address.
size_t CaptureStackFromContext(const CONTEXT& context, uint64_t stackBase, std::span<TStackCandidate> out,
                               bool unwind = true) noexcept;

// The calling thread's stack from the caller of this function.
size_t CaptureCurrentStack(std::span<TStackCandidate> out) noexcept;

// Another thread of this process, suspended while its stack is read (only scanned when
// it holds the loader lock). 0 when it cannot be suspended or its context cannot be read.
size_t CaptureThreadStack(HANDLE thread, std::span<TStackCandidate> out) noexcept;

// Analyses a capture of the functions above (outermost first, the last valid candidate
// being the current address). The request's Collected and CurrentAddress are filled from
// it. Traces run one at a time: the process's caches are shared.
TTraceResult AnalyseCapturedStack(std::span<const TStackCandidate> captured, TTraceRequest request);

// Analyses a prepared stack taken where an exception was raised; the request gives the
// current address (the exception's).
TTraceResult AnalysePreparedStack(std::span<const TPreparedEntry> prepared, TTraceRequest request);

// Captures and analyses a thread of this process (nothing when it cannot be traced).
TTraceResult TraceThreadStack(DWORD threadId, const TTraceRequest& request);
TStackText TraceThreadStack(DWORD threadId, const TStackLineOptions& options);

// Forgets every analysed module and function.
void ClearStackTracerCaches();

}  // namespace palvetta
