#include "app/item_filter.h"

#include "base/text.h"

namespace palvetta {

bool TItemFilter::Passes(const TRegistryItem& entry) const {
  return Passes(entry.Title, entry.Command, entry.ShortDescr, entry.CommandLevel);
}

bool TItemFilter::Passes(const TCatalogueEntry& entry) const {
  return Passes(entry.Title, entry.Command, entry.ShortDescr, entry.Level);
}

bool TItemFilter::Passes(std::string_view title, std::string_view command,
                         std::string_view shortDescr, TCommandLevel level) const {
  const bool noText = IsBlank(FText);
  if (noText && FCommandLevel == TCommandLevel::clAdmin) return true;
  if (static_cast<int>(level) < static_cast<int>(FCommandLevel)) return false;
  if (noText) return true;

  std::string haystack;
  switch (FTextFilterType) {
    case TTextFilterType::tftByTitle:
      haystack = title;
      break;
    case TTextFilterType::tftByCommand:
      haystack = command;
      break;
    case TTextFilterType::tftByTitlePlusCommand:
      haystack = std::string(title) + " " + std::string(shortDescr) + " " + std::string(command);
      break;
  }
  // The text as typed: a blank in it is part of what is searched for.
  return UpperAscii(haystack).find(UpperAscii(FText)) != std::string::npos;
}

std::string PaletteNodeText(std::string_view title, std::string_view command) {
  if (IsBlank(command)) return std::string(title);
  return std::string(title) + " (" + std::string(command) + ")";
}

}  // namespace palvetta
