#pragma once
// What the symbol maps need of a PE image beyond the readers of pe/: the bytes
// of a named resource (in a file as well as loaded), and where code and data lie.

#include <cstdint>
#include <string_view>

#include "crash/symbols/map_file.h"
#include "pe/pe_image.h"

namespace palvetta {

// The data of the first language of the resource with that type and name (both named
// resources, compared ignoring case); empty when there is none or it does not lie
// wholly inside the image's bytes.
std::string_view FindNamedResource(const TPeImage& image, std::u16string_view type, std::u16string_view name);

// Where code and data lie when the image is loaded at hInstance: the first section when
// it holds code (to the end of the second when that holds code too), else the headers'
// code base and size; data from the first section holding data (PE32: the headers' data
// base), its top after the initialized and uninitialized data's sizes.
TCodeRanges CodeRangesOf(const TPeImage& image, uintptr_t hInstance);

// The headers' entry point, relative to the image base.
uint32_t EntryPointRva(const TPeImage& image);

}  // namespace palvetta
