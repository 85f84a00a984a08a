#pragma once
// The per-process registry of thread names and creators, shared by every module of the
// process that carries the reporter: a small named mapping ("StackwardThreadNameBuf" and
// the process id) holds the list's mutex and head; the entries and their texts live in
// process heap blocks, so any module can read and free them.

#include <windows.h>

#include <cstdint>
#include <string>

namespace palvetta {

// Joins this module to the process's registry, making it when this module is the first;
// false when the mapping cannot be had. Every other call does nothing until then.
bool AttachThreadNames();
// Leaves the registry; the last module to leave frees the entries.
void DetachThreadNames();

// Registers, changes or removes a thread's entry. A call with any of name, creator
// address, creator thread or class name changes the entry (the fields it leaves empty
// keep their old values) or makes one; a call with none removes it. An entry needs a
// handle of the thread (the given one duplicated, else the thread opened), so that an
// ended thread's entry can be cleared: each call also drops one such entry.
void SetThreadEntry(DWORD threadId, HANDLE thread, std::u16string_view name, DWORD creatorThreadId,
                    const void* creatorAddress, std::u16string_view className);
// Names the thread in the registry and, with a debugger attached, in the debugger.
void SetThreadName(DWORD threadId, std::u16string_view name);

struct TThreadCaption {
  std::u16string Caption;
  const void* CreatorAddress = nullptr;
  DWORD CreatorThreadId = 0;
};
// The report's caption of the thread (thread_caption.h); "thread $id" when the registry
// is missing or busy for more than 50 ms.
TThreadCaption ThreadCaption(DWORD threadId, bool raw);

// The name the registry holds for the thread, without waiting more than 50 ms.
std::u16string RegisteredThreadName(DWORD threadId);

}  // namespace palvetta
