// symlookup PROGRAM.exe ADDRESS...
//
// Looks up addresses (hexadecimal, as loaded at the image's preferred base) in the symbol
// map embedded in a program and prints a line per address, separated by tabs: the
// address as given, the function, the source file without folders and the line; or the
// address and "?" when the map knows nothing there.

#include <exception>
#include <optional>
#include <iostream>

#include "base/file_io.h"
#include "crash/symbols/packed_map.h"
#include "crash/symbols/pe_resources.h"
#include "tool_support.h"

int main(int argc, char** argv) {
  using namespace palvetta;
  if (argc < 3) {
    std::cerr << "usage: symlookup PROGRAM.exe ADDRESS...\n";
    return 2;
  }
  const std::string program = argv[1];
  std::string bytes;
  try {
    bytes = ReadFileBytes(PathFromUtf8(program));
  } catch (const std::exception& error) {
    std::cerr << "symlookup: " << error.what() << "\n";
    return 2;
  }
  const std::optional<TPeImage> image =
      TPeImage::Open(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), TPeLayout::plFile);
  if (!image) {
    std::cerr << "symlookup: " << program << " is no PE program\n";
    return 2;
  }
  TMapFile map;
  map.SetRanges(CodeRangesOf(*image, static_cast<uintptr_t>(image->ImageBase())));
  if (!ReadPackedDebugInfo(FindNamedResource(*image, u"SWD", u"EXCEPT"), map)) {
    std::cerr << "symlookup: " << program << " holds no readable symbol map\n";
    return 1;
  }
  int status = 0;
  for (int i = 2; i < argc; ++i) {
    const std::string text = argv[i];
    uintptr_t address = 0;
    if (!ParseAddress(text, address)) {
      std::cerr << "symlookup: not a hexadecimal address: " << text << "\n";
      status = 1;
      continue;
    }
    const TMfPublic function = map.FindPublic(address);
    const int32_t line = map.FindLine(address);
    if (!function.IsValid && line <= 0) {
      std::cout << text << "\t?\n";
      continue;
    }
    const TMfSegment segment = map.FindSegment(true, address);
    std::cout << text << '\t' << function.Name << '\t' << segment.Unit_ << '\t' << (line > 0 ? line : 0) << '\n';
  }
  return status;
}
