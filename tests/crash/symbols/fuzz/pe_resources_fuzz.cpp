// Feeds arbitrary bytes to the resource reader and the code ranges, as a file and as a
// loaded image. They must never crash or read out of bounds, and a resource found must
// lie inside the bytes.

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "crash/symbols/pe_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace palvetta;
  for (TPeLayout layout : {TPeLayout::plFile, TPeLayout::plLoaded}) {
    const std::optional<TPeImage> image = TPeImage::Open(data, size, layout);
    if (!image) continue;
    const std::string_view found = FindNamedResource(*image, u"SWD", u"EXCEPT");
    const auto* start = reinterpret_cast<const uint8_t*>(found.data());
    if (!found.empty() && (start < data || start + found.size() > data + size)) std::abort();
    CodeRangesOf(*image, 0x140000000);
  }
  return 0;
}
