#pragma once
// The owning type behind every Windows handle type of base/win: the handle is freed
// exactly once, when its owner goes, whichever way the code leaves. Nothing here
// allocates or throws, so the crash reporter can hold kernel objects in them on a faulting
// thread too. The handle types come by family, each header with only the Windows headers
// its handles need: kernel_handles.h (kernel objects, registry keys, local memory, mapped
// views), window_handles.h (GDI objects, device contexts, icons, image lists, menus, shell
// memory) and internet_handles.h (WinHTTP handles, certificates).

namespace palvetta {

// Traits: the handle type, its empty value and how to free one that is not empty.
template <class Traits>
class TScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  TScopedHandle() noexcept = default;
  explicit TScopedHandle(Handle handle) noexcept : FHandle(handle) {}
  ~TScopedHandle() { Reset(); }
  TScopedHandle(TScopedHandle&& other) noexcept : FHandle(other.Release()) {}
  TScopedHandle& operator=(TScopedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TScopedHandle(const TScopedHandle&) = delete;
  TScopedHandle& operator=(const TScopedHandle&) = delete;

  Handle Get() const noexcept { return FHandle; }
  bool IsValid() const noexcept { return Traits::IsValid(FHandle); }
  explicit operator bool() const noexcept { return IsValid(); }

  // Frees the handle held, if any, and holds the new one.
  void Reset(Handle handle = Traits::Empty()) noexcept {
    if (Traits::IsValid(FHandle)) Traits::Free(FHandle);
    FHandle = handle;
  }
  // Gives the handle up without freeing it.
  Handle Release() noexcept {
    const Handle handle = FHandle;
    FHandle = Traits::Empty();
    return handle;
  }
  // For functions that return a handle through a pointer: frees what is held first.
  Handle* Receive() noexcept {
    Reset();
    return &FHandle;
  }

 private:
  Handle FHandle = Traits::Empty();
};

namespace handle_traits {

// Handles whose empty value is null.
template <class H, auto FreeFunction>
struct TNullEmptyTraits {
  using Handle = H;
  static constexpr Handle Empty() noexcept { return nullptr; }
  static bool IsValid(Handle handle) noexcept { return handle != nullptr; }
  static void Free(Handle handle) noexcept { FreeFunction(handle); }
};

}  // namespace handle_traits
}  // namespace palvetta
