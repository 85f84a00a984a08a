// Feeds arbitrary bytes to the PE reader, as a file and as a loaded image. It must never
// crash or read out of bounds, and whatever it finds must lie inside the bytes.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "crash/symbols/pe_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace palvetta;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (TPeLayout layout : {TPeLayout::plFile, TPeLayout::plMapped}) {
    TPeImage image;
    if (!image.Parse(bytes, layout)) continue;
    const std::string_view found = image.FindResource(u"SWD", u"EXCEPT");
    if (!found.empty() && (found.data() < bytes.data() || found.data() + found.size() > bytes.data() + bytes.size())) {
      std::abort();
    }
    image.CodeRanges(0x140000000);
  }
  return 0;
}
