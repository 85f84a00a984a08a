#pragma once
// The command palette's filter: which catalogue entries to offer for the chosen level
// and search text, and how an entry reads in the palette.

#include <string>
#include <string_view>

#include "app/catalogue.h"
#include "model/item_registry.h"

namespace palvetta {

enum class TTextFilterType { tftByTitle, tftByCommand, tftByTitlePlusCommand };

struct TItemFilter {
  TCommandLevel FCommandLevel = TCommandLevel::clAdmin;
  TTextFilterType FTextFilterType = TTextFilterType::tftByTitle;
  std::string FText;  // as typed

  bool Passes(const TRegistryItem& entry) const;
  bool Passes(const TCatalogueEntry& entry) const;
  bool Passes(std::string_view title, std::string_view command, std::string_view shortDescr,
              TCommandLevel level) const;
};

// Title and command keyword as the palette shows an entry: "Copy files (COPY)", or the
// title alone when the keyword is blank.
std::string PaletteNodeText(std::string_view title, std::string_view command);

}  // namespace palvetta
