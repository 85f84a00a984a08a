#pragma once
// The import tables of a PE image: every slot of every import address table, the
// places that hold the addresses of imported functions once the loader has filled them.

#include <cstdint>
#include <functional>
#include <string_view>

#include "pe/pe_image.h"

namespace palvetta {

// The width of a slot: 8 bytes in a PE32+ image, 4 in a PE32 one.
inline uint32_t ImportSlotSize(const TPeImage& image) noexcept { return image.IsPe32Plus() ? 8 : 4; }

// Calls visit with the imported module's name and the RVA of each slot, descriptor by
// descriptor, until the descriptor whose name is 0. Answers false when the table is
// invalid: a descriptor or slot outside the bytes, an address table that starts outside
// the image, or more descriptors or slots than the bytes have room for (the walk stops
// there).
bool ForEachImportSlot(const TPeImage& image,
                       const std::function<void(std::string_view module, uint32_t slotRva)>& visit);

}  // namespace palvetta
