// The program's resources as a program linked with them sees them.

#include <windows.h>

#include <gtest/gtest.h>

#include "model/win/procs_win.h"

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

}  // namespace
}  // namespace palvetta
