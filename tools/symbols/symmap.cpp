// symmap PROGRAM.exe OUT.swd NM OBJDUMP
//
// Makes the packed symbol map of a linked program from its symbols and DWARF line table
// (read with the given binutils), for a second link to embed as its "SWD" "EXCEPT"
// resource. The addresses count from the program's code base, so the map fits the second
// link, whose code is the same.

#include <exception>
#include <optional>
#include <iostream>
#include <sstream>

#include "base/file_io.h"
#include "crash/symbols/pe_resources.h"
#include "symbol_import.h"
#include "tool_support.h"

int main(int argc, char** argv) {
  using namespace palvetta;
  if (argc != 5) {
    std::cerr << "usage: symmap PROGRAM.exe OUT.swd NM OBJDUMP\n";
    return 2;
  }
  try {
    const std::string program = argv[1];
    const std::string bytes = ReadFileBytes(PathFromUtf8(program));
    const std::optional<TPeImage> image =
        TPeImage::Open(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), TPeLayout::plFile);
    if (!image || !image->IsPe32Plus()) {
      std::cerr << "symmap: " << program << " is no 64-bit PE program\n";
      return 1;
    }
    TMapFile map;
    map.SetRanges(CodeRangesOf(*image, static_cast<uintptr_t>(image->ImageBase())));
    map.SetEntryPoint(static_cast<uintptr_t>(image->ImageBase()) + EntryPointRva(*image));
    std::istringstream symbols(CommandOutput(argv[3], "--defined-only", program));
    std::istringstream lines(CommandOutput(argv[4], "--dwarf=decodedline", program));
    const TImportCounts counts = ImportSymbols(symbols, lines, map);
    const std::string packed = map.Export(true, false, false);
    if (packed.empty()) {
      std::cerr << "symmap: the map of " << program << " could not be packed\n";
      return 1;
    }
    WriteFileReplacing(PathFromUtf8(argv[2]), packed);
    std::cout << "symmap: " << counts.Publics << " functions, " << counts.Lines << " lines, " << counts.Segments
              << " source ranges: " << packed.size() << " bytes\n";
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "symmap: " << error.what() << "\n";
    return 1;
  }
}
