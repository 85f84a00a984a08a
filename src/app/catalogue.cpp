#include "app/catalogue.h"

#include <iterator>
#include <stdexcept>
#include <string>

#include "model/custom_project_item.h"

namespace palvetta {
namespace {

// kCategories and kEntries, generated from the catalogue table at build time.
#include "catalogue_table.inc"

constexpr int TotalEntryCount() {
  int total = 0;
  for (const TCatalogueCategory& category : kCategories) total += category.EntryCount;
  return total;
}
static_assert(TotalEntryCount() == static_cast<int>(std::size(kEntries)));

}  // namespace

std::span<const TCatalogueCategory> CatalogueCategories() { return kCategories; }

std::span<const TCatalogueEntry> CatalogueEntries() { return kEntries; }

std::span<const TCatalogueEntry> CatalogueEntriesOf(int categoryIndex) {
  if (categoryIndex < 0 || categoryIndex >= static_cast<int>(std::size(kCategories))) {
    throw std::out_of_range("Argument out of range: category " + std::to_string(categoryIndex));
  }
  size_t first = 0;
  for (int i = 0; i < categoryIndex; ++i) first += static_cast<size_t>(kCategories[i].EntryCount);
  return CatalogueEntries().subspan(first,
                                    static_cast<size_t>(kCategories[categoryIndex].EntryCount));
}

const TClass* ResolveCatalogueEntry(const TCatalogueEntry& entry, const TClassRegistry& known) {
  const TClass* cls = known.Find(entry.ClassName);
  // The palette makes items of the class, so an abstract or foreign class cannot serve.
  if (cls == nullptr || cls->Create == nullptr || !cls->InheritsFrom(TCustomProjectItem::Class)) {
    return nullptr;
  }
  return cls;
}

void RegisterCatalogue(TItemClassRegistry& registry, const TClassRegistry& known) {
  for (int c = 0; c < static_cast<int>(std::size(kCategories)); ++c) {
    const TCatalogueCategory& source = kCategories[c];
    TCategory& category = registry.Add(std::string(source.Title), source.ImageIndex);
    for (const TCatalogueEntry& entry : CatalogueEntriesOf(c)) {
      const TClass* cls = ResolveCatalogueEntry(entry, known);
      if (cls == nullptr) continue;
      category.Add(*cls, std::string(entry.Title), std::string(entry.ShortDescr), entry.ImageIndex,
                   std::string(entry.Command), entry.Level);
    }
  }
}

std::vector<const TCatalogueEntry*> UnresolvedCatalogueEntries(const TClassRegistry& known) {
  std::vector<const TCatalogueEntry*> unresolved;
  for (const TCatalogueEntry& entry : kEntries) {
    if (ResolveCatalogueEntry(entry, known) == nullptr) unresolved.push_back(&entry);
  }
  return unresolved;
}

}  // namespace palvetta
