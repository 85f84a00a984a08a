#include "gui/win/image_lists.h"

#include <utility>

namespace palvetta {
namespace {

TScopedImageList FromBitmap(const wchar_t* name, int size) {
  const TScopedBitmap bitmap(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap) return {};
  BITMAP info = {};
  GetObjectW(bitmap.Get(), sizeof(info), &info);
  TScopedImageList list;
  if (info.bmHeight > 0 && info.bmWidth >= info.bmHeight) {
    const int count = info.bmWidth / info.bmHeight;
    list.Reset(ImageList_Create(info.bmHeight, info.bmHeight, ILC_COLOR32, count, 0));
    if (list && ImageList_Add(list.Get(), bitmap.Get(), nullptr) < 0) list.Reset();
  }
  if (list && size > 0 && size != info.bmHeight) {
    // Stretching keeps a wrongly sized list from clipping its pictures.
    const int count = ImageList_GetImageCount(list.Get());
    TScopedImageList scaled(ImageList_Create(size, size, ILC_COLOR32, count, 0));
    if (scaled) {
      for (int i = 0; i < count; ++i) {
        const TScopedIcon icon(ImageList_GetIcon(list.Get(), i, ILD_NORMAL));
        ImageList_ReplaceIcon(scaled.Get(), -1, icon.Get());
      }
      list = std::move(scaled);
    }
  }
  return list;
}

}  // namespace

TScopedImageList LoadImageStrip(const wchar_t* smallName, const wchar_t* largeName, int dpi) {
  const int size = MulDiv(16, dpi > 0 ? dpi : 96, 96);
  TScopedImageList list = size >= 24 ? FromBitmap(largeName, size) : TScopedImageList();
  return list ? std::move(list) : FromBitmap(smallName, size);
}

}  // namespace palvetta
