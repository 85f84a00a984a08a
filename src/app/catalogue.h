#pragma once
// The fixed catalogue of item kinds the user can add, in twelve categories: the palette
// and the project list show it, and filling the item class registry from it is what
// makes the catalogued classes loadable from project files.

#include <span>
#include <string_view>
#include <vector>

#include "model/class_info.h"
#include "model/item_registry.h"

namespace palvetta {

struct TCatalogueCategory {
  std::string_view Title;
  int ImageIndex;
  int EntryCount;  // its entries follow those of the categories before it
};

struct TCatalogueEntry {
  std::string_view ClassName;  // the item class, found by name among the known classes
  std::string_view Title;
  std::string_view Command;  // the command keyword; empty when the entry has none
  TCommandLevel Level;
  int ImageIndex;
  int HelpId;  // context id in the help file
  std::string_view ShortDescr;
};

std::span<const TCatalogueCategory> CatalogueCategories();
// All entries, category after category, in palette order.
std::span<const TCatalogueEntry> CatalogueEntries();
// The entries of one category; raises std::out_of_range for a bad index.
std::span<const TCatalogueEntry> CatalogueEntriesOf(int categoryIndex);

// The item class an entry names: a class among the known ones that can be made and is
// an item; nullptr while its item family is not registered.
const TClass* ResolveCatalogueEntry(const TCatalogueEntry& entry, const TClassRegistry& known);

// Adds every category in order, each with those of its entries whose class is known.
void RegisterCatalogue(TItemClassRegistry& registry, const TClassRegistry& known);

// The entries RegisterCatalogue leaves out, in catalogue order.
std::vector<const TCatalogueEntry*> UnresolvedCatalogueEntries(const TClassRegistry& known);

}  // namespace palvetta
