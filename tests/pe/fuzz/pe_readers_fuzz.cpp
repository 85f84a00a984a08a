// Feeds arbitrary bytes to the PE image readers, as a file and as a loaded image. They
// must never crash or read outside the bytes, whatever the headers and tables claim, and
// every slot they report must lie inside the bytes.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "pe/pe_exports.h"
#include "pe/pe_image.h"
#include "pe/pe_imports.h"

namespace {

using namespace palvetta;

void ReadEverything(const uint8_t* data, size_t size, TPeLayout layout) {
  const auto image = TPeImage::Open(data, size, layout);
  if (!image) return;
  image->SizeOfImage();
  image->ImageBase();
  for (unsigned i = 0; i < 17; ++i) image->Directory(i);
  for (unsigned i = 0; i < image->SectionCount() && i < 64; ++i) {
    if (const auto section = image->Section(i)) image->RvaToFileOffset(section->VirtualAddress + 1);
  }
  int slots = 0;
  ForEachImportSlot(*image, [&](std::string_view, uint32_t rva) {
    if (!image->At(rva, ImportSlotSize(*image))) std::abort();
    ++slots;
  });

  const auto exports = ReadExportDirectory(*image);
  if (!exports) return;
  for (uint32_t index = 0; index < exports->NumberOfFunctions && index < 8; ++index) {
    const uint32_t rva = ExportFunctionRva(*image, *exports, index);
    ReadForwarder(*image, *exports, rva);
    const std::string name = ExportNameOfRva(*image, *exports, rva);
    if (!name.empty() && name[0] != '#') ExportIndexByName(*image, *exports, name);
  }
  ExportRvaByOrdinal(*image, *exports, exports->Base);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadEverything(data, size, TPeLayout::plFile);
  ReadEverything(data, size, TPeLayout::plLoaded);
  return 0;
}
