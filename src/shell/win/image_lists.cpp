#include "shell/win/image_lists.h"

namespace palvetta {
namespace {

HIMAGELIST FromBitmap(const wchar_t* name, int size) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return nullptr;
  BITMAP info = {};
  GetObjectW(bitmap, sizeof(info), &info);
  HIMAGELIST list = nullptr;
  if (info.bmHeight > 0 && info.bmWidth >= info.bmHeight) {
    const int count = info.bmWidth / info.bmHeight;
    list = ImageList_Create(info.bmHeight, info.bmHeight, ILC_COLOR32, count, 0);
    if (list && ImageList_Add(list, bitmap, nullptr) < 0) {
      ImageList_Destroy(list);
      list = nullptr;
    }
  }
  DeleteObject(bitmap);
  if (list && size > 0 && size != info.bmHeight) {
    // Stretching keeps a wrongly sized list from clipping its pictures.
    HIMAGELIST scaled = ImageList_Create(size, size, ILC_COLOR32, ImageList_GetImageCount(list), 0);
    if (scaled) {
      for (int i = 0; i < ImageList_GetImageCount(list); ++i) {
        HICON icon = ImageList_GetIcon(list, i, ILD_NORMAL);
        ImageList_ReplaceIcon(scaled, -1, icon);
        DestroyIcon(icon);
      }
      ImageList_Destroy(list);
      list = scaled;
    }
  }
  return list;
}

}  // namespace

HIMAGELIST LoadImageStrip(const wchar_t* smallName, const wchar_t* largeName, int dpi) {
  const int size = MulDiv(16, dpi > 0 ? dpi : 96, 96);
  HIMAGELIST list = size >= 24 ? FromBitmap(largeName, size) : nullptr;
  return list ? list : FromBitmap(smallName, size);
}

}  // namespace palvetta
