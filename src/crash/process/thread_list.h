#pragma once
// The threads of a process from the record list that NtQuerySystemInformation gives for
// its class 5 (processes and threads), in the x64 layout. The Windows build asks the
// system (win/process_facts.h); the reading is portable so that it can be checked on any
// buffer.

#include <cstddef>
#include <cstdint>

#include "crash/process/crash_types.h"

namespace palvetta {

// x64 layout: each process record is followed by its thread records.
constexpr size_t kProcessRecordSize = 256;
constexpr size_t kProcessRecordThreadCount = 4;
constexpr size_t kProcessRecordProcessId = 0x50;
constexpr size_t kThreadRecordSize = 80;
constexpr size_t kThreadRecordThreadId = 48;

// The thread ids of the process, in the list's order; empty when the list has no record
// of it. Records are followed by their next-entry offsets (0 ends the list); a record or
// thread that runs past the buffer ends the walk.
TDACardinal ThreadIdsOfProcess(const uint8_t* records, size_t size, uint64_t processId);

}  // namespace palvetta
