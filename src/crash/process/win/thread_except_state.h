#pragma once
// The exception state the capture saves for each thread that raised: the exception
// object, its type, the raise address and the processor context. Slots come from a fixed
// table, so saving needs no heap on the faulting thread.

#include <windows.h>

#include <typeinfo>

namespace palvetta {

struct TThreadExceptState {
  volatile DWORD OwnerThreadId;  // 0: a free slot
  const void* Object;
  const std::type_info* Type;
  const void* Address;
  CONTEXT Context;
  bool HasContext;
  // Set while another thread copies the state out, so that the owner does not change it
  // under the reader's hands.
  volatile LONG ReadInProgress;
};

// The calling thread's state, a free slot claimed for it on first use; nullptr when all
// slots are taken.
TThreadExceptState* ThreadExceptState() noexcept;
// Frees the calling thread's slot.
void ClearThreadExceptState() noexcept;

// What is known of an exception; CompleteExceptInfo fills what it can of the rest.
struct TExceptInfo {
  const void* Object = nullptr;
  const std::type_info* Type = nullptr;
  const void* Address = nullptr;
  const CONTEXT* Context = nullptr;
};
// Drops an object that is no live object, takes the type from a live one, and takes the
// context saved in the calling thread's state when that state holds the same object and
// address.
void CompleteExceptInfo(TExceptInfo& info) noexcept;

}  // namespace palvetta
