#include "crash/process/win/thread_except_state.h"

#include "crash/process/win/live_object.h"

namespace palvetta {
namespace {

constexpr size_t kSlotCount = 64;
TThreadExceptState gSlots[kSlotCount];

TThreadExceptState* OwnSlot(DWORD self) noexcept {
  for (auto& slot : gSlots) {
    if (slot.OwnerThreadId == self) return &slot;
  }
  return nullptr;
}

}  // namespace

TThreadExceptState* ThreadExceptState() noexcept {
  const DWORD self = GetCurrentThreadId();
  if (TThreadExceptState* slot = OwnSlot(self)) return slot;
  for (auto& slot : gSlots) {
    if (InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&slot.OwnerThreadId), static_cast<LONG>(self), 0) ==
        0) {
      slot.Object = nullptr;
      slot.Type = nullptr;
      slot.Address = nullptr;
      slot.HasContext = false;
      slot.ReadInProgress = 0;
      return &slot;
    }
  }
  return nullptr;
}

void ClearThreadExceptState() noexcept {
  if (TThreadExceptState* slot = OwnSlot(GetCurrentThreadId())) {
    slot->Object = nullptr;
    slot->Type = nullptr;
    slot->Address = nullptr;
    slot->HasContext = false;
    InterlockedExchange(reinterpret_cast<volatile LONG*>(&slot->OwnerThreadId), 0);
  }
}

void CompleteExceptInfo(TExceptInfo& info) noexcept {
  if (info.Object) {
    const std::type_info* type = DynamicTypeOf(info.Object);
    if (!type) {
      info.Object = nullptr;
      info.Type = nullptr;
    } else if (!info.Type) {
      info.Type = type;
    }
  }
  if (info.Context) return;
  const TThreadExceptState* slot = OwnSlot(GetCurrentThreadId());
  if (slot && slot->HasContext && slot->Object == info.Object && slot->Address == info.Address) {
    info.Context = &slot->Context;
  }
}

}  // namespace palvetta
