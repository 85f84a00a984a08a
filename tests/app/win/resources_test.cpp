// The program's resources as a program linked with them sees them.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "base/win/program.h"
#include "image_indexes.h"

namespace palvetta {
namespace {

TEST(Resources, VersionComesFromTheVersionResource) {
  EXPECT_EQ(GetAppVersion(false), PALVETTA_VERSION);
  EXPECT_EQ(GetAppVersion(true), PALVETTA_VERSION ".0");
}

TEST(Resources, ManifestAsksForCommonControls6AndPerMonitorDpi) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const char* text = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  const std::string manifest(text, SizeofResource(nullptr, found));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("PerMonitorV2, PerMonitor"), std::string::npos);
}

TEST(Resources, MainIconLoadsAtEverySize) {
  for (int size : {16, 32, 48, 256}) {
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, size, size, 0);
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(static_cast<HICON>(icon));
  }
}

// Each image strip loads as a 32-bit DIB section of one row of square images, and an
// ILC_COLOR32 image list cuts it into the expected number of images. Every image has opaque
// and see-through pixels, so the alpha channel arrived and the images line up with the cut.
TEST(Resources, ImageStripsLoadAsRowsOfImagesWithAlpha) {
  struct Strip {
    const wchar_t* Name;
    const char* Label;
    int Count;
    int Size;
  };
  const Strip strips[] = {
      {L"CATALOGUE_IMAGES", "CATALOGUE_IMAGES", CatalogueImageCount, 16},
      {L"CATALOGUE_IMAGES_32", "CATALOGUE_IMAGES_32", CatalogueImageCount, 32},
      {L"TOOLBAR_IMAGES", "TOOLBAR_IMAGES", ToolbarImageCount, 16},
      {L"TOOLBAR_IMAGES_32", "TOOLBAR_IMAGES_32", ToolbarImageCount, 32},
  };
  EXPECT_EQ(CatalogueImageCount, 127);
  EXPECT_EQ(ToolbarImageCount, 10);
  for (const Strip& strip : strips) {
    SCOPED_TRACE(strip.Label);
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), strip.Name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, strip.Count * strip.Size);
    EXPECT_EQ(dib.dsBm.bmHeight, strip.Size);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);
    if (dib.dsBm.bmWidth == strip.Count * strip.Size && dib.dsBm.bmBitsPixel == 32 && dib.dsBm.bmBits) {
      const auto* pixels = static_cast<const BYTE*>(dib.dsBm.bmBits);
      for (int image = 0; image < strip.Count; ++image) {
        bool opaque = false;
        bool seeThrough = false;
        for (int y = 0; y < strip.Size; ++y)
          for (int x = 0; x < strip.Size; ++x) {
            const BYTE alpha = pixels[(y * dib.dsBm.bmWidth + image * strip.Size + x) * 4 + 3];
            opaque = opaque || alpha == 255;
            seeThrough = seeThrough || alpha < 255;
          }
        EXPECT_TRUE(opaque && seeThrough) << "image " << image;
      }
    }

    HIMAGELIST list = ImageList_Create(strip.Size, strip.Size, ILC_COLOR32, strip.Count, 0);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_Add(list, bitmap, nullptr), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), strip.Count);
    ImageList_Destroy(list);
    DeleteObject(bitmap);
  }
}

}  // namespace
}  // namespace palvetta
