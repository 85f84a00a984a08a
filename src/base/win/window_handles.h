#pragma once
// Owners of GDI objects, device contexts, icons, image lists, menus and the memory shell
// functions hand out, and the scoped selection of a GDI object into a device context.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "base/win/scoped_handle.h"

namespace palvetta {
namespace handle_traits {

inline void DeleteGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void FreeCoTaskMem(void* memory) noexcept { CoTaskMemFree(memory); }

}  // namespace handle_traits

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
// Memory that a shell or COM function allocated with CoTaskMemAlloc for its caller.
template <class T>
using TScopedCoTaskMem = TScopedHandle<handle_traits::TNullEmptyTraits<T*, handle_traits::FreeCoTaskMem>>;
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
