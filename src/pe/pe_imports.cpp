#include "pe/pe_imports.h"

namespace palvetta {
namespace {

constexpr uint32_t kDescriptorSize = 20;

std::optional<uint64_t> SlotValue(const TPeImage& image, uint32_t rva) noexcept {
  if (image.IsPe32Plus()) return image.U64At(rva);
  const auto value = image.U32At(rva);
  return value ? std::optional<uint64_t>(*value) : std::nullopt;
}

}  // namespace

bool ForEachImportSlot(const TPeImage& image,
                       const std::function<void(std::string_view module, uint32_t slotRva)>& visit) {
  const TDataDirectory directory = image.Directory(kImportDirectory);
  if (directory.Rva == 0) return true;  // imports nothing
  const uint32_t imageSize = image.SizeOfImage();
  const uint32_t slotSize = ImportSlotSize(image);
  // Descriptors and slots each take bytes of their own, so the tables cannot hold more
  // of them than the bytes have room for. Without this bound, sections that share file
  // bytes under a huge SizeOfImage make the walk read the same bytes for ever.
  size_t descriptorsLeft = image.Size() / kDescriptorSize;
  size_t slotsLeft = image.Size() / slotSize;
  for (uint64_t descriptor = directory.Rva;; descriptor += kDescriptorSize) {
    if (descriptor > UINT32_MAX - kDescriptorSize || descriptorsLeft-- == 0) return false;
    const auto name = image.U32At(static_cast<uint32_t>(descriptor) + 12);
    const auto firstThunk = image.U32At(static_cast<uint32_t>(descriptor) + 16);
    if (!name || !firstThunk) return false;
    if (*name == 0) return true;
    if (*firstThunk >= imageSize) return false;
    const std::string_view module = image.StringAt(*name).value_or(std::string_view());
    for (uint64_t slot = *firstThunk; slot + slotSize <= imageSize; slot += slotSize) {
      const auto value = SlotValue(image, static_cast<uint32_t>(slot));
      if (!value) return false;
      if (*value == 0) break;
      if (slotsLeft-- == 0) return false;
      visit(module, static_cast<uint32_t>(slot));
    }
  }
}

}  // namespace palvetta
