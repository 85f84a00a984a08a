#pragma once
// Just enough PNG for test pictures: 8-bit RGB, no interlacing, one IDAT chunk. Also the
// capture of a window's client area that the pictures come from, and their comparison.

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace palvetta {

struct TRgbImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Pixels;  // rows top to bottom, R G B per pixel

  COLORREF At(int x, int y) const;
};

// The PNG bytes of the image.
std::string EncodePng(const TRgbImage& image);
// Raises std::runtime_error when the file cannot be written.
void WritePngFile(const std::filesystem::path& path, const TRgbImage& image);

// The client area of the window as it is on screen, its children included.
TRgbImage CaptureClient(HWND window);
// The whole window, frame and menu bar included, from its top left corner.
TRgbImage CaptureWindow(HWND window);

// The client area after everything in it was painted afresh: what a window that paints
// right shows at any time.
TRgbImage CaptureRepainted(HWND window);
// The pixels that differ; all of them when the sizes differ.
int DifferentPixels(const TRgbImage& a, const TRgbImage& b);

// "screenshots" beside the test program, created when missing.
std::filesystem::path ScreenshotFolder();

}  // namespace palvetta
