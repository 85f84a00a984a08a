#pragma once
// One small owning type per kind of Windows handle: the handle is freed exactly once,
// when its owner goes, whichever way the code leaves. Nothing here allocates or throws,
// so the crash reporter can hold kernel objects in them on a faulting thread too.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <wincrypt.h>
#include <winhttp.h>

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

// TKernelTraits handles: some functions return null on failure, others INVALID_HANDLE_VALUE.
struct TKernelTraits {
  using Handle = HANDLE;
  static Handle Empty() noexcept { return nullptr; }
  static bool IsValid(Handle handle) noexcept {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
  }
  static void Free(Handle handle) noexcept { CloseHandle(handle); }
};

inline void DeleteGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void FreeLocal(void* memory) noexcept { LocalFree(memory); }
inline void FreeCoTaskMem(void* memory) noexcept { CoTaskMemFree(memory); }
inline void UnmapView(void* view) noexcept { UnmapViewOfFile(view); }
inline void CloseInternet(HINTERNET handle) noexcept { WinHttpCloseHandle(handle); }
inline void FreeCertificate(PCCERT_CONTEXT certificate) noexcept {
  CertFreeCertificateContext(certificate);
}

}  // namespace handle_traits

using TScopedKernelHandle = TScopedHandle<handle_traits::TKernelTraits>;
using TScopedRegKey = TScopedHandle<handle_traits::TNullEmptyTraits<HKEY, RegCloseKey>>;
// A font, brush, bitmap or other GDI object of the given handle type.
template <class H>
using TScopedGdiObject = TScopedHandle<handle_traits::TNullEmptyTraits<H, handle_traits::DeleteGdiObject>>;
using TScopedFont = TScopedGdiObject<HFONT>;
using TScopedBrush = TScopedGdiObject<HBRUSH>;
using TScopedBitmap = TScopedGdiObject<HBITMAP>;
// A device context made by CreateCompatibleDC or CreateDC (not one got from a window).
using TScopedDC = TScopedHandle<handle_traits::TNullEmptyTraits<HDC, DeleteDC>>;
using TScopedIcon = TScopedHandle<handle_traits::TNullEmptyTraits<HICON, DestroyIcon>>;
using TScopedImageList = TScopedHandle<handle_traits::TNullEmptyTraits<HIMAGELIST, ImageList_Destroy>>;
using TScopedMenu = TScopedHandle<handle_traits::TNullEmptyTraits<HMENU, DestroyMenu>>;
// Memory that a function allocated with LocalAlloc for its caller.
template <class T>
using TScopedLocal = TScopedHandle<handle_traits::TNullEmptyTraits<T*, handle_traits::FreeLocal>>;
// Memory that a shell or COM function allocated with CoTaskMemAlloc for its caller.
template <class T>
using TScopedCoTaskMem = TScopedHandle<handle_traits::TNullEmptyTraits<T*, handle_traits::FreeCoTaskMem>>;

// A view of a file mapping (MapViewOfFile), unmapped when its owner goes.
using TScopedMappedView = TScopedHandle<handle_traits::TNullEmptyTraits<void*, handle_traits::UnmapView>>;
// A WinHTTP session, connection or request.
using TScopedInternet = TScopedHandle<handle_traits::TNullEmptyTraits<HINTERNET, handle_traits::CloseInternet>>;
using TScopedCertificate =
    TScopedHandle<handle_traits::TNullEmptyTraits<PCCERT_CONTEXT, handle_traits::FreeCertificate>>;

// A window's device context, released to its window.
class TScopedWindowDC {
 public:
  explicit TScopedWindowDC(HWND window) noexcept : FWindow(window), FDC(GetDC(window)) {}
  ~TScopedWindowDC() {
    if (FDC) ReleaseDC(FWindow, FDC);
  }
  TScopedWindowDC(const TScopedWindowDC&) = delete;
  TScopedWindowDC& operator=(const TScopedWindowDC&) = delete;
  HDC Get() const noexcept { return FDC; }

 private:
  HWND FWindow;
  HDC FDC;
};

// Puts a GDI object into a device context and the previous one back when it goes.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) noexcept : FDC(dc), FOld(SelectObject(dc, object)) {}
  ~TSelectObject() {
    if (FOld) SelectObject(FDC, FOld);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

}  // namespace palvetta
