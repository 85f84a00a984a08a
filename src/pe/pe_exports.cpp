#include "pe/pe_exports.h"

#include <algorithm>

namespace palvetta {

std::optional<TExportDirectory> ReadExportDirectory(const TPeImage& image) noexcept {
  const TDataDirectory range = image.Directory(kExportDirectory);
  if (range.Rva == 0 || range.Size == 0) return std::nullopt;
  const uint32_t at = range.Rva;
  const auto base = image.U32At(at + 16);
  const auto functions = image.U32At(at + 20);
  const auto names = image.U32At(at + 24);
  const auto functionTable = image.U32At(at + 28);
  const auto nameTable = image.U32At(at + 32);
  const auto ordinalTable = image.U32At(at + 36);
  if (!base || !functions || !names || !functionTable || !nameTable || !ordinalTable) return std::nullopt;
  // Each entry takes 4 bytes of its own, so no more of them can be whole in the bytes;
  // without this bound, sections sharing file bytes would keep a walk going for ever.
  const auto bounded = [&](uint32_t count) { return static_cast<uint32_t>(std::min<size_t>(count, image.Size() / 4)); };
  return TExportDirectory{range, *base, bounded(*functions), bounded(*names), *functionTable, *nameTable, *ordinalTable};
}

uint32_t ExportFunctionRva(const TPeImage& image, const TExportDirectory& exports, uint32_t index) noexcept {
  if (index >= exports.NumberOfFunctions) return 0;
  return image.U32At(exports.AddressOfFunctions + index * 4).value_or(0);
}

std::optional<uint32_t> ExportIndexByName(const TPeImage& image, const TExportDirectory& exports,
                                          std::string_view name) noexcept {
  for (uint32_t i = 0; i < exports.NumberOfNames; ++i) {
    const auto nameRva = image.U32At(exports.AddressOfNames + i * 4);
    if (!nameRva) return std::nullopt;  // the rest of the table is outside the bytes too
    const auto exportName = image.StringAt(*nameRva);
    if (!exportName || *exportName != name) continue;
    const auto index = image.U16At(exports.AddressOfNameOrdinals + i * 2);
    if (!index) return std::nullopt;
    return *index;
  }
  return std::nullopt;
}

uint32_t ExportRvaByName(const TPeImage& image, const TExportDirectory& exports, std::string_view name) noexcept {
  const auto index = ExportIndexByName(image, exports, name);
  return index ? ExportFunctionRva(image, exports, *index) : 0;
}

uint32_t ExportRvaByOrdinal(const TPeImage& image, const TExportDirectory& exports, uint32_t ordinal) noexcept {
  if (ordinal < exports.Base) return 0;
  return ExportFunctionRva(image, exports, ordinal - exports.Base);
}

bool IsForwarderRva(const TExportDirectory& exports, uint32_t rva) noexcept {
  return rva >= exports.Range.Rva && rva - exports.Range.Rva < exports.Range.Size;
}

std::optional<TForwarder> ReadForwarder(const TPeImage& image, const TExportDirectory& exports, uint32_t rva) noexcept {
  if (!IsForwarderRva(exports, rva)) return std::nullopt;
  const auto text = image.StringAt(rva);
  if (!text) return std::nullopt;
  const size_t dot = text->find('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == text->size()) return std::nullopt;
  return TForwarder{text->substr(0, dot), text->substr(dot + 1)};
}

namespace {

// The first name whose export the predicate picks by its function index.
template <typename Picks>
std::optional<std::string_view> FirstNameOf(const TPeImage& image, const TExportDirectory& exports, Picks picks) {
  for (uint32_t i = 0; i < exports.NumberOfNames; ++i) {
    const auto index = image.U16At(exports.AddressOfNameOrdinals + i * 2);
    if (!index) break;
    if (!picks(*index)) continue;
    const auto nameRva = image.U32At(exports.AddressOfNames + i * 4);
    const auto name = nameRva ? image.StringAt(*nameRva) : std::nullopt;
    if (name) return name;
  }
  return std::nullopt;
}

}  // namespace

std::string ExportNameOfRva(const TPeImage& image, const TExportDirectory& exports, uint32_t rva) {
  for (uint32_t index = 0; index < exports.NumberOfFunctions; ++index) {
    const auto entry = image.U32At(exports.AddressOfFunctions + index * 4);
    if (!entry) return {};
    if (*entry != rva) continue;
    if (const auto name = FirstNameOf(image, exports, [&](uint32_t named) { return named == index; }))
      return std::string(*name);
    // Nameless: another export at the same address may have a name.
    const auto alias = FirstNameOf(image, exports, [&](uint32_t named) {
      const auto aliasEntry = named < exports.NumberOfFunctions
                                  ? image.U32At(exports.AddressOfFunctions + named * 4u)
                                  : std::nullopt;
      return aliasEntry && *aliasEntry == rva;
    });
    if (alias) return std::string(*alias);
    return "#" + std::to_string(uint64_t{index} + exports.Base);
  }
  return {};
}

}  // namespace palvetta
