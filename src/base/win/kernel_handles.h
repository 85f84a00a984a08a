#pragma once
// Owners of kernel objects, registry keys, memory that LocalAlloc gave and views of file
// mappings.

#include <windows.h>

#include "base/win/scoped_handle.h"

namespace palvetta {
namespace handle_traits {

// Kernel handles: some functions return null on failure, others INVALID_HANDLE_VALUE.
struct TKernelTraits {
  using Handle = HANDLE;
  static Handle Empty() noexcept { return nullptr; }
  static bool IsValid(Handle handle) noexcept {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
  }
  static void Free(Handle handle) noexcept { CloseHandle(handle); }
};

inline void FreeLocal(void* memory) noexcept { LocalFree(memory); }
inline void UnmapView(void* view) noexcept { UnmapViewOfFile(view); }

}  // namespace handle_traits

using TScopedKernelHandle = TScopedHandle<handle_traits::TKernelTraits>;
using TScopedRegKey = TScopedHandle<handle_traits::TNullEmptyTraits<HKEY, RegCloseKey>>;
// Memory that a function allocated with LocalAlloc for its caller.
template <class T>
using TScopedLocal = TScopedHandle<handle_traits::TNullEmptyTraits<T*, handle_traits::FreeLocal>>;
// A view of a file mapping (MapViewOfFile), unmapped when its owner goes.
using TScopedMappedView = TScopedHandle<handle_traits::TNullEmptyTraits<void*, handle_traits::UnmapView>>;

}  // namespace palvetta
