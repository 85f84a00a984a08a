#include "support/png_file.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "base/win/program.h"

namespace palvetta {
namespace {

void AppendBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void AppendChunk(std::string& out, const char (&type)[5], const std::string& data) {
  AppendBigEndian(out, static_cast<uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  out += typed;
  AppendBigEndian(out, static_cast<uint32_t>(
                           crc32(0, reinterpret_cast<const Bytef*>(typed.data()),
                                 static_cast<uInt>(typed.size()))));
}

}  // namespace

COLORREF TRgbImage::At(int x, int y) const {
  const std::size_t i = (static_cast<std::size_t>(y) * Width + x) * 3;
  return RGB(Pixels.at(i), Pixels.at(i + 1), Pixels.at(i + 2));
}

std::string EncodePng(const TRgbImage& image) {
  const std::size_t rowBytes = static_cast<std::size_t>(image.Width) * 3;
  if (image.Width <= 0 || image.Height <= 0 || image.Pixels.size() != rowBytes * image.Height) {
    throw std::invalid_argument("EncodePng: the pixels do not match the size");
  }
  // Every row starts with its filter type; 0 is none.
  std::string raw;
  raw.reserve((rowBytes + 1) * image.Height);
  for (int y = 0; y < image.Height; ++y) {
    raw.push_back('\0');
    raw.append(reinterpret_cast<const char*>(image.Pixels.data()) + y * rowBytes, rowBytes);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("EncodePng: compress2 failed");
  }
  packed.resize(packedSize);

  std::string header;
  AppendBigEndian(header, static_cast<uint32_t>(image.Width));
  AppendBigEndian(header, static_cast<uint32_t>(image.Height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, filter 0, no interlace

  std::string png("\x89PNG\r\n\x1a\n", 8);
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", {});
  return png;
}

void WritePngFile(const std::filesystem::path& path, const TRgbImage& image) {
  const std::string png = EncodePng(image);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(png.data(), static_cast<std::streamsize>(png.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

namespace {

// What the device context of the window shows from its top left corner; releases it.
TRgbImage CaptureDc(HWND window, HDC screen, int width, int height) {
  TRgbImage image;
  image.Width = width;
  image.Height = height;
  if (image.Width <= 0 || image.Height <= 0) {
    ReleaseDC(window, screen);
    return image;
  }

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = image.Width;
  info.bmiHeader.biHeight = -image.Height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HDC memory = CreateCompatibleDC(screen);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  // A copy of the window DC, not PrintWindow: under Wine, PrintWindow (even with
  // PW_CLIENTONLY) renders only the window's own background and leaves its child
  // controls out, while the window DC holds what was painted, children included.
  BitBlt(memory, 0, 0, image.Width, image.Height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height * 3);
  const auto* source = static_cast<const uint8_t*>(bits);
  for (std::size_t i = 0, n = static_cast<std::size_t>(image.Width) * image.Height; i < n; ++i) {
    // The DIB holds B G R x.
    image.Pixels[i * 3] = source[i * 4 + 2];
    image.Pixels[i * 3 + 1] = source[i * 4 + 1];
    image.Pixels[i * 3 + 2] = source[i * 4];
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  ReleaseDC(window, screen);
  return image;
}

}  // namespace

TRgbImage CaptureClient(HWND window) {
  // What is still waiting to be painted (a window shown a moment ago) is painted first.
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT client = {};
  GetClientRect(window, &client);
  return CaptureDc(window, GetDC(window), client.right, client.bottom);
}

TRgbImage CaptureWindow(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  return CaptureDc(window, GetWindowDC(window), bounds.right - bounds.left,
                   bounds.bottom - bounds.top);
}

TRgbImage CaptureRepainted(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return CaptureClient(window);
}

int DifferentPixels(const TRgbImage& a, const TRgbImage& b) {
  if (a.Width != b.Width || a.Height != b.Height) return std::max(a.Width * a.Height, b.Width * b.Height);
  int count = 0;
  for (int y = 0; y < a.Height; ++y) {
    for (int x = 0; x < a.Width; ++x) count += a.At(x, y) != b.At(x, y) ? 1 : 0;
  }
  return count;
}

std::filesystem::path ScreenshotFolder() {
  std::filesystem::path folder = std::filesystem::path(ProgramPath()).parent_path() / "screenshots";
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace palvetta
