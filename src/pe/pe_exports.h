#pragma once
// The export table of a PE image: exports by name and by ordinal, forwarders, and the
// name of an export. Every read goes through TPeImage's checks.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pe/pe_image.h"

namespace palvetta {

struct TExportDirectory {
  TDataDirectory Range;  // where the table and the forwarder texts lie
  uint32_t Base = 0;     // the ordinal of the function table's first entry
  uint32_t NumberOfFunctions = 0;
  uint32_t NumberOfNames = 0;
  uint32_t AddressOfFunctions = 0;
  uint32_t AddressOfNames = 0;
  uint32_t AddressOfNameOrdinals = 0;
};

// Nothing when the image has no export table or it lies outside the bytes. The counts
// are cut to the entries the bytes have room for.
std::optional<TExportDirectory> ReadExportDirectory(const TPeImage& image) noexcept;

// The function table's entry (an RVA) at a 0-based index; 0 outside the table.
uint32_t ExportFunctionRva(const TPeImage& image, const TExportDirectory& exports, uint32_t index) noexcept;
// The function table's index of the first name equal to the name (exact comparison).
std::optional<uint32_t> ExportIndexByName(const TPeImage& image, const TExportDirectory& exports,
                                          std::string_view name) noexcept;
// The RVA of the named export; 0 when no name matches.
uint32_t ExportRvaByName(const TPeImage& image, const TExportDirectory& exports, std::string_view name) noexcept;
// The RVA of an ordinal's export; 0 when the ordinal lies outside the table.
uint32_t ExportRvaByOrdinal(const TPeImage& image, const TExportDirectory& exports, uint32_t ordinal) noexcept;

// An export whose RVA lies inside the export table's range is a forwarder: a text
// "module.function" (or "module.#ordinal") naming the export of another module.
struct TForwarder {
  std::string_view Module;    // before the first "."
  std::string_view Function;  // after it
};
bool IsForwarderRva(const TExportDirectory& exports, uint32_t rva) noexcept;
std::optional<TForwarder> ReadForwarder(const TPeImage& image, const TExportDirectory& exports, uint32_t rva) noexcept;

// The name of the first export whose RVA is the given one; when it has none, the name of
// another export at the same address, else "#" and its ordinal in decimal; empty when no
// export has that RVA.
std::string ExportNameOfRva(const TPeImage& image, const TExportDirectory& exports, uint32_t rva);

}  // namespace palvetta
